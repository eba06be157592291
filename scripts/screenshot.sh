#!/usr/bin/env bash
# Takes a picture of the window with the results of its start-up inputs (the
# window as it opens, then a click on Calculate), on a
# virtual X server, and writes it to docs/screenshot.png (cropped to the
# window).
#
# Usage: scripts/screenshot.sh [path/to/tarnel]
# Without an argument it installs what is missing, builds the programs
# and photographs build/bin/tarnel.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

# xvfb-run needs xauth; import comes with imagemagick, xwininfo with x11-utils;
# xdotool clicks the button.
tarnel_install_missing xvfb xauth imagemagick x11-utils xdotool fonts-liberation
if [ $# -ge 1 ]; then
  binary=$1
else
  tarnel_install_missing "${tarnel_run_packages[@]}"
  tarnel_build run
  binary=build/bin/tarnel
fi
output=docs/screenshot.png
mkdir -p "$(dirname "$output")"

# The inner script runs on the virtual display: it waits for the window to be
# mapped, photographs it, and closes the program.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -dpi 96" \
  bash -c '
    set -euo pipefail
    "$1" &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    window=
    for _ in $(seq 100); do
      window=$(xwininfo -root -tree | awk "/\"Tarnel V2\\.0/ { print \$1; exit }")
      [ -n "$window" ] && break
      sleep 0.1
    done
    if [ -z "$window" ]; then
      echo "screenshot: the window did not appear" >&2
      exit 1
    fi
    sleep 1
    # The middle of btProcess (288, 184, 65 x 25).
    xdotool mousemove --window "$window" 320 196 click 1
    sleep 0.5
    /usr/bin/import -window "$window" "$2"
  ' screenshot "$binary" "$output"
echo "Wrote $output"
