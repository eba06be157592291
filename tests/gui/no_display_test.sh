#!/usr/bin/env bash
# Without a display to connect to, tarnel says so in one line and ends with
# status 1 (the toolkit alone would abort with status 134). The line names
# xvfb-run, and the Debian packages to install first when xvfb-run or the
# xauth it needs is not on the PATH.
# Usage: no_display_test.sh path/to/tarnel
set -uo pipefail
tarnel=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-no-display.XXXXXX")
trap 'rm -rf "$work"' EXIT
errors=$work/errors

# Folders to search for programs: both, one, none of them.
mkdir -p "$work/both" "$work/xvfb-run" "$work/none"
for program in xvfb-run xauth; do
  ln -s /bin/true "$work/both/$program"
done
ln -s /bin/true "$work/xvfb-run/xvfb-run"

failed=0
# One case: DISPLAY PATH TEXT (a text the line must hold; "!" before it: a
# text it must not hold).
check() {
  local display=$1 path=$2
  shift 2
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" PATH="$path" \
    XDG_RUNTIME_DIR="${TMPDIR:-/tmp}" "$tarnel" >/dev/null 2>"$errors"
  local status=$? lines text ok=1
  lines=$(wc -l <"$errors")
  [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && grep -q 'no display' "$errors" &&
    grep -q 'xvfb-run -a tarnel' "$errors" || ok=0
  for text in "$@"; do
    if [ "${text:0:1}" = '!' ]; then
      ! grep -Fq -- "${text:1}" "$errors" || ok=0
    else
      grep -Fq -- "$text" "$errors" || ok=0
    fi
  done
  if [ "$ok" -eq 0 ]; then
    echo "DISPLAY=\"$display\" PATH=$path: status $status, $lines lines on stderr:" >&2
    cat "$errors" >&2
    failed=1
  fi
}

# An X display nobody serves, and no display named at all.
check :99 "$work/both" 'DISPLAY=":99"' '!installing'
check "" "$work/both" '!installing'
check "" "$work/xvfb-run" 'installing the Debian package xauth)'
check "" "$work/none" 'installing the Debian packages xvfb xauth)'
exit "$failed"
