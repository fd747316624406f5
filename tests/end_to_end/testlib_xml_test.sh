#!/usr/bin/env bash
# Calls the testlib checker as a judge that parses testlib's XML result does
# (CHECKER INPUT OUTPUT ANSWER RESULT_FILE -appes, then the file read with
# an XML parser, xmllint), for `tesmo judge testlib` and for the one-file
# judge compiled as the testlib checker: each must give the right outcome,
# with a message, for an accepted, a wrong, a malformed and a judge-failure
# case, and fail (exit 3) when a word follows -appes.
#
#   tests/end_to_end/testlib_xml_test.sh TESMO ONE_FILE_TESTLIB_CHECKER EXAMPLES_DIR
set -u
tesmo=$1
single=$2
examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "testlib_xml_test: $*"
  failures=$((failures + 1))
}

grep -v '^#' "$examples/maze.txt" >"$work/maze.in"
sed -n 3p "$examples/solution.txt" >"$work/maze.ans"
cp "$work/maze.ans" "$work/accepted.out"
echo "0 0 0" >"$work/wrong.out"
echo "0,0,0" >"$work/malformed.out"
echo "5" >"$work/bad.ans"  # an answer that is no route: the judge's fault

# judge NAME CHECKER... -- OUTPUT ANSWER OUTCOME STATUS
judge() {
  local name=$1 output=$3 answer=$4 outcome=$5 status=$6 got
  shift 0
  "${checker[@]}" "$work/maze.in" "$work/$output" "$work/$answer" "$work/result.xml" -appes \
    >/dev/null 2>"$work/err"
  got=$?
  [ "$got" -eq "$status" ] || fail "$name on $output: status $got, not $status"
  got=$(xmllint --xpath 'string(/result/@outcome)' "$work/result.xml" 2>&1)
  [ "$got" = "$outcome" ] || fail "$name on $output: outcome '$got', not '$outcome'"
  got=$(xmllint --xpath 'string(/result)' "$work/result.xml" 2>&1)
  [ -n "$got" ] || fail "$name on $output: no message"
  [ "$(cat "$work/err")" = $'\nSee file to check exit message' ] ||
    fail "$name on $output: stderr '$(cat "$work/err")'"
}

for name in tesmo single; do
  if [ "$name" = tesmo ]; then checker=("$tesmo" judge testlib); else checker=("$single"); fi
  judge "$name" - accepted.out maze.ans accepted 0
  judge "$name" - wrong.out maze.ans wrong-answer 1
  judge "$name" - malformed.out maze.ans presentation-error 2
  judge "$name" - accepted.out bad.ans fail 3
  rm -f "$work/result.xml"
  "${checker[@]}" "$work/maze.in" "$work/accepted.out" "$work/maze.ans" "$work/result.xml" \
    -appes more >/dev/null 2>&1
  status=$?
  [ "$status" -eq 3 ] || fail "$name with a word after -appes: status $status, not 3"
  [ ! -e "$work/result.xml" ] || fail "$name with a word after -appes wrote the result file"
done

if [ "$failures" -ne 0 ]; then
  echo "testlib_xml_test: $failures failures"
  exit 1
fi
echo "testlib_xml_test: both checkers' XML results parse to the right outcomes"
