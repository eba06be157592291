#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tests.
# Usage: ./test.sh          release build, every test through ctest
#        ./test.sh asan     AddressSanitizer + UndefinedBehaviorSanitizer build
#        ./test.sh tsan     ThreadSanitizer build of the threaded parts and
#                           the tests of their threads
#        ./test.sh clang    the core, the reference library and the command
#                           line built by clang (no window)
#        ./test.sh lint     clang-tidy over every product folder as part of
#                           each compile: the build is the check
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

preset=${1:-release}
case "$preset" in
  release | asan | tsan | clang | lint) ;;
  *)
    echo "usage: $0 [release|asan|tsan|clang|lint]" >&2
    exit 2
    ;;
esac

# shellcheck disable=SC2046 # one package name a word
tarnel_install_missing "${tarnel_run_packages[@]}" $(tarnel_preset_packages "$preset")
tarnel_build "$preset"
if [ "$preset" != lint ]; then
  ctest --preset "$preset"
fi
