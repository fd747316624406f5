#!/usr/bin/env bash
# Builds in Release and prints, for thin, flat and cubic boxes, the CPU
# time `tesmo generate --budget S` takes (user + system, median of RUNS
# runs, default 3) beside the budget: the budget is counted in units of
# work, never by a clock, and should hold within 20 % on every shape.
#
#   bench/generate_budget.sh
#   BUDGETS="0.5 2" RUNS=1 bench/generate_budget.sh
set -euo pipefail
cd "$(dirname "$0")/.."
budgets=${BUDGETS:-1 3}
runs=${RUNS:-3}
[ -x /usr/bin/time ] || { echo "needs GNU time: apt-get install time" >&2; exit 2; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmo >/dev/null
tesmo=$PWD/build/tesmo

# Prints the median CPU seconds of `runs` generations.
cpu() {  # x y z budget
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%U %S' "$tesmo" generate "$1" "$2" "$3" --budget "$4" 2>&1 >/dev/null |
      tail -n 1 | awk '{ printf "%.2f\n", $1 + $2 }'
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(date -u +%F); median of $runs"
echo
echo "| shape | box             | budget s | CPU s | CPU / budget |"
echo "|-------|-----------------|----------|-------|--------------|"
while read -r shape x y z; do
  for budget in $budgets; do
    seconds=$(cpu "$x" "$y" "$z" "$budget")
    printf '| %-5s | %-15s | %8s | %5s | %12s |\n' "$shape" "$x x $y x $z" "$budget" "$seconds" \
      "$(awk -v c="$seconds" -v b="$budget" 'BEGIN { printf "%.2f", c / b }')"
  done
done <<'SHAPES'
thin 2 2 1000
thin 1000 2 2
thin 2 50 1000
flat 300 300 2
flat 1000 1000 1
cubic 21 21 21
cubic 101 101 101
cubic 200 200 200
SHAPES
