#!/usr/bin/env bash
# Runs html_test.py with Debian's python3, which has python3-selenium; exits
# 77 (skipped) when that python, Chromium or its driver is missing, unless
# TESMO_REQUIRE_BROWSER is set (CI sets it, having installed them).
#
#   tests/end_to_end/html_test.sh TESMO TESMOVERIFIER EXAMPLES_DIR [--screenshot PATH]
python=/usr/bin/python3
missing=""
[ -x "$python" ] || missing="python3"
command -v chromium >/dev/null || [ -x /usr/bin/chromium ] || missing="$missing chromium"
if [ -n "$missing" ]; then
  if [ -n "${TESMO_REQUIRE_BROWSER:-}" ]; then
    echo "html_test: needs$missing" >&2
    exit 1
  fi
  echo "html_test: skipped: needs$missing"
  exit 77
fi
exec "$python" "$(dirname "$0")/html_test.py" "$@"
