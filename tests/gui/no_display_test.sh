#!/usr/bin/env bash
# Without a display to connect to, tarnel says so in one line and ends with
# status 1 (the toolkit alone would abort with status 134).
# Usage: no_display_test.sh path/to/tarnel
set -uo pipefail
tarnel=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

failed=0
# An X display nobody serves, and no display named at all.
for display in :99 ""; do
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" \
    XDG_RUNTIME_DIR="${TMPDIR:-/tmp}" "$tarnel" >/dev/null 2>"$errors"
  status=$?
  lines=$(wc -l <"$errors")
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q 'no display' "$errors" ||
     ! grep -q 'xvfb-run' "$errors"; then
    echo "DISPLAY=\"$display\": status $status, $lines lines on stderr:" >&2
    cat "$errors" >&2
    failed=1
  fi
done
exit "$failed"
