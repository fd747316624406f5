#!/usr/bin/env bash
# Holds src/ to its layers. Fails, naming the file and line, on:
#  - a file left loose in src/ (sources.cmake aside), or a folder that is
#    no layer;
#  - an include of a project header from a higher layer than the file's own
#    (each folder includes only the folders below it, and itself);
#  - two modules (foo.hpp with foo.cpp) that include each other, directly or
#    round a longer cycle;
#  - a write to standard output or standard error below src/programs/,
#    which alone prints.
#
#   scripts/check_layers.sh [SRC_DIR]
set -uo pipefail
src=${1:-$(dirname "$0")/../src}
cd "$src" || exit 2
layers=(base model engine formats verify render run judge cli programs)
declare -A rank=()
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
failures=0
fail() {
  echo "check_layers: $*"
  failures=$((failures + 1))
}

for entry in *; do
  if [ -d "$entry" ]; then
    [ -n "${rank[$entry]:-}" ] || fail "src/$entry/ is no layer (${layers[*]})"
  elif [ "$entry" != sources.cmake ]; then
    fail "src/$entry is loose in src/; it belongs in a layer's folder"
  fi
done

# module -> modules it includes (a module is a path less its extension).
declare -A edges=()
while IFS= read -r file; do
  layer=${file%%/*}
  module=${file%.*}
  number=0
  while IFS= read -r line; do
    number=$((number + 1))
    [[ $line =~ ^#include\ \"([^\"]+)\" ]] || continue
    included=${BASH_REMATCH[1]}
    target=${included%%/*}
    if [ -z "${rank[$target]:-}" ] || [ "$included" = "$target" ]; then
      fail "src/$file:$number: #include \"$included\" names no layer's header"
      continue
    fi
    if [ "${rank[$target]}" -gt "${rank[$layer]:-0}" ]; then
      fail "src/$file:$number: $layer includes $target, a layer above it"
    fi
    other=${included%.*}
    [ "$other" = "$module" ] || edges[$module]+=" $other"
  done <"$file"
done < <(find . -name '*.hpp' -o -name '*.cpp' | sed 's|^\./||' | sort)

# Depth-first search for a cycle among the modules.
declare -A state=()  # 1 on the path, 2 done
cycle_from() {
  local module=$1 next
  state[$module]=1
  for next in ${edges[$module]:-}; do
    if [ "${state[$next]:-0}" -eq 1 ]; then
      fail "src/$module includes src/$next, which includes it back (directly or round a cycle)"
    elif [ "${state[$next]:-0}" -eq 0 ]; then
      cycle_from "$next"
    fi
  done
  state[$module]=2
}
for module in "${!edges[@]}"; do
  [ "${state[$module]:-0}" -eq 0 ] && cycle_from "$module"
done

# Only the programs print (words in string literals aside).
streams='std::(cout|cerr|clog)|\b(printf|puts|putchar|perror)\(|\b(stdout|stderr)\b'
while IFS=: read -r file number text; do
  fail "$file:$number: writes to a standard stream below src/programs/: $text"
done < <(grep -nE "$streams" -r --include='*.cpp' --include='*.hpp' \
           "${layers[@]:0:${#layers[@]}-1}" 2>/dev/null |
         grep -vE '^[^:]+:[0-9]+: *//' |
         sed -E 's/"([^"\\]|\\.)*"/""/g' | grep -E "$streams")

if [ "$failures" -ne 0 ]; then
  echo "check_layers: $failures faults"
  exit 1
fi
echo "check_layers: ${#layers[@]} layers, $(find . -name '*.[ch]pp' | wc -l) files: clean"
