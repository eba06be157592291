#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

tarnel_install_missing "${tarnel_packages[@]}"
tarnel_build release
ctest --preset release
