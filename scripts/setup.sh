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
# The window test on an X server under a window manager, with real keys.
tarnel_packages+=(xvfb openbox xdotool x11-utils)
# The lint test.
tarnel_packages+=(clang-tidy)
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
  local package
  for package in "$@"; do
    if ! dpkg -s "$package" >/dev/null 2>&1 ||
       ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "error: packages ${missing[*]} are missing and neither root nor sudo is available" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

tarnel_build() {
  local preset=${1:-release}
  cmake --preset "$preset"
  cmake --build --preset "$preset"
}
