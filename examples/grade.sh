#!/usr/bin/env bash
# Grades many solutions at once: one verifier process per solution file, run
# in parallel, then a table of file, exit status and verdict (the last line
# the verifier printed), and a count of successes.
#
#   examples/grade.sh [-j JOBS] SOLUTION...
#
# The verifier is taken from $TESMO_VERIFIER, else from PATH. Every process
# runs in the current directory, so a "tesmo.cfg" there applies to all.
set -euo pipefail
jobs=$(nproc)
if [ "${1:-}" = "-j" ]; then jobs=$2; shift 2; fi
[ $# -gt 0 ] || { echo "usage: $0 [-j JOBS] SOLUTION..." >&2; exit 2; }
verifier=${TESMO_VERIFIER:-tesmoVerifier}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# One line per file: index, status, last line of output.
grade_one() {
  local index=$1 file=$2 output status=0
  output=$("$verifier" "$file" 2>&1) || status=$?
  printf '%s\t%s\t%s\n' "$status" "$file" "${output##*$'\n'}" >"$results/$index"
}
export -f grade_one
export verifier results

count=$#
for ((i = 0; i < count; i++)); do
  printf '%s\0%s\0' "$i" "${@:i+1:1}"
done | xargs -0 -n 2 -P "$jobs" bash -c 'grade_one "$0" "$1"'

printf '%-6s  %-40s  %s\n' status file verdict
successes=0
for ((i = 0; i < count; i++)); do
  IFS=$'\t' read -r status file verdict <"$results/$i"
  printf '%-6s  %-40s  %s\n' "$status" "$file" "${verdict:-(no output)}"
  [ "$status" = 0 ] && [ "$verdict" = SUCCESS ] && successes=$((successes + 1))
done
echo "$successes of $count solutions succeed"
