#!/usr/bin/env bash
# Runs examples/grade.sh on awkward file names and compares its table, byte
# for byte, with the expected text: a file named like an option, names that
# hold a tab, a line feed or a backslash, a missing file, a verdict that holds
# a tab, and this script's own "--".
#
#   tests/grade_test.sh examples/grade.sh DIRECTORY-OF-THE-BUILT-PROGRAM
set -uo pipefail
grade=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
examples=$(dirname "$grade")
export PATH="$(cd "$2" && pwd):$PATH"
unset TESMO_VERIFIER

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
cases=0

# check NAME EXPECTED-FILE DIRECTORY ARGUMENT...: runs grade.sh in DIRECTORY
# and wants status 0, nothing on stderr and stdout equal to EXPECTED-FILE.
check() {
  local name=$1 expected=$2 dir=$3 status=0
  shift 3
  cases=$((cases + 1))
  (cd "$dir" && "$grade" "$@") >"$work/out" 2>"$work/err" || status=$?
  if [ "$status" -ne 0 ] || [ -s "$work/err" ] || ! cmp -s "$expected" "$work/out"; then
    failures=$((failures + 1))
    echo "grade.sh, $name: status $status, stderr:"
    cat "$work/err"
    echo "table differs (expected, then actual):"
    diff "$expected" "$work/out"
  fi
}

# A solution.txt that fails next to a file named "-v1" that succeeds: read
# as the option "--verbose-level 1", "-v1" would get solution.txt's verdict.
dir=$work/names
mkdir "$dir"
cp "$examples/wall.txt" "$dir/solution.txt"
for name in -v1 $'tab\tname.txt' $'line\nbreak.txt' 'back\slash.txt'; do
  cp "$examples/solution.txt" "$dir/$name"
done
cat >"$work/names.expected" <<'EOF'
status  file                                      verdict
0       -v1                                       SUCCESS
0       tab\tname.txt                             SUCCESS
0       line\nbreak.txt                           SUCCESS
0       back\\slash.txt                           SUCCESS
1       missing.txt                               (no output)
0       solution.txt                              FAILURE (2)
4 of 6 solutions succeed
EOF
check "awkward names" "$work/names.expected" "$dir" -j 2 \
  -v1 $'tab\tname.txt' $'line\nbreak.txt' 'back\slash.txt' missing.txt solution.txt

# "--" ends grade.sh's own options, so a file named "-j" can be graded.
dir=$work/dashes
mkdir "$dir"
cp "$examples/solution.txt" "$dir/-j"
cat >"$work/dashes.expected" <<'EOF'
status  file                                      verdict
0       -j                                        SUCCESS
1 of 1 solutions succeed
EOF
check "a file named -j" "$work/dashes.expected" "$dir" -- -j
check "-j 1 then a file named -j" "$work/dashes.expected" "$dir" -j 1 -- -j

# A verdict is escaped like a name: a tesmo.cfg whose refused option holds a
# tab.
dir=$work/config
mkdir "$dir"
cp "$examples/solution.txt" "$dir/solution.txt"
printf 'ver\tb=1\n' >"$dir/tesmo.cfg"
cat >"$work/config.expected" <<'EOF'
status  file                                      verdict
2       solution.txt                              unrecognised option 'ver\tb'
0 of 1 solutions succeed
EOF
check "a verdict with a tab" "$work/config.expected" "$dir" solution.txt

echo "$cases grade.sh cases, $failures differ"
[ "$failures" -eq 0 ]
