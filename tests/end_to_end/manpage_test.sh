#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the examples of each
# installed manual page named, so that the paths it names are the ones the
# install made. An example is a block between ".nf" and ".fi" whose first
# line starts with "$ "; each "$ " line is a command, with the lines after it
# while it ends in a backslash, and the lines up to the next command are its
# output (standard output and error together). The commands of a block run
# in one shell, from an empty directory. A command that exits with a status
# other than 0 must show it (as in '; echo "status $?"'), else the run
# differs. Each page must also be clean under "groff -ww -z -man", and
# every path it names under the prefix must exist.
#
#   tests/manpage_test.sh CMAKE BUILD-DIRECTORY DIRECTORY-OF-THE-BUILT-PROGRAMS PAGE...
#
# PAGE is a page's name, as tesmoVerifier for man1/tesmoVerifier.1.
set -uo pipefail
cmake=$1
build=$2
export PATH="$(cd "$3" && pwd):$PATH"
shift 3
[ $# -gt 0 ] || { echo "no manual page named"; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

fail() { failures=$((failures + 1)); echo "$@"; }

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "cmake --install failed"
  exit 1
fi
# Checks the installed page NAME.1, in a scratch directory of its own.
check_page() {
  local name=$1 page examples paths path n rundir
  local scratch=$work/pages/$name
  mkdir -p "$scratch"
  page=$(find "$prefix" -path "*/man1/$name.1")
  [ -f "$page" ] || { fail "$name: no manual page $name.1 under $prefix"; return; }

  if command -v groff >/dev/null; then
    groff -ww -z -man "$page" >"$scratch/groff.log" 2>&1 || true
    [ -s "$scratch/groff.log" ] && fail "$name: groff warns about the page:" &&
      cat "$scratch/groff.log"
  else
    echo "groff not found: the page's roff is not checked"
  fi

  # The page's text lines with the escapes of its examples and paths turned
  # into the characters they show: \- is -, \e and \\ are \, "\ " is a blank,
  # \& is nothing and \[uXXXX] is the character U+XXXX in UTF-8 (as the
  # pictures of tesmo render show their blocks). Any other escape in an
  # example ends the test, so that no example is run in a form it does not
  # show. awk runs in the C locale, so that it writes those bytes as they
  # are. Then the examples, as
  # N.sh (a script that prints each command as shown, then runs it) and
  # N.expected, and "unescaped" (the whole page unescaped, for its paths).
  LC_ALL=C awk -v dir="$scratch" '
    # The UTF-8 bytes of the code point written in HEX, or "" when HEX is
    # no code point.
    function utf8(hex,   cp, i, d) {
      if (length(hex) < 4 || length(hex) > 6) return ""
      cp = 0
      for (i = 1; i <= length(hex); i++) {
        d = index("0123456789ABCDEF", substr(hex, i, 1))
        if (d == 0) return ""
        cp = cp * 16 + d - 1
      }
      if (cp > 1114111 || (cp >= 55296 && cp <= 57343)) return ""
      if (cp < 128) return sprintf("%c", cp)
      if (cp < 2048) return sprintf("%c%c", 192 + int(cp / 64), 128 + cp % 64)
      if (cp < 65536) {
        return sprintf("%c%c%c", 224 + int(cp / 4096), 128 + int(cp / 64) % 64, 128 + cp % 64)
      }
      return sprintf("%c%c%c%c", 240 + int(cp / 262144), 128 + int(cp / 4096) % 64,
                     128 + int(cp / 64) % 64, 128 + cp % 64)
    }
    function unescape(line, strict,   out, c, i, n, u) {
      out = ""
      for (i = 1; i <= length(line); i++) {
        c = substr(line, i, 1)
        if (c != "\\") { out = out c; continue }
        c = substr(line, ++i, 1)
        if (c == "-") out = out "-"
        else if (c == "e" || c == "\\") out = out "\\"
        else if (c == " ") out = out " "
        else if (c == "&") out = out
        else if (c == "[" && substr(line, i + 1, 1) == "u" &&
                 (n = index(substr(line, i), "]")) > 0 &&
                 (u = utf8(substr(line, i + 2, n - 3))) != "") {
          out = out u; i += n - 1
        }
        else if (strict) {
          printf "line %d: escape \\%s in an example\n", NR, c > "/dev/stderr"
          bad = 1; exit 1
        } else out = out "\\" c
      }
      return out
    }
    function quote(text,   out, c, i) {
      out = ""
      for (i = 1; i <= length(text); i++) {
        c = substr(text, i, 1)
        out = out (c == "\047" ? "\047\\\047\047" : c)
      }
      return "\047" out "\047"
    }
    { print unescape($0, 0) > (dir "/unescaped") }
    /^\.nf/ { inblock = 1; lines = 0; next }
    /^\.fi/ && inblock {
      inblock = 0
      if (lines == 0 || substr(line[1], 1, 2) != "$ ") next
      n++
      script = dir "/" n ".sh"; expected = dir "/" n ".expected"
      print "exec 2>&1" > script
      for (i = 1; i <= lines; i++) {
        print line[i] > expected
        if (substr(line[i], 1, 2) != "$ ") continue
        shown = quote(line[i]); command = substr(line[i], 3)
        while (line[i] ~ /\\$/ && i < lines) {
          i++
          print line[i] > expected
          shown = shown " " quote(line[i]); command = command "\n" line[i]
        }
        print "printf \047%s\\n\047 " shown > script
        print command > script
        print "tesmo_status=$?; [ \"$tesmo_status\" -eq 0 ] || echo \"(exit status $tesmo_status)\"" > script
      }
      close(script); close(expected)
      next
    }
    inblock {
      if ($0 ~ /^[.\047]/) {
        printf "line %d: a request inside an example\n", NR > "/dev/stderr"
        bad = 1; exit 1
      }
      line[++lines] = unescape($0, 1)
      next
    }
    /^\$ / { printf "line %d: a command outside .nf/.fi\n", NR > "/dev/stderr"; bad = 1; exit 1 }
    END { if (bad) exit 1; print n + 0 > (dir "/count") }
  ' "$page" || { fail "$name: the page's examples cannot be read"; return; }

  examples=$(cat "$scratch/count")
  [ "$examples" -gt 0 ] || fail "$name: the page holds no examples"
  for ((n = 1; n <= examples; n++)); do
    rundir=$scratch/run$n
    mkdir "$rundir"
    (cd "$rundir" && bash "$scratch/$n.sh") >"$scratch/$n.actual" 2>&1
    if ! cmp -s "$scratch/$n.expected" "$scratch/$n.actual"; then
      fail "$name: manual page example $n differs (expected, then actual):"
      diff "$scratch/$n.expected" "$scratch/$n.actual"
    fi
  done

  # Every path the page names under the prefix exists.
  paths=0
  while IFS= read -r path; do
    paths=$((paths + 1))
    [ -e "$path" ] || fail "$name: the page names $path, which the install did not make"
  done < <(grep -o "$(printf '%s' "$prefix" | sed 's/[][\.*^$]/\\&/g')/[^ :,;()]*" \
             "$scratch/unescaped" | sed 's/[.]$//' | sort -u)
  [ "$paths" -gt 0 ] || fail "$name: the page names nothing under the install prefix"
  echo "$name: $examples manual page examples, $paths installed paths named"
}

for name in "$@"; do
  check_page "$name"
done
echo "$# manual pages, $failures failures"
[ "$failures" -eq 0 ]
