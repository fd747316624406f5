#!/usr/bin/env bash
# Checks the bash completions. tesmoVerifier: long options after "-", files
# for input-file and for a bare word, nothing for a numeric value. tesmo:
# the commands, each command's options, files for its file options and its
# file arguments (render's PUZZLE included), the formats of --to, nothing
# for a number (generate's sizes, seed and budget included); for judge, the
# protocols, files (a
# directory for kattis's feedback directory) in the places of each
# protocol's files, and the flags not given yet.
#
#   tests/end_to_end/completion_test.sh VERIFIER-COMPLETION-SCRIPT TESMO-COMPLETION-SCRIPT TESMO
set -u
source "$1"
source "$2"
# tesmo's completion asks tesmo for its commands and options.
PATH=$(cd "$(dirname "$3")" && pwd):$PATH
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && touch solution.txt sol2.txt other.cfg maze.txt problem.txt ./-odd.txt &&
  mkdir feedback
failures=0

# Completes the words given after PROGRAM, the last one being the word under
# the cursor, with the function PROGRAM's completion names.
expect_for() {
  local program=$1 want=$2
  shift 2
  local function
  function=$(complete -p "$program" | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
  COMP_WORDS=("$program" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  "$function"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' ')
  if [ "$got" != "$want" ]; then
    echo "completing '$program $*': want '$want', got '$got'"
    failures=$((failures + 1))
  fi
}
expect() { expect_for tesmoVerifier "$@"; }

expect "--verbose-level" --verb
expect "--face0 --face1 --face2" --fa
expect "--help" --he
expect "--input-file --input-path" --inp
expect "sol2.txt solution.txt" --input-file sol
expect "sol2.txt solution.txt" sol
expect "" --dimensions ""
expect "" -v ""

t() { expect_for tesmo "$@"; }
# The command, and the options before it.
t "convert explain generate grade help judge render solve stats test" ""
t "solve" so
t "judge" j
t "generate grade" g
t "stats" st
t "render" r
t "solve stats" s
t "test" t
t "moves solution" test --format ""
t "--help --version" -
t "convert explain generate grade judge render solve stats test" help ""
t "judge" help j
t "generate" help ge
t "stats" help st
t "render" help r
t "" help generate ""
t "" help stats ""
t "" help solve ""
t "" help render ""
t "" bogus ""
# Each command's options.
t "--dimensions --face0 --face1 --face2 --help --input-file --puzzle --verbose-level" solve -
t "--verbose-level" solve --verb
t "--dimensions --face0 --face1 --face2 --help --input-file --json --puzzle --trace" \
  explain --
t "--json" explain --trace --j
t "--dimensions --face0 --face1 --face2 --help --problem --puzzle --to" convert -
t "--dimensions --face0 --face1 --face2 --help --problem --puzzle --to" convert ""
t "--problem" convert --to cfg --pro
t "--dimensions --face0 --face1 --face2 --help --input-file --json --puzzle" stats -
t "--json" stats --puzzle maze.txt --j
t "--budget --help --seed --size" generate -
t "--budget --help --seed --size" generate 4 3 2 --
t "--seed --size" generate 4 3 2 --budget 0 --s
t "--ascii --base --cell --dimensions --drawn-file --face0 --face1 --face2 --flat --help --html --output --puzzle --solution --stl --text --wall-height" render -
t "--ascii --base --cell --dimensions --drawn-file --face0 --face1 --face2 --flat --help --html --output --puzzle --solution --stl --text --wall-height" \
  render maze.txt --
t "--solution" render maze.txt --sol
t "--output" render --text --o
t "--text" render --solution solution.txt --t
# Files for the file options, with "=" or not, and the file arguments.
t "maze.txt" solve --puzzle ma
t "maze.txt" solve --puzzle = ma
t "maze.txt" explain --json --puzzle = ma
t "-odd.txt feedback maze.txt other.cfg problem.txt sol2.txt solution.txt" convert --puzzle =
t "problem.txt" solve pro
t "problem.txt" solve -v 1 --input-file pro
t "sol2.txt solution.txt" explain --json solution.txt sol
t "-odd.txt" explain -- -
t "-odd.txt" solve --puzzle -
t "sol2.txt solution.txt" convert --problem sol
t "" convert pro
t "maze.txt" stats --puzzle ma
t "maze.txt" stats --json --puzzle = ma
t "problem.txt" stats --puzzle maze.txt pro
t "problem.txt" stats --input-file pro
t "-odd.txt" stats -- -
t "maze.txt" render ma
t "maze.txt" render --text --solution solution.txt ma
t "sol2.txt solution.txt" render maze.txt --solution sol
t "sol2.txt solution.txt" render maze.txt --solution = sol
t "maze.txt" render --puzzle ma
t "maze.txt" render --puzzle = ma
t "maze.txt" render --drawn-file ma
t "other.cfg" render maze.txt -o ot
t "other.cfg" render maze.txt --output ot
t "other.cfg" render maze.txt --output = ot
t "-odd.txt feedback maze.txt other.cfg problem.txt sol2.txt solution.txt" render --text ""
t "-odd.txt" render -- -
t "-odd.txt" render --solution -
t "-odd.txt" render -o -
t "" render --face0 ""
t "" render --dimensions = ""
t "" stats --dimensions ""
# generate: nothing for a size, a seed or a budget, nor after "--".
t "" generate ""
t "" generate 4 ""
t "" generate 4 3 2 ""
t "" generate 4 3 2 ma
t "" generate --seed ""
t "" generate 4 3 2 --budget ""
t "" generate 4 3 2 --seed = ""
t "" generate -- ""
t "" generate -- -
# The formats of --to, and nothing for a number.
t "cfg puzzle" convert --to ""
t "cfg" convert --to c
t "cfg" convert --to = c
t "" solve -v ""
t "" solve --dimensions ""
t "" explain --face2 ""
# judge: the protocols, then each protocol's files, then the flags.
t "cms input kattis testlib" judge ""
t "testlib" judge t
t "--help" judge -
t "" judge bogus ""
t "maze.txt" judge kattis ma
t "sol2.txt solution.txt" judge kattis maze.txt sol
t "feedback" judge kattis maze.txt solution.txt ""
t "feedback" judge kattis maze.txt solution.txt f
t "score shortest" judge kattis maze.txt solution.txt feedback ""
t "--score --shortest" judge kattis maze.txt solution.txt feedback -
t "score" judge kattis maze.txt solution.txt feedback shortest ""
t "shortest" judge kattis maze.txt solution.txt feedback --score s
t "" judge kattis maze.txt solution.txt feedback score shortest ""
t "" judge kattis maze.txt solution.txt feedback score shortest -
t "sol2.txt solution.txt" judge testlib maze.txt sol
t "sol2.txt solution.txt" judge testlib maze.txt solution.txt sol
t "-odd.txt feedback maze.txt other.cfg problem.txt score shortest sol2.txt solution.txt" \
  judge testlib maze.txt solution.txt solution.txt ""
t "shortest" judge testlib maze.txt solution.txt solution.txt sh
t "--score --shortest" judge testlib maze.txt solution.txt solution.txt -
t "score shortest" judge testlib maze.txt solution.txt solution.txt result.xml ""
t "score" judge testlib maze.txt solution.txt solution.txt shortest ""
t "problem.txt" judge cms maze.txt solution.txt pro
t "score shortest" judge cms maze.txt solution.txt solution.txt ""
t "score shortest" judge input ""
t "--shortest" judge input --score -
t "" judge input score shortest ""
echo "completion: $failures failures"
[ "$failures" -eq 0 ]
