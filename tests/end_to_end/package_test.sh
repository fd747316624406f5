#!/usr/bin/env bash
# Judges the example problem package examples/tesmomaze/ as a Kattis-format
# judge (problemtools' verifyproblem, DOMjudge) would: builds its input and
# output validators with their own build scripts (the copies of
# dist/tesmo_judge.cpp) and its submissions with g++ -std=c++17 -O2; checks
# every test input with the input validator and with `tesmo judge input`
# (42 each); runs every submission on every test case and judges each
# output with the output validator and with `tesmo judge kattis`, both
# called as such a judge calls an output validator (INPUT ANSWER
# FEEDBACK_DIR/, a fresh feedback directory, the output on standard input).
# The accepted submission must get 42 everywhere, each wrong_answer one 43
# on some case and never anything but 42 or 43; judgemessage.txt must be one
# line. A time_limit_exceeded submission must still run after a second on
# some case, a run_time_error one exit with a status other than 0 or be
# killed by a signal on some case, and neither may get a 43. Every input
# passes the input validator with the flags of data/testdata.yaml. Also:
# the package's layout, that each answer is itself accepted, that `tesmo
# test` gives each submission the verdict its folder names (and AC or
# nothing else), and that generators/make_data.sh writes the data the
# package holds.
#
#   tests/package_test.sh PACKAGE_DIR BUILD_DIR
set -uo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 PACKAGE_DIR BUILD_DIR" >&2
  exit 2
fi
package=$(cd "$1" && pwd) || exit 2
tesmo=$(cd "$2" && pwd)/tesmo || exit 2
[ -x "$tesmo" ] || { echo "package_test: no tesmo program in $2" >&2; exit 2; }
dist=$package/../../dist/tesmo_judge.cpp

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  failures=$((failures + 1))
  echo "FAIL: $*"
}

# ---- layout ----
for file in problem.yaml problem_statement/problem.en.tex data/testdata.yaml \
            input_validators/tesmo_judge/build input_validators/tesmo_judge/run \
            output_validators/tesmo_judge/build output_validators/tesmo_judge/run \
            submissions/accepted/bfs.cpp; do
  [ -f "$package/$file" ] || fail "the package has no $file"
done
for script in build run; do
  for kind in input output; do
    [ -x "$package/${kind}_validators/tesmo_judge/$script" ] ||
      fail "${kind}_validators/tesmo_judge/$script is not executable"
  done
done
grep -qx 'validation: custom' "$package/problem.yaml" || fail "problem.yaml lacks 'validation: custom'"
# The format's rule for every file name in a package.
while IFS= read -r name; do
  [[ $name =~ ^[a-zA-Z0-9][a-zA-Z0-9_.-]*[a-zA-Z0-9]$ ]] || fail "file name '$name' breaks the package format's rule"
done < <(cd "$package" && find . -mindepth 1 -printf '%f\n')
for copy in input_validators output_validators; do
  if [ -f "$dist" ] && ! cmp -s "$dist" "$package/$copy/tesmo_judge/tesmo_judge.cpp"; then
    fail "$copy/tesmo_judge/tesmo_judge.cpp differs from dist/tesmo_judge.cpp: run scripts/make_tesmo_judge.sh"
  fi
done
inputs=("$package"/data/sample/*.in "$package"/data/secret/*.in)
[ -f "${inputs[0]}" ] || fail "no data/sample/*.in"
[ -f "${inputs[-1]}" ] && [[ ${inputs[-1]} == */secret/* ]] || fail "no data/secret/*.in"
for input in "${inputs[@]}"; do
  [ -f "${input%.in}.ans" ] || fail "${input#"$package"/} has no .ans"
done
size=$(cat "$package"/data/*/* | wc -c)
[ "$size" -lt 1000000 ] || fail "the data hold $size bytes, 1 MB or more"

# ---- build: validators by their own scripts, submissions as a judge does ----
cp -R "$package/input_validators/tesmo_judge" "$work/input_validator"
cp -R "$package/output_validators/tesmo_judge" "$work/output_validator"
mkdir "$work/bin"
submissions=()
for source in "$package"/submissions/*/*.cpp; do
  kind=$(basename "$(dirname "$source")")
  submissions+=("$kind/$(basename "$source" .cpp)")
done
pids=()
"$work/input_validator/build" >"$work/input_validator.log" 2>&1 & pids+=($!)
"$work/output_validator/build" >"$work/output_validator.log" 2>&1 & pids+=($!)
for submission in "${submissions[@]}"; do
  g++ -std=c++17 -O2 -o "$work/bin/${submission//\//.}" "$package/submissions/$submission.cpp" \
    >"$work/bin/${submission//\//.}.log" 2>&1 & pids+=($!)
done
build_failed=0
for pid in "${pids[@]}"; do wait "$pid" || build_failed=1; done
if [ "$build_failed" -ne 0 ]; then
  fail "a build failed:"
  cat "$work"/*.log "$work"/bin/*.log
  echo "package test: $failures failures"
  exit 1
fi
input_validator=$work/input_validator/run
output_validator=$work/output_validator/run

# ---- the inputs ----
read -r -a input_flags < <(sed -n 's/^input_validator_flags: *//p' "$package/data/testdata.yaml")
[ "${#input_flags[@]}" -gt 0 ] || fail "data/testdata.yaml gives the input validator no flags"
for input in "${inputs[@]}"; do
  name=${input#"$package"/data/}
  status=0
  "$input_validator" "${input_flags[@]}" <"$input" >"$work/err" 2>&1 || status=$?
  [ "$status" -eq 42 ] || fail "input validator on $name: status $status: $(cat "$work/err")"
  status=0
  "$tesmo" judge input "${input_flags[@]}" <"$input" >"$work/err" 2>&1 || status=$?
  [ "$status" -eq 42 ] || fail "tesmo judge input on $name: status $status: $(cat "$work/err")"
done

# Inputs a copy of the package must not get past: out of the canonical form,
# or past the statement's bound.
first_input=${inputs[0]}
sed 's/ / &/' "$first_input" >"$work/double-blank.in"
{ echo "# a comment"; cat "$first_input"; } >"$work/comment.in"
sed '1s/.*/size 101 1 1/' "$first_input" >"$work/too-large.in"
for bad in double-blank comment too-large; do
  status=0
  "$input_validator" "${input_flags[@]}" <"$work/$bad.in" >"$work/err" 2>&1 || status=$?
  [ "$status" -eq 43 ] || fail "the input validator takes an input with a $bad (status $status)"
done

checker_names=("output validator" "tesmo judge kattis")

# judge CHECKER INPUT ANSWER OUTPUT: runs checker CHECKER (0 the output
# validator, 1 tesmo judge kattis) as a judge runs an output validator, with
# a fresh feedback directory; prints its status and its judgemessage.txt
# line. A judgemessage.txt (or, for a verdict, teammessage.txt) of other
# than one line is printed as such, and fails where the status is checked.
judge() {
  local input=$2 answer=$3 output=$4 feedback status=0 file
  feedback=$(mktemp -d "$work/feedback.XXXXXX")
  if [ "$1" -eq 0 ]; then
    "$output_validator" "$input" "$answer" "$feedback/" <"$output" >/dev/null 2>"$work/checker.err" ||
      status=$?
  else
    "$tesmo" judge kattis "$input" "$answer" "$feedback/" <"$output" >/dev/null 2>"$work/checker.err" ||
      status=$?
  fi
  local files=(judgemessage.txt)
  [ "$status" -eq 42 ] || [ "$status" -eq 43 ] && files+=(teammessage.txt)
  for file in "${files[@]}"; do
    if [ ! -f "$feedback/$file" ]; then
      echo "$status (no $file; stderr: $(head -c 200 "$work/checker.err"))"
      rm -rf "$feedback"
      return
    elif [ "$(wc -l <"$feedback/$file")" -ne 1 ] || [ -n "$(tail -c 1 "$feedback/$file")" ]; then
      echo "$status ($file is not one line: $(head -c 200 "$feedback/$file" | tr '\n' '|'))"
      rm -rf "$feedback"
      return
    fi
  done
  echo "$status $(cat "$feedback/judgemessage.txt")"
  rm -rf "$feedback"
}

# ---- each answer, as an output, is accepted ----
for input in "${inputs[@]}"; do
  for i in 0 1; do
    verdict=$(judge "$i" "$input" "${input%.in}.ans" "${input%.in}.ans")
    [[ $verdict == "42 "* ]] ||
      fail "${checker_names[$i]} on ${input#"$package"/data/}'s answer as output: $verdict"
  done
done

# ---- every submission on every case ----
printf '\n%-28s %-22s %-18s %s\n' submission "case" checker "status and judgemessage.txt"
summary=()
for submission in "${submissions[@]}"; do
  kind=${submission%%/*}
  accepted=0 wrong=0 other=0 slow=0 crashed=0 first_wrong=""
  for input in "${inputs[@]}"; do
    name=${input#"$package"/data/}
    name=${name%.in}
    status=0
    limit=10
    [ "$kind" = time_limit_exceeded ] && limit=1
    timeout "$limit" "$work/bin/${submission//\//.}" <"$input" >"$work/output" 2>/dev/null ||
      status=$?
    if [ "$status" -eq 124 ] && [ "$kind" = time_limit_exceeded ]; then
      slow=$((slow + 1))
      break  # one case is enough, and each costs the whole second
    elif [ "$status" -ne 0 ] && [ "$kind" = run_time_error ]; then
      crashed=$((crashed + 1))
      continue
    elif [ "$status" -ne 0 ]; then
      fail "$submission on $name exits with status $status"
      other=$((other + 1))
      continue
    fi
    verdicts=()
    for i in 0 1; do
      verdict=$(judge "$i" "$input" "${input%.in}.ans" "$work/output")
      verdicts+=("$verdict")
      printf '%-28s %-22s %-18s %s\n' "$submission" "$name" "${checker_names[$i]}" "$verdict"
      case $verdict in
        "42 "*) ;;
        "43 "*) ;;
        *) fail "${checker_names[$i]}: $submission on $name: $verdict" ;;
      esac
    done
    [ "${verdicts[0]}" = "${verdicts[1]}" ] ||
      fail "$submission on $name: the output validator and tesmo judge kattis disagree"
    case ${verdicts[0]} in
      "42 "*) accepted=$((accepted + 1)) ;;
      "43 "*) wrong=$((wrong + 1)); [ -n "$first_wrong" ] || first_wrong="$name: ${verdicts[0]#43 }" ;;
      *) other=$((other + 1)) ;;
    esac
  done
  case $kind in
    accepted)
      [ "$wrong" -eq 0 ] && [ "$other" -eq 0 ] || fail "$submission is not accepted on every case" ;;
    wrong_answer)
      [ "$wrong" -gt 0 ] || fail "$submission gets no wrong answer"
      [ "$other" -eq 0 ] || fail "$submission gets a verdict that is neither 42 nor 43" ;;
    time_limit_exceeded)
      [ "$slow" -gt 0 ] || fail "$submission never runs out of time"
      [ "$wrong" -eq 0 ] && [ "$other" -eq 0 ] || fail "$submission gets a wrong answer" ;;
    run_time_error)
      [ "$crashed" -gt 0 ] || fail "$submission never crashes"
      [ "$wrong" -eq 0 ] && [ "$other" -eq 0 ] || fail "$submission gets a wrong answer" ;;
    *) fail "submissions/$kind/ is not a kind this test knows" ;;
  esac
  summary+=("$(printf '%-36s %3d accepted %3d wrong %3d slow %3d crashed %3d other  %s' \
    "$submission" "$accepted" "$wrong" "$slow" "$crashed" "$other" \
    "${first_wrong:+first wrong: $first_wrong}")")
done

# ---- every submission through `tesmo test`: the verdicts its folder names ----
for submission in "${submissions[@]}"; do
  kind=${submission%%/*}
  status=0
  "$tesmo" test "$package" --time-limit 1 --json -- "$work/bin/${submission//\//.}" \
    >"$work/suite.json" 2>"$work/suite.err" || status=$?
  verdicts=$(sed 's/.*"verdict":"\([A-Z]*\)".*/\1/' "$work/suite.json" | sort -u | paste -sd ' ')
  echo "tesmo test on $submission: status $status, verdicts $verdicts"
  case $kind in
    accepted) want="AC" ;;
    wrong_answer) want="WA" ;;
    time_limit_exceeded) want="TLE" ;;
    run_time_error) want="RTE" ;;
  esac
  [ "$kind" = accepted ] && [ "$status" -ne 0 ] && fail "tesmo test: $submission exits $status"
  [ "$kind" != accepted ] && [ "$status" -ne 1 ] && fail "tesmo test: $submission exits $status"
  [[ " $verdicts " == *" $want "* ]] || fail "tesmo test: $submission gets no $want"
  for verdict in $verdicts; do
    [ "$verdict" = AC ] || [ "$verdict" = "$want" ] ||
      fail "tesmo test: $submission gets $verdict"
  done
done

# ---- the generator writes the data the package holds ----
mkdir "$work/data"
if "$package/generators/make_data.sh" "$tesmo" "$work/data" >"$work/generate.log" 2>&1; then
  for file in "$package"/data/*/*; do
    copy=$work/data/${file#"$package"/data/}
    if [[ $file == *.in ]]; then
      # Comments are the convert command's words, free to change.
      cmp -s <(grep -v '^#' "$file") <(grep -v '^#' "$copy" 2>/dev/null) ||
        fail "generators/make_data.sh writes another ${file#"$package"/}"
    else
      cmp -s "$file" "$copy" || fail "generators/make_data.sh writes another ${file#"$package"/}"
    fi
  done
  cmp -s "$package/data/testdata.yaml" "$work/data/testdata.yaml" ||
    fail "generators/make_data.sh writes another data/testdata.yaml"
  [ "$(find "$work/data" -type f | wc -l)" -eq "$(find "$package/data" -type f | wc -l)" ] ||
    fail "generators/make_data.sh writes another set of files than data/ holds"
else
  fail "generators/make_data.sh fails: $(cat "$work/generate.log")"
fi

echo
echo "${#inputs[@]} test cases ($size bytes of data), ${#submissions[@]} submissions:"
printf '%s\n' "${summary[@]}"
if [ "$failures" -ne 0 ]; then
  echo "package test: $failures failures"
  exit 1
fi
echo "package test: all passed"
