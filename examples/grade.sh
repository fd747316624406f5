#!/usr/bin/env bash
# Grades many solutions at once: one verifier process per solution file, run
# in parallel, then a table of file, exit status and verdict (the last line
# the verifier printed), and a count of successes.
#
#   examples/grade.sh [-j JOBS] [--] SOLUTION...
#
# The verifier is taken from $TESMO_VERIFIER, else from PATH. Every process
# runs in the current directory, so a "tesmo.cfg" there applies to all.
# Each file is handed to the verifier after "--", so a name that starts with
# "-" is read as a file, never as an option; "--" here does the same for this
# script's own "-j" (grade a file named "-j" with "grade.sh -- -j").
#
# The table has one row per file whatever its name holds. In the file and
# verdict columns a backslash is shown as \\, a tab as \t, a line feed as \n,
# a carriage return as \r and any other control character (bytes 0x01 to
# 0x1F and 0x7F) as \x and two upper-case hex digits; every other byte is
# shown as it is. So "a<tab>b.txt" shows as a\tb.txt, and a\tb.txt itself as
# a\\tb.txt.
set -euo pipefail
usage() { echo "usage: $0 [-j JOBS] [--] SOLUTION..." >&2; exit 2; }
jobs=$(nproc)
if [ "${1:-}" = "-j" ]; then
  [ $# -ge 2 ] || usage
  jobs=$2
  shift 2
fi
if [ "${1:-}" = "--" ]; then shift; fi
[ $# -gt 0 ] || usage
verifier=${TESMO_VERIFIER:-tesmoVerifier}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# Two files per solution, named by its index: the exit status and the last
# line of output. The name itself stays in "$@" and never goes through them.
grade_one() {
  local index=$1 file=$2 output status=0
  output=$("$verifier" -- "$file" 2>&1) || status=$?
  printf '%s' "$status" >"$results/$index.status"
  printf '%s' "${output##*$'\n'}" >"$results/$index.verdict"
}
export -f grade_one
export verifier results

# Prints TEXT escaped as the header comment describes, without a newline.
shown() {
  local LC_ALL=C text=$1 bs='\' code hex char
  text=${text//"$bs"/"$bs$bs"}
  case $text in
    *[[:cntrl:]]*)
      text=${text//$'\t'/"${bs}t"}
      text=${text//$'\n'/"${bs}n"}
      text=${text//$'\r'/"${bs}r"}
      for code in {1..8} 11 12 {14..31} 127; do
        printf -v hex '%02X' "$code"
        printf -v char "\\x$hex"
        text=${text//"$char"/"${bs}x$hex"}
      done
      ;;
  esac
  printf '%s' "$text"
}

count=$#
for ((i = 0; i < count; i++)); do
  printf '%s\0%s\0' "$i" "${@:i+1:1}"
done | xargs -0 -n 2 -P "$jobs" bash -c 'grade_one "$0" "$1"'

printf '%-6s  %-40s  %s\n' status file verdict
successes=0
for ((i = 0; i < count; i++)); do
  status=$(<"$results/$i.status")
  verdict=$(<"$results/$i.verdict")
  printf '%-6s  %-40s  %s\n' "$status" "$(shown "${@:i+1:1}")" \
    "$(shown "${verdict:-(no output)}")"
  [ "$status" = 0 ] && [ "$verdict" = SUCCESS ] && successes=$((successes + 1))
done
echo "$successes of $count solutions succeed"
