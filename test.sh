#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
# Usage: ./test.sh          release build
#        ./test.sh asan     AddressSanitizer + UndefinedBehaviorSanitizer build
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

preset=${1:-release}
case "$preset" in
  release | asan) ;;
  *)
    echo "usage: $0 [release|asan]" >&2
    exit 2
    ;;
esac

tarnel_install_missing "${tarnel_packages[@]}"
tarnel_build "$preset"
ctest --preset "$preset"
