#!/usr/bin/env bash
# Builds in Release and prints, for generated puzzles of 11^3, 21^3, 51^3
# and 101^3 over seeds 1 to 10 (budget BUDGET seconds, default 1), the route
# lengths (min, median, max) and the times (median, max) and peak memory;
# then the median route of 11^3 over seeds 1 to 20.
#
#   bench/generate_table.sh
#   BUDGET=0.2 bench/generate_table.sh   a quick look
set -euo pipefail
cd "$(dirname "$0")/.."
budget=${BUDGET:-1}
[ -x /usr/bin/time ] || { echo "needs GNU time: apt-get install time" >&2; exit 2; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmo >/dev/null
tesmo=$PWD/build/tesmo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "route seconds KiB" for one generation.
generate() {  # size seed
  local start stop kib route
  start=$(date +%s%N)
  kib=$(/usr/bin/time -f '%M' "$tesmo" generate "$1" "$1" "$1" --seed "$2" --budget "$budget" \
        2>&1 >"$work/maze.txt" | tail -n 1)
  stop=$(date +%s%N)
  route=$(sed -n 's/^# only solution takes \([0-9]*\) move.*/\1/p' "$work/maze.txt")
  echo "$route $(((stop - start) / 1000)) $kib"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(date -u +%F); budget $budget s"
echo
echo "| size  | route min | median | max  | time median | max     | peak memory |"
echo "|-------|-----------|--------|------|-------------|---------|-------------|"
for size in 11 21 51 101; do
  : >"$work/rows"
  for seed in $(seq 10); do generate "$size" "$seed" >>"$work/rows"; done
  routes=$(cut -d' ' -f1 "$work/rows")
  times=$(cut -d' ' -f2 "$work/rows")
  awk -v s="$size" -v rmin="$(sort -n <<<"$routes" | head -1)" -v rmed="$(median <<<"$routes")" \
      -v rmax="$(sort -n <<<"$routes" | tail -1)" -v tmed="$(median <<<"$times")" \
      -v tmax="$(sort -n <<<"$times" | tail -1)" -v mem="$(cut -d' ' -f3 "$work/rows" | sort -n | tail -1)" \
    'BEGIN { printf "| %-5s | %9d | %6g | %4d | %9.3f s | %5.3f s | %7.1f MiB |\n",
             s "^3", rmin, rmed, rmax, tmed / 1e6, tmax / 1e6, mem / 1024 }'
done
echo
routes=$(for seed in $(seq 20); do generate 11 "$seed" | cut -d' ' -f1; done)
echo "11^3 over seeds 1 to 20: median route $(median <<<"$routes") moves (the built-in puzzle's is 48)"
