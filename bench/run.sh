#!/usr/bin/env bash
# Builds in Release and times the verifier on long solutions, beside
# `dd bs=64k` (reading the page-cached file and nothing else, the floor for
# any reader) and `LC_ALL=C wc -w` on the same file (median of RUNS runs
# each), and prints a table: moves, file size, verifier time, dd time, their
# ratio, wc time, that ratio, peak memory. Then tesmo: loading a 1000^3
# puzzle file, solving open boxes corner to corner, and explaining solutions.
#
#   bench/run.sh                 10^8 moves per case (about 1 GB of disk)
#   MOVES=1000000 bench/run.sh   a quick run
#   CUBE=1000 bench/run.sh       also load a CUBE^3 puzzle from tesmo.cfg
#   SOLVE=1000 bench/run.sh      also solve an open SOLVE^3 box (besides 400^3)
#   TESMO=0 bench/run.sh         the verifier's table only
set -euo pipefail
cd "$(dirname "$0")/.."
moves=${MOVES:-100000000}
runs=${RUNS:-5}
cube=${CUBE:-0}
solve=${SOLVE:-0}
tesmo_part=${TESMO:-1}
[ -x /usr/bin/time ] || { echo "needs GNU time: apt-get install time" >&2; exit 2; }

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmoVerifier tesmo tesmo_generate >/dev/null
verifier=$PWD/build/tesmoVerifier
generate=$PWD/build/tesmo_generate
tesmo=$PWD/build/tesmo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command $runs times in $work; prints the median wall time in
# seconds and the largest peak resident size in KiB.
measure() {
  local times=() peak=0 kib start stop
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    kib=$(cd "$work" && /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1)
    stop=$(date +%s%N)
    times+=($(((stop - start) / 1000)))
    [ "$kib" -gt "$peak" ] && peak=$kib
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  awk -v us="$median" -v kib="$peak" 'BEGIN { printf "%.4f %d\n", us / 1e6, kib }'
}

row() {  # name file [verifier options...]
  local name=$1 file=$2
  shift 2
  local size vt vm dt wt
  size=$(stat -c %s "$work/$file")
  read -r vt vm <<<"$(measure "$verifier" "$@" "$file")"
  read -r dt _ <<<"$(measure dd if="$file" of=/dev/null bs=64k status=none)"
  read -r wt _ <<<"$(measure env LC_ALL=C wc -w "$file")"
  awk -v n="$name" -v m="$moves_in_case" -v s="$size" -v vt="$vt" -v dt="$dt" -v wt="$wt" -v vm="$vm" \
    'BEGIN { printf "| %-16s | %11d | %7.1f MB | %6.3f s | %6.3f s | %5.2f | %6.3f s | %5.2f | %7.1f MiB |\n",
             n, m, s / 1e6, vt, dt, (dt > 0 ? vt / dt : 0), wt, (wt > 0 ? vt / wt : 0), vm / 1024 }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(date -u +%F)"
echo
echo "| case             |       moves |       file | verifier |       dd | /dd   |    wc -w | /wc   | peak memory |"
echo "|------------------|-------------|------------|----------|----------|-------|----------|-------|-------------|"
for kind in back-and-forth random-walk stop-early invalid-end; do
  "$generate" "$kind" "$moves" >"$work/$kind.txt"
  moves_in_case=$moves row "$kind" "$kind.txt"
  rm "$work/$kind.txt"
done
cp examples/solution.txt "$work/example.txt"
moves_in_case=48 row "example (48)" example.txt

# The judge reads the same moves (the moves line alone, as a contestant
# prints it), with the verifier's reader and walker: side by side.
"$generate" random-walk "$moves" >"$work/walk.txt"
tail -n +3 "$work/walk.txt" >"$work/walk.out"
cp examples/maze.txt examples/solution.txt "$work/"
mkdir -p "$work/feedback"
read -r vt _ <<<"$(measure "$verifier" walk.txt)"
read -r jt jm <<<"$(measure sh -c "\"$tesmo\" judge kattis maze.txt solution.txt feedback <walk.out; true")"
rm "$work/walk.txt" "$work/walk.out"
echo
awk -v m="$moves" -v j="$jt" -v v="$vt" -v k="$jm" \
  'BEGIN { printf "judge, random walk of %d moves: %.3f s against the verifier'"'"'s %.3f s (%.2f x), peak %.1f MiB\n",
           m, j, v, (v > 0 ? j / v : 0), k / 1024 }'

# The verbose echo keeps the moves: memory per move.
verbose_moves=$((moves / 10))
"$generate" back-and-forth "$verbose_moves" >"$work/verbose.txt"
read -r quiet_time quiet_kib <<<"$(measure "$verifier" verbose.txt)"
read -r verbose_time verbose_kib <<<"$(measure "$verifier" -v 1 verbose.txt)"
rm "$work/verbose.txt"
echo
awk -v m="$verbose_moves" -v q="$quiet_kib" -v v="$verbose_kib" -v t="$verbose_time" \
  'BEGIN { printf "verbose echo, %d moves: %.2f s, peak %.1f MiB (%.1f MiB quiet), %.1f bytes per move\n",
           m, t, v / 1024, q / 1024, (v - q) * 1024 / m }'

if [ "$cube" -gt 0 ]; then
  mkdir "$work/cube"
  "$generate" cube-config "$cube" >"$work/cube/tesmo.cfg"
  "$generate" cube-solution "$cube" >"$work/cube/solution.txt"
  lines=$(wc -l <"$work/cube/tesmo.cfg")
  read -r ct cm <<<"$(cd "$work/cube" && runs=1 work=$work/cube measure "$verifier")"
  echo "puzzle $cube^3 from tesmo.cfg ($lines lines): $ct s, peak $(awk -v k="$cm" 'BEGIN { printf "%.0f", k / 1024 }') MiB"
fi

[ "$tesmo_part" = 0 ] && exit 0

mib() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }

echo
echo "tesmo:"
# A thin box, 1 x 16384 x 1: its puzzle file is 49 KB, its face 0's index
# rule spans 2^28 numbers, and every command takes it in the memory of
# the cells it draws.
"$generate" thin-puzzle 16384 >"$work/thin.txt"
printf '0 0 0\n0 16383 0\n2 2 2 2\n' >"$work/thin-solution.txt"
for command in "convert --puzzle thin.txt" "stats --puzzle thin.txt" "solve --puzzle thin.txt" \
               "render thin.txt" "explain --puzzle thin.txt thin-solution.txt"; do
  read -r tt tm <<<"$(measure sh -c "\"$tesmo\" $command; true")"
  echo "  tesmo $command (1 x 16384 x 1): $tt s, peak $(mib "$tm") MiB"
done
read -r tt tm <<<"$(measure sh -c "\"$tesmo\" judge input <thin.txt; true")"
echo "  tesmo judge input <thin.txt (1 x 16384 x 1): $tt s, peak $(mib "$tm") MiB"

# Loading: convert reads the puzzle file and writes it back (3 MB) to
# /dev/null; the writing is a small part.
"$generate" cube-puzzle 1000 >"$work/cube1000.txt"
read -r lt lm <<<"$(measure "$tesmo" convert --puzzle cube1000.txt)"
echo "  load a 1000^3 puzzle file (3 MB) and write it back: $lt s, peak $(mib "$lm") MiB"

# Solving: open boxes from puzzle files, corner to corner, checked by the
# verifier.
for size in 400 "$solve"; do
  [ "$size" -gt 0 ] || continue
  "$generate" cube-puzzle "$size" >"$work/open$size.txt"
  read -r st sm <<<"$(runs=$([ "$size" -gt 400 ] && echo 1 || echo "$runs") measure "$tesmo" solve --puzzle "open$size.txt")"
  "$tesmo" solve --puzzle "$work/open$size.txt" >"$work/route.txt"
  verdict=$(cd "$work" && "$tesmo" convert --puzzle "open$size.txt" --to cfg >tesmo.cfg &&
            "$verifier" route.txt; rm -f tesmo.cfg)
  echo "  solve an open $size^3 box, corner to corner: $st s, peak $(mib "$sm") MiB, verifier says $verdict"
done

# Explaining: the example, a long walk (against the verifier on the same
# file), and a failure in the open 400^3 box, which searches the rest of the
# way to the end.
cp examples/solution.txt "$work/example.txt"
read -r et em <<<"$(measure "$tesmo" explain example.txt)"
echo "  explain the 48-move example: $et s, peak $(mib "$em") MiB"
"$generate" random-walk $((moves / 10)) >"$work/walk.txt"
read -r et em <<<"$(measure "$tesmo" explain walk.txt)"
read -r vt _ <<<"$(measure "$verifier" walk.txt)"
echo "  explain a random walk of $((moves / 10)) moves: $et s (verifier $vt s), peak $(mib "$em") MiB"
"$generate" cube-solution 400 >"$work/short.txt"
sed -i '2s/.*/399 399 399/' "$work/short.txt"
read -r et em <<<"$(measure "$tesmo" explain --puzzle open400.txt short.txt)"
echo "  explain a failure in the open 400^3 box (two searches): $et s, peak $(mib "$em") MiB"
