#!/usr/bin/env bash
# Holds the models of `tesmo render --stl` to admesh: the built-in puzzle, a
# generated 21^3 and the 101^3 example, each assembled, flat and as its
# solution's route. admesh must leave each untouched (no edge fixed, no
# facet added, removed or reversed, no normal fixed, no disconnected
# facet), count the parts (1, 3, 1) and a positive volume; the bounding
# box must be the one the sizes give. One model is written as ASCII STL,
# one with sizes of its own.
#
#   tests/end_to_end/stl_test.sh TESMO EXAMPLES_DIR
set -uo pipefail
tesmo=$1
examples=$2
command -v admesh >/dev/null || { echo "stl_test: needs admesh (apt-get install admesh)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checked=0
fail() {
  failures=$((failures + 1))
  echo "FAIL: $*"
}

"$tesmo" generate 21 21 21 --seed 5 >"$work/21.txt"
"$tesmo" solve --puzzle "$work/21.txt" >"$work/21-solution.txt"

# check NAME PARTS BOX ARGS...: writes the model, reads admesh's report of
# it. BOX is "MIN MAX" for x, y and z, or "within LOW HIGH".
check() {
  local name=$1 parts=$2 box=$3
  shift 3
  checked=$((checked + 1))
  if ! "$tesmo" render "$@" --stl "$work/model.stl" 2>"$work/err"; then
    fail "$name: tesmo render exits non-zero: $(cat "$work/err")"
    return
  fi
  admesh "$work/model.stl" >"$work/report" 2>&1
  local field value
  for field in "Edges fixed" "Facets removed" "Facets added" "Facets reversed" \
               "Backwards edges" "Normals fixed" "Degenerate facets"; do
    value=$(sed -n "s/^$field *: *\([0-9]*\).*/\1/p" "$work/report")
    [ "$value" = 0 ] || fail "$name: admesh: $field: ${value:-missing}"
  done
  value=$(sed -n 's/^Total disconnected facets *: *\([0-9]*\).*/\1/p' "$work/report")
  [ "$value" = 0 ] || fail "$name: admesh: disconnected facets: ${value:-missing}"
  value=$(sed -n 's/^Number of parts *: *\([0-9]*\).*/\1/p' "$work/report")
  [ "$value" = "$parts" ] || fail "$name: $value parts, want $parts"
  value=$(sed -n 's/.*Volume *: *\([0-9.]*\).*/\1/p' "$work/report")
  awk -v v="$value" 'BEGIN { exit !(v > 0) }' || fail "$name: volume $value"
  local actual
  actual=$(sed -n 's/^Min \(.\) = *\([-0-9.]*\), Max . = *\([-0-9.]*\)/\2 \3/p' "$work/report" |
           paste -sd ' ')
  if [[ $box == within* ]]; then
    read -r _ low high <<<"$box"
    awk -v low="$low" -v high="$high" -v box="$actual" 'BEGIN {
      n = split(box, v, " "); for (i = 1; i <= n; i++) if (v[i] < low || v[i] > high) exit 1 }' ||
      fail "$name: bounding box $actual, not within $low to $high"
  else
    [ "$actual" = "$box" ] || fail "$name: bounding box $actual, want $box"
  fi
}

# The assembled corner spans -(wall height + base) to size * cell.
check "built-in, assembled" 1 "-4.000000 55.000000 -4.000000 55.000000 -4.000000 55.000000" \
  "$examples/maze.txt"
check "built-in, assembled, ASCII" 1 \
  "-4.000000 55.000000 -4.000000 55.000000 -4.000000 55.000000" "$examples/maze.txt" --ascii
check "built-in, own sizes" 1 "-2.500000 33.000000 -2.500000 33.000000 -2.500000 33.000000" \
  "$examples/maze.txt" --cell 3 --wall-height 1.5 --base 1
# The plates side by side: 3 x 55 mm and two 5 mm gaps.
check "built-in, flat" 3 "0.000000 175.000000 0.000000 55.000000 -2.000000 2.000000" \
  "$examples/maze.txt" --flat
# The route from the start's mark (1,1,1) to the end's (9,9,9).
check "built-in, route" 1 "5.700000 48.900002 5.700000 48.900002 5.700000 48.900002" \
  "$examples/maze.txt" --solution "$examples/solution.txt"
check "21^3, assembled" 1 "-4.000000 105.000000 -4.000000 105.000000 -4.000000 105.000000" \
  "$work/21.txt"
check "21^3, flat" 3 "0.000000 325.000000 0.000000 105.000000 -2.000000 2.000000" \
  "$work/21.txt" --flat
check "21^3, route" 1 "within 0 105" \
  "$work/21.txt" --solution "$work/21-solution.txt"
check "101^3, assembled" 1 "-4.000000 505.000000 -4.000000 505.000000 -4.000000 505.000000" \
  "$examples/large/maze.txt"
check "101^3, flat" 3 "0.000000 1525.000000 0.000000 505.000000 -2.000000 2.000000" \
  "$examples/large/maze.txt" --flat
check "101^3, route" 1 "within 0 505" "$examples/large/maze.txt" --solution "$examples/large/failure.txt"

# Refusals: status 2 and one line, or the verifier's status 1.
refused() {
  local want_status=$1 want=$2 status=0
  shift 2
  "$tesmo" render "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = "$want_status" ] && [ "$(cat "$work/err")" = "$want" ] ||
    fail "render $*: status $status, stderr '$(cat "$work/err")', want $want_status '$want'"
}
refused 2 "--stl and --text cannot be given together" "$examples/maze.txt" --stl "$work/m.stl" --text
refused 2 "--cell, --wall-height and --base are from 0.01 to 1000 millimetres" \
  "$examples/maze.txt" --stl "$work/m.stl" --cell 0
printf '0 0 0\n9 9 9\n0\n' >"$work/refused.txt"
refused 1 "Invalid start position (0,0,0)!" "$examples/maze.txt" --stl "$work/m.stl" \
  --solution "$work/refused.txt"

echo "stl_test: $checked models, $failures faults"
[ "$failures" -eq 0 ]
