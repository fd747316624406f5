#!/usr/bin/env bash
# Checks the bash completion: long options after "-", files for input-file
# and for a bare word, nothing for a numeric value.
#
#   tests/completion_test.sh COMPLETION-SCRIPT
set -u
source "$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && touch solution.txt sol2.txt other.cfg
failures=0

# Completes the words given, the last one being the word under the cursor.
expect() {
  local want=$1
  shift
  COMP_WORDS=(tesmoVerifier "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _tesmoVerifier
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [ "$got" != "$want" ]; then
    echo "completing '$*': want '$want', got '$got'"
    failures=$((failures + 1))
  fi
}

expect "--verbose-level" --verb
expect "--face0 --face1 --face2" --fa
expect "--help" --he
expect "--input-file --input-path" --inp
expect "sol2.txt solution.txt" --input-file sol
expect "sol2.txt solution.txt" sol
expect "" --dimensions ""
expect "" -v ""
echo "completion: $failures failures"
[ "$failures" -eq 0 ]
