#!/usr/bin/env bash
# Installs what is missing, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

# Without a display the toolkit would only abort: say so before any set-up.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  hint="on a machine without one run: xvfb-run -a ./run.sh"
  # xvfb-run needs xauth, which its package only recommends.
  if ! command -v xvfb-run >/dev/null || ! command -v xauth >/dev/null; then
    hint="$hint (after installing the Debian packages xvfb and xauth, which ./test.sh installs)"
  fi
  echo "run.sh: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); $hint" >&2
  exit 1
fi

tarnel_install_missing "${tarnel_packages[@]}"
tarnel_build release
exec build/bin/tarnel
