#!/usr/bin/env bash
# The verifier's start-up against the floor: the CPU time of its run on the
# bundled example beside that of a C hello world, each run COUNT times in a
# row, the two alternated for ROUNDS rounds in one run of this script (the
# machine's speed drifts between minutes). Prints the median of the rounds'
# figures, and, when valgrind is there, both programs' instruction counts
# (repeatable, whatever the machine is doing), and the binaries' sizes.
#
#   bench/startup.sh             ROUNDS=11 COUNT=300
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${ROUNDS:-11}
count=${COUNT:-300}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tesmoVerifier tesmo >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#include <stdio.h>\nint main(void) { puts("SUCCESS"); return 0; }\n' >"$work/hello.c"
cc -O2 -o "$work/hello" "$work/hello.c"
cc -O2 -o "$work/cpu_of_runs" bench/cpu_of_runs.c
verifier=$PWD/build/tesmoVerifier
cd examples

figures=()
for _ in $(seq "$rounds"); do
  hello=$("$work/cpu_of_runs" "$count" "$work/hello")
  verifier_cpu=$("$work/cpu_of_runs" "$count" "$verifier" solution.txt)
  figures+=("$(awk -v v="$verifier_cpu" -v h="$hello" -v n="$count" \
    'BEGIN { printf "%.4f %.1f %.1f", v / h, v / n, h / n }')")
done
median=$(printf '%s\n' "${figures[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
read -r ratio verifier_us hello_us <<<"$median"
echo "start-up, the verifier on the bundled example: $verifier_us us of CPU a run," \
     "a C hello world $hello_us us: $ratio times (median of $rounds rounds of $count runs)"

if command -v valgrind >/dev/null; then
  instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      sed -n 's/.*Collected : *//p'
  }
  vi=$(instructions "$verifier" solution.txt)
  hi=$(instructions "$work/hello")
  echo "instructions: the verifier $vi, the C hello world $hi" \
       "($(awk -v v="$vi" -v h="$hi" 'BEGIN { printf "%.2f", v / h }') times)"
fi
echo "sizes: tesmoVerifier $(stat -c %s "$verifier") bytes, tesmo $(stat -c %s "$(dirname "$verifier")/tesmo") bytes"
