#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
# Usage: ./test.sh          release build
#        ./test.sh asan     AddressSanitizer + UndefinedBehaviorSanitizer build
#        ./test.sh clang    the core, the reference library and the command
#                           line built by clang (no window)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

preset=${1:-release}
case "$preset" in
  release | asan | clang) ;;
  *)
    echo "usage: $0 [release|asan|clang]" >&2
    exit 2
    ;;
esac

tarnel_install_missing "${tarnel_packages[@]}"
tarnel_build "$preset"
ctest --preset "$preset"
