#!/usr/bin/env bash
# Writes the test data of the tesmomaze problem: data/sample/ and
# data/secret/, each case as NAME.in (a puzzle file in its canonical form:
# no comments, one blank between tokens), NAME.ans (a shortest route, one
# line of move codes) and NAME.desc (what the case is for), and
# data/testdata.yaml, which gives the input validator the statement's bound
# on the box.
#
#   generators/make_data.sh [TESMO [DATA_DIR]]
#
# TESMO is the tesmo program (default: build/tesmo of the repository that
# holds this package), DATA_DIR where to write (default: the package's
# data/). The random mazes come from a generator of their own (a
# Park-Miller sequence in awk, not awk's rand()), so every awk writes the
# same files: run it twice, or with another awk, and nothing changes.
# Every input is checked with `tesmo judge input max_size=100` (the
# canonical form, the bound, a route from the start to the end), every
# answer is made by `tesmo solve`.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tesmo=${1:-$here/../../../build/tesmo}
data=${2:-$here/../data}
[ -x "$tesmo" ] || { echo "make_data.sh: no tesmo program at $tesmo" >&2; exit 2; }
tesmo=$(cd "$(dirname "$tesmo")" && pwd)/$(basename "$tesmo")
mkdir -p "$data/sample" "$data/secret"
data=$(cd "$data" && pwd)
max_size=100  # the statement's bound on X, Y and Z
printf '# The statement bounds each size of the box.\ninput_validator_flags: max_size=%d\n' \
  "$max_size" >"$data/testdata.yaml"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A random maze as tesmo.cfg lines (in $work/case/tesmo.cfg) and its start
# and end (in $work/case/problem.txt).
#   X Y Z: the box; SEED: 1 to 2147483646; WALLS: percent of face cells that
#   are walls (one wall in eight is a digit 2 to 9, the rest 1); SEGMENTS,
#   LENGTH: the carved walk, SEGMENTS straight runs of 1 to LENGTH moves.
# The walk starts at a random start and opens the two face cells each of
# its moves enters, so a route always leads along it; the end is the
# position of the walk farthest (in moves along the axes) from the start,
# and its three cells are opened too.
random_maze() {
  local dir=$work/case
  rm -rf "$dir" && mkdir "$dir"
  awk -v X="$1" -v Y="$2" -v Z="$3" -v seed="$4" -v walls="$5" \
      -v segments="$6" -v runs="$7" -v cfg="$dir/tesmo.cfg" \
      -v problem="$dir/problem.txt" '
    function rnd(n) { state = (state * 48271) % 2147483647; return state % n }
    function cell(face, x, y, z) {
      return face == 0 ? x + Y * y : face == 1 ? y + Z * z : z + X * x
    }
    function open(face, x, y, z) { f[face, cell(face, x, y, z)] = 0 }
    function absv(v) { return v < 0 ? -v : v }
    BEGIN {
      state = seed
      size[0] = X; size[1] = Y; size[2] = Z
      for (k = 0; k < 3; k++) {
        F = size[k]; S = size[(k + 1) % 3]
        len[k] = F + S * (S - 1)
        for (i = 0; i < len[k]; i++) f[k, i] = 0
        for (b = 0; b < S; b++) {
          for (a = 0; a < F; a++) {
            v = 0
            if (rnd(100) < walls) v = rnd(8) == 0 ? 2 + rnd(8) : 1
            f[k, a + S * b] = v
          }
        }
      }
      p[0] = sx = rnd(X); p[1] = sy = rnd(Y); p[2] = sz = rnd(Z)
      for (k = 0; k < 3; k++) open(k, sx, sy, sz)
      ex = sx; ey = sy; ez = sz; best = 0
      for (s = 0; s < segments; s++) {
        axis = rnd(3); step = rnd(2) == 0 ? 1 : -1; n = 1 + rnd(runs)
        for (m = 0; m < n; m++) {
          t = p[axis] + step
          if (t < 0 || t >= size[axis]) break
          p[axis] = t
          open(axis, p[0], p[1], p[2]); open((axis + 2) % 3, p[0], p[1], p[2])
          far = absv(p[0] - sx) + absv(p[1] - sy) + absv(p[2] - sz)
          if (far > best) { best = far; ex = p[0]; ey = p[1]; ez = p[2] }
        }
      }
      for (k = 0; k < 3; k++) open(k, ex, ey, ez)
      printf "dimensions=%d\ndimensions=%d\ndimensions=%d\n", X, Y, Z > cfg
      for (k = 0; k < 3; k++)
        for (i = 0; i < len[k]; i++) printf "face%d=%d\n", k, f[k, i] > cfg
      printf "%d %d %d\n%d %d %d\n", sx, sy, sz, ex, ey, ez > problem
    }'
  (cd "$dir" && "$tesmo" convert --problem problem.txt)
}

# The built-in 11 x 11 x 11 puzzle of tesmo, from (1,1,1) to (9,9,9).
builtin_maze() {
  local dir=$work/case
  rm -rf "$dir" && mkdir "$dir"
  printf '1 1 1\n9 9 9\n' >"$dir/problem.txt"
  (cd "$dir" && "$tesmo" convert --problem problem.txt)
}

# Writes DIR/NAME.in from standard input, less its comment lines, checks
# it, and writes NAME.ans and NAME.desc (DESCRIPTION).
add_case() {
  local dir=$1 name=$2 description=$3 input=$data/$1/$2.in fault status=0
  grep -v '^#' >"$input"
  fault=$("$tesmo" judge input "max_size=$max_size" <"$input" 2>&1) || status=$?
  if [ "$status" -ne 42 ]; then
    echo "make_data.sh: $dir/$name.in is no test case (status $status): $fault" >&2
    exit 1
  fi
  (cd "$work" && "$tesmo" solve --puzzle "$input") | sed -n 3p >"$data/$dir/$name.ans"
  [ -s "$data/$dir/$name.ans" ] || { echo "make_data.sh: no answer for $dir/$name" >&2; exit 1; }
  printf '%s\n' "$description" >"$data/$dir/$name.desc"
}

builtin_maze | add_case sample 01-builtin \
  "tesmo's built-in 11 x 11 x 11 puzzle, from (1,1,1) to (9,9,9)"

add_case sample 02-small "a 4 x 3 x 2 box: rows of faces 0 and 1 overlap, face 2 has gaps" <<'EOF'
# A 4 x 3 x 2 box. Face 0's rows overlap (X > Y): x = 3 of row y = 0 and
# x = 0 of row y = 1 are cell 3, drawn the same in both rows.
size 4 3 2
start 0 0 0
end 3 2 1
face 0
0000
0100
0000
face 1
000
000
face 2
00
00
10
00
EOF

add_case secret 01-line-x "a 2 x 1 x 1 box: one move, x+1" <<'EOF'
size 2 1 1
start 0 0 0
end 1 0 0
face 0
00
face 1
0
face 2
0
0
EOF

add_case secret 02-line-z "a 1 x 1 x 2 box: one move, z+1; face 1 has a gap (Y < Z)" <<'EOF'
size 1 1 2
start 0 0 0
end 0 0 1
face 0
0
face 1
0
0
face 2
00
EOF

add_case secret 03-detour \
  "a 3 x 1 x 2 box whose straight way is walled on face 2 only: the route goes round by z" <<'EOF'
# Face 2 cell 3 (z = 0, x = 1) walls off the straight way x+1 x+1, so the
# route climbs to z = 1 and comes down again: 4 0 0 5.
size 3 1 2
start 0 0 0
end 2 0 0
face 0
000
face 1
0
0
face 2
00
10
00
EOF

add_case secret 04-round-trip \
  "start = end on a face 0 cell holding 2: the way back can only come along z" <<'EOF'
# Start and end are (1,1,1), whose face 0 cell holds 2: the token may leave
# it, but no x or y move enters it again, so a route out along x or y never
# comes back. Face 1 cell 7 (y = 1, z = 2) walls off z+1 too: the only
# route back is z-1, then z+1.
size 3 3 3
start 1 1 1
end 1 1 1
face 0
000
020
000
face 1
000
000
010
face 2
000
000
000
EOF

random_maze 7 4 5 20240601 45 40 3 | add_case secret 05-overlap-gaps \
  "a random 7 x 4 x 5 maze: face 0 rows overlap (X > Y), faces 1 and 2 have gaps"
random_maze 40 2 3 777 40 60 10 | add_case secret 06-thin \
  "a random 40 x 2 x 3 maze: face 0 rows overlap by 38 cells, face 2 has wide gaps"
random_maze 12 15 9 4242 50 80 4 | add_case secret 07-medium \
  "a random 12 x 15 x 9 maze, half of the face cells walls"
random_maze 20 20 20 31337 55 200 5 | add_case secret 08-medium \
  "a random 20 x 20 x 20 maze"
random_maze 30 25 35 271828 60 400 6 | add_case secret 09-medium \
  "a random 30 x 25 x 35 maze, 60 % of the face cells walls"
random_maze 60 60 60 1618033 60 1200 8 | add_case secret 10-large \
  "a random 60 x 60 x 60 maze"
