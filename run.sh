#!/usr/bin/env bash
# Installs what is missing, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

tarnel_install_missing "${tarnel_packages[@]}"
tarnel_build release
printf '0.01\t0.02\t0.03\t0.001\t0.6\n' | build/bin/tarnel-calc
