#!/usr/bin/env bash
# The window as a person finds it: on an X server (Xvfb) under a window
# manager (openbox), driven by real key presses and clicks (XTEST). Checks
# the window's WM_CLASS and place, the error box's owner and its place
# (centred on the window), that the field typed in has the keyboard again
# once the box is closed, and that Enter on the focused Exit button ends the
# program. Every wait polls and gives up only after a minute, so that a
# loaded machine slows the test down but does not fail it.
# Usage: x11_session_test.sh path/to/tarnel
set -uo pipefail
tarnel=$1
for tool in Xvfb openbox xdotool xprop xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "x11_session_test: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/tarnel.log" ]; then
    echo "tarnel said:" >&2
    cat "$work/tarnel.log" >&2
  fi
  exit 1
}

# Waits up to a minute for the command to succeed.
await() {
  local deadline=$((SECONDS + 60))
  while ! "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
# Under the POSIX locale Qt writes the box's Cyrillic title into WM_NAME as
# raw UTF-8, which xdotool's search does not read as the same text.
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$work
# In the sanitizer build: libxkbcommon-x11 copies a counted, unterminated
# keymap name with strndup(), which is valid but which strict string checks
# take for an overread of the whole string.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
fi
# Xvfb takes a free display itself and writes its number once it accepts
# clients: other sessions like this one may be starting at the same time.
# Without -noreset it resets whenever its last client leaves (the xprop
# below), and a window manager connecting during the reset fails to open
# the display.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
pids+=($!)
has_display() { grep -q '^[0-9]' "$work/display"; }
await has_display || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")
await xprop -root || fail "Xvfb did not start on $DISPLAY"
openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!
pids+=("$openbox_pid")
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
await has_wm || fail "openbox did not start on $DISPLAY ($(kill -0 "$openbox_pid" 2>/dev/null &&
  echo running || echo ended)): $(cat "$work/openbox.log")"

"$tarnel" >"$work/tarnel.log" 2>&1 &
tarnel_pid=$!
pids+=("$tarnel_pid")
find_window() { xdotool search --name "$1" | head -1 | grep .; }
await find_window '^Tarnel V2\.0' || fail "the window did not appear"
window=$(find_window '^Tarnel V2\.0')
is_active() { [ "$(xdotool getactivewindow)" = "$1" ]; }
await is_active "$window" || fail "the window is not active"

wm_class=$(xprop -id "$window" WM_CLASS)
[ "$wm_class" = 'WM_CLASS(STRING) = "tarnel", "Tarnel"' ] || fail "$wm_class"

# The frame's top-left corner: the client's place less the frame's left and
# top extents.
read -r left _ top _ <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $4 }')
y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $4 }')
[ "$((x - left)),$((y - top))" = "97,114" ] || fail "frame at $((x - left)),$((y - top))"

# A word in edR1 (8, 16 in the group box at 16, 24), then Enter.
xdotool mousemove --window "$window" 40 50 click 1
xdotool key ctrl+a
xdotool type abc
xdotool key Return
title='^Программа расчета цилиндрического соленоида$'
await find_window "$title" || fail "no error box"
box=$(find_window "$title")
transient=$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{ print $NF }')
[ "$((transient))" = "$window" ] || fail "the box is transient for '$transient', not $window"
xprop -id "$box" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "the box is not modal"
await is_active "$box" || fail "the box is not active"

# The box's centre is the window's (client areas; both frames have the same
# title bar). The window manager may still be placing it: wait for it.
centre() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { printf "%d %d\n", x + w / 2, y + h / 2 }'
}
centred() {
  local wx wy bx by
  read -r wx wy <<<"$(centre "$window")"
  read -r bx by <<<"$(centre "$box")"
  [ "$(( (bx - wx) * (bx - wx) + (by - wy) * (by - wy) ))" -le 4 ]
}
await centred || fail "the box's centre $(centre "$box") is not the window's $(centre "$window")"

# Enter closes the box. Typing goes on in edR1: "1" replaces the word and
# Enter calculates without a box (R2 > R1 fails: a message, no box). With
# the focus anywhere else the keys would be lost and Enter would show the
# same box again.
xdotool key Return
await is_active "$window" || fail "the window is not active again"
no_box() { ! find_window "$title" >/dev/null; }
await no_box || fail "the box stayed open"
xdotool key ctrl+a
xdotool type 1
xdotool key Return

# Shift+Tab from edR1 to Exit, Enter presses it. Had the keys above been lost
# or a box opened again, these keys would go elsewhere and the program would
# not end.
xdotool key shift+Tab
xdotool key Return
ended() { ! kill -0 "$tarnel_pid"; }
await ended || fail "Enter on Exit did not end the program$(no_box || echo ': an error box is open')"
wait "$tarnel_pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "WM_CLASS, place, box owner and place, focus, and Enter on Exit as expected"
