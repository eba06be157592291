#!/usr/bin/env bash
# Installs what is missing to build the programs, builds them, and opens the
# calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

tarnel_install_missing "${tarnel_run_packages[@]}"
tarnel_build run

# Without a display the toolkit would only abort.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); on a machine without one install xvfb and xauth and run: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec build/bin/tarnel
