#!/usr/bin/env bash
# Runs the examples of README.md and compares their output with the text.
# An example is a block of lines indented by four blanks whose first line
# starts with "$ "; each "$ " line is a command, run from the repository
# root in one shell per block, and the lines after it are its expected output
# (standard output and error together).
#
#   tests/readme_test.sh README.md DIRECTORY-OF-THE-BUILT-PROGRAM
set -uo pipefail
readme=$1
export PATH="$2:$PATH"
cd "$(dirname "$readme")"

failures=0
blocks=0
# Splits the README into blocks: one file per block of indented lines.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v dir="$work" '
  /^    / { if (!inblock) { n++; inblock = 1 } print substr($0, 5) > (dir "/" n); next }
  { inblock = 0 }' "$readme"

for block in "$work"/*; do
  [ -e "$block" ] || continue
  head -n 1 "$block" | grep -q '^\$ ' || continue
  blocks=$((blocks + 1))
  # A script that prints each command as "$ command" and then runs it.
  actual=$(bash -c "$(awk '/^\$ / { cmd = substr($0, 3); gsub(/'\''/, "'\''\\'\'''\''", cmd); print "echo '\''$ " cmd "'\''"; print cmd " 2>&1" }' "$block")" 2>&1)
  expected=$(cat "$block")
  if [ "$actual" != "$expected" ]; then
    failures=$((failures + 1))
    echo "README example differs:"
    diff <(echo "$expected") <(echo "$actual")
  fi
done
echo "$blocks README examples, $failures differ"
[ "$blocks" -gt 0 ] && [ "$failures" -eq 0 ]
