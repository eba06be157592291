#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/tarnel_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

tarnel_install_missing "${tarnel_run_packages[@]}" "${tarnel_package_packages[@]}"
tarnel_build run
# Everything the package installs besides the programs (the manual pages).
cmake --build build
(cd build && cpack -G DEB --config CPackConfig.cmake >cpack.log 2>&1) || {
  cat build/cpack.log >&2
  echo "package.sh: cpack failed" >&2
  exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
deb=tarnel_${version}_amd64.deb
[ -f "build/$deb" ] || { echo "package.sh: cpack made no build/$deb" >&2; exit 1; }
echo "Package: build/$deb"
echo "Install it with: sudo apt-get install ./build/$deb"
