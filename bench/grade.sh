#!/usr/bin/env bash
# Grading a class: FILES small solutions of the built-in puzzle (a mix of
# successes, failures, walls, invalid codes and malformed lines), graded by
# `tesmo grade` in one process, beside one tesmoVerifier process per file
# through `xargs -P` on every core. Prints both times (median of RUNS).
#
#   bench/grade.sh               FILES=10000 RUNS=3
set -euo pipefail
cd "$(dirname "$0")/.."
files=${FILES:-10000}
runs=${RUNS:-3}
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmoVerifier tesmo >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/class"
route=$(sed -n 3p examples/solution.txt)
awk -v n="$files" -v route="$route" -v dir="$work" 'BEGIN {
  split(route, moves, " ")
  for (i = 0; i < n; i++) {
    file = sprintf("%s/class/student%05d.txt", dir, i)
    kind = i % 5
    if (kind == 0) printf "1 1 1\n9 9 9\n%s\n", route > file
    else if (kind == 1) { line = ""; for (m = 1; m <= 20 + i % 20; m++) line = line moves[m] " "
                          printf "1 1 1\n9 9 9\n%s\n", line > file }
    else if (kind == 2) printf "1 1 1\n9 9 9\n0 0 0\n" > file
    else if (kind == 3) printf "1 1 1\n9 9 9\n0 7\n" > file
    else printf "1 1\n9 9 9\n0\n" > file
    close(file)
  }
}'
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }
seconds() {  # the wall time of a command, in seconds
  local start stop
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  stop=$(date +%s%N)
  awk -v ns=$((stop - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}
grade=() xargs_times=()
for _ in $(seq "$runs"); do
  grade+=("$(cd "$work" && seconds "$OLDPWD/build/tesmo" grade class)")
  xargs_times+=("$(cd "$work" && seconds sh -c \
    "find class -type f -print0 | xargs -0 -n 1 -P $(nproc) '$OLDPWD/build/tesmoVerifier' --")")
done
g=$(printf '%s\n' "${grade[@]}" | median)
x=$(printf '%s\n' "${xargs_times[@]}" | median)
awk -v n="$files" -v g="$g" -v x="$x" 'BEGIN {
  printf "grading %d solutions: tesmo grade %.3f s (%.0f files a second), xargs -P over the verifier %.3f s (%.0f a second)\n",
         n, g, n / g, x, n / x }'
