#!/usr/bin/env bash
# `tesmo test` against the floor: a 20-case generated suite (seeds 1 to 20,
# budget 0) run by `tesmo test -j 1` with the example package's accepted
# C++ solver, beside the solver's own time on the same 20 puzzle files run
# one after another. Prints both (median of RUNS) and the cost a case.
#
#   bench/test_suite.sh            SIZES="11 51" RUNS=3
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=${SIZES:-11 51}
runs=${RUNS:-3}
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmo >/dev/null
tesmo=$PWD/build/tesmo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O2 -o "$work/solver" examples/tesmomaze/submissions/accepted/bfs.cpp

median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }
now() { date +%s%N; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
for size in $sizes; do
  shape=${size}x${size}x${size}
  for seed in $(seq 20); do
    "$tesmo" generate "$size" "$size" "$size" --seed "$seed" --budget 0 >"$work/$seed.in"
  done
  alone=() tested=()
  for _ in $(seq "$runs"); do
    start=$(now)
    for seed in $(seq 20); do "$work/solver" <"$work/$seed.in" >/dev/null; done
    alone+=($(($(now) - start)))
    start=$(now)
    "$tesmo" test --generate "$shape" --seeds 1-20 -j 1 -- "$work/solver" >"$work/table" ||
      { cat "$work/table"; exit 1; }
    tested+=($(($(now) - start)))
  done
  a=$(printf '%s\n' "${alone[@]}" | median)
  t=$(printf '%s\n' "${tested[@]}" | median)
  awk -v s="$shape" -v a="$a" -v t="$t" 'BEGIN {
    printf "%s, 20 cases: the solver alone %.3f s, tesmo test -j 1 %.3f s: %.1f ms a case more\n",
           s, a / 1e9, t / 1e9, (t - a) / 20 / 1e6 }'
done
