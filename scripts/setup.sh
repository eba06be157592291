#!/usr/bin/env bash
# Installs the Debian packages Tarnel needs that are missing, then configures
# and builds a preset. Sourced by run.sh, test.sh and package.sh.
set -euo pipefail

# The programs (./run.sh): the build tools, the libraries the window and
# tarnel-calc link, and the window's font.
tarnel_run_packages=(
  g++ cmake ninja-build
  qt6-base-dev qt6-base-dev-tools fonts-liberation
  # Qt's own Russian texts: the fields' standard menu and the dialog buttons.
  qt6-translations-l10n
)
# The Debian package (./package.sh): dependencies computed by
# dpkg-shlibdeps (CPack picks the programs to give it with file).
tarnel_package_packages=(dpkg-dev file)
# The tests of the release build (./test.sh), on top of those.
tarnel_test_packages=(libgtest-dev libgmock-dev libbenchmark-dev)
# The separator tests compile real locales from these sources.
tarnel_test_packages+=(locales)
# The window test that offers only DejaVu Sans builds its own fontconfig
# configuration around it.
tarnel_test_packages+=(fonts-dejavu-core fontconfig)
# The window test on an X server under a window manager, with real keys;
# xvfb-run (from xvfb) needs xauth, which xvfb only recommends.
tarnel_test_packages+=(xvfb xauth openbox xdotool x11-utils)
# The package test: the desktop entry and the AppStream metadata checked by
# their validators, the manual pages opened, lintian over the package.
tarnel_test_packages+=(desktop-file-utils appstream man-db lintian)

# What ./test.sh PRESET needs beyond the programs.
tarnel_preset_packages() {
  case "$1" in
    release | asan | tsan) echo "${tarnel_package_packages[@]}" "${tarnel_test_packages[@]}" ;;
    # The clang build: the same results from another compiler.
    clang) echo "${tarnel_package_packages[@]}" "${tarnel_test_packages[@]}" clang ;;
    lint) echo clang-tidy ;;
  esac
}

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
    release | run) echo build ;;
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
  # The run and release presets share build/: each configures it again for
  # itself.
  presets="$preset $(sha256sum CMakePresets.json)"
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$presets" ]; then
    cmake --preset "$preset"
    printf '%s\n' "$presets" >"$stamp"
  fi
  cmake --build --preset "$preset"
}
