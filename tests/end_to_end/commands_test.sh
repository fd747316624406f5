#!/usr/bin/env bash
# tesmo's command table is the one list of its commands: the overview
# (`tesmo help`) prints it, and the bash completion and the manual page must
# know each command it lists, and no other. For each command, the completion
# offers after "-" exactly the long options its --help lists.
#
#   tests/end_to_end/commands_test.sh TESMO COMPLETION_SCRIPT MAN_PAGE
set -u
tesmo=$1
PATH=$(cd "$(dirname "$tesmo")" && pwd):$PATH  # the completion asks `tesmo` itself
source "$2"
page=$3
failures=0
fail() {
  echo "commands_test: $*"
  failures=$((failures + 1))
}

# The words the completion offers for `tesmo WORDS...`, sorted.
offered() {
  COMP_WORDS=(tesmo "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _tesmo
  printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' '
}

table=$("$tesmo" help | sed -n '/^Commands:/,/^$/s/^  \([a-z]\+\) .*/\1/p')
[ -n "$table" ] || fail "tesmo help lists no command"
want=$(printf '%s\n' $table help | LC_ALL=C sort | paste -sd ' ')
[ "$(offered "")" = "$want" ] || fail "the completion offers '$(offered "")', the table '$want'"
want=$(printf '%s\n' $table | LC_ALL=C sort | paste -sd ' ')
[ "$(offered help "")" = "$want" ] || fail "after help the completion offers '$(offered help "")'"

for command in $table; do
  grep -q "^\.SS tesmo $command\b" "$page" || fail "the manual page has no section 'tesmo $command'"
  grep -q "^\.B tesmo $command\$" "$page" || fail "the manual page's synopsis lacks 'tesmo $command'"
  # judge parses its own arguments: its protocols are checked by the
  # completion test.
  [ "$command" = judge ] && continue
  options=$("$tesmo" "$command" --help | grep -oE '^  (-[a-zA-Z] \[ )?--[a-z0-9-]+' |
            grep -oE -- '--[a-z0-9-]+' | LC_ALL=C sort | paste -sd ' ')
  [ "$(offered "$command" -)" = "$options" ] ||
    fail "for '$command -' the completion offers '$(offered "$command" -)', --help lists '$options'"
done
for section in $(sed -n 's/^\.SS tesmo \([a-z]\+\) .*/\1/p' "$page"); do
  grep -qx "$section" <<<"$table" || fail "the manual page has a section for '$section', no command"
done

if [ "$failures" -ne 0 ]; then
  echo "commands_test: $failures failures"
  exit 1
fi
echo "commands_test: $(wc -w <<<"$table") commands, in the table, the completion and the manual page"
