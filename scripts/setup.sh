#!/usr/bin/env bash
# Installs the Debian packages Tarnel needs that are missing, then configures
# and builds the release preset. Sourced by run.sh and test.sh.
set -euo pipefail

tarnel_packages=(
  g++ cmake ninja-build
  qt6-base-dev qt6-base-dev-tools fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
)
# The separator tests compile real locales from these sources.
tarnel_packages+=(locales)
# The window test that offers only DejaVu Sans builds its own fontconfig
# configuration around it.
tarnel_packages+=(fonts-dejavu-core fontconfig)
# The window test on an X server under a window manager, with real keys;
# xvfb-run (from xvfb) needs xauth, which xvfb only recommends.
tarnel_packages+=(xvfb xauth openbox xdotool x11-utils)
# The lint test.
tarnel_packages+=(clang-tidy)
# Qt's own Russian texts: the fields' standard menu and the dialog buttons.
tarnel_packages+=(qt6-translations-l10n)
# The clang build (./test.sh clang): the same results from another compiler.
tarnel_packages+=(clang)
# The Debian package test: dependencies computed by dpkg-shlibdeps (CPack
# picks the programs to give it with file), the desktop entry and the
# AppStream metadata checked by their validators.
tarnel_packages+=(dpkg-dev file desktop-file-utils appstream)
# The package test opens the manual pages; lintian checks the package.
tarnel_packages+=(man-db lintian)

tarnel_install_missing() {
  local missing=()
  local package installed
  # One query for all: a package dpkg does not know at all is left out of
  # its answer, which then ends with status 1.
  installed=" $({ dpkg-query -W -f='${Package} ${db:Status-Status}\n' "$@" 2>/dev/null || true; } |
    awk '$2 == "installed" { printf "%s ", $1 }')"
  for package in "$@"; do
    if [[ "$installed" != *" $package "* ]]; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "error: packages ${missing[*]} are missing and neither root nor sudo is available to install them" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  echo "Installing missing packages: ${missing[*]}"
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The build folder of a configure preset, as CMakePresets.json names it.
tarnel_build_dir() {
  case "$1" in
    release) echo build ;;
    *) echo "build-$1" ;;
  esac
}

# Configures only a build folder that has not been configured yet, or whose
# presets have changed since; afterwards the build re-runs CMake by itself
# whenever a CMakeLists.txt changes.
tarnel_build() {
  local preset=${1:-release}
  local dir stamp presets
  dir=$(tarnel_build_dir "$preset")
  stamp=$dir/.tarnel-presets
  presets=$(sha256sum CMakePresets.json)
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$presets" ]; then
    cmake --preset "$preset"
    printf '%s\n' "$presets" >"$stamp"
  fi
  cmake --build --preset "$preset"
}
