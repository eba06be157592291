#!/usr/bin/env bash
# scripts/setup.sh with stand-ins for id, dpkg, sudo, apt-get and cmake:
# which packages it installs and how, what it says first when it cannot, and
# when it configures a build folder again.
# Usage: setup_test.sh path/to/scripts/setup.sh
set -uo pipefail
setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-setup.XXXXXX")
trap 'rm -rf "$work"' EXIT
bin=$work/bin
mkdir -p "$bin" "$work/tree"
for tool in awk cat sha256sum; do
  ln -s "$(command -v "$tool")" "$bin/$tool"
done
# dpkg-query knows every package but "absent" (and then ends with status 1,
# as it does) and "removed", which it knows as removed; the others log their
# calls.
cat >"$bin/dpkg-query" <<'STUB'
#!/bin/sh
shift 2
status=0
for package; do
  case $package in
    absent) echo "dpkg-query: no packages found matching $package" >&2; status=1 ;;
    removed) echo "$package config-files" ;;
    *) echo "$package installed" ;;
  esac
done
exit $status
STUB
for tool in apt-get cmake; do
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$work" >"$bin/$tool"
done
printf '#!/bin/sh\necho "sudo" >>"%s/calls"\nexec "$@"\n' "$work" >"$work/sudo"
printf '#!/bin/sh\necho "${FAKE_UID:-0}"\n' >"$bin/id"
chmod +x "$bin"/* "$work/sudo"

failures=0
# One case: NAME UID SUDO(yes/no) COMMAND EXPECTED_STATUS EXPECTED_OUTPUT
# EXPECTED_CALLS; output is standard output and error together, in order.
check() {
  local name=$1 uid=$2 sudo=$3 command=$4 expected_status=$5 expected_output=$6 expected_calls=$7
  local status=0 output calls
  rm -f "$work/calls" "$bin/sudo"
  [ "$sudo" = no ] || ln -s "$work/sudo" "$bin/sudo"
  output=$(cd "$work/tree" && FAKE_UID=$uid PATH=$bin /bin/bash -c \
    "source '$setup' && $command" 2>&1) || status=$?
  calls=$(cat "$work/calls" 2>/dev/null | tr '\n' ';')
  if [ "$status" != "$expected_status" ] || [ "$output" != "$expected_output" ] ||
     [ "$calls" != "$expected_calls" ]; then
    echo "FAIL: $name: status $status, output [$output], calls [$calls]" >&2
    echo "      expected $expected_status, [$expected_output], [$expected_calls]" >&2
    failures=$((failures + 1))
  fi
}

check "nothing missing" 1000 no "tarnel_install_missing present" 0 "" ""
check "no root, no sudo: says so before any install" 1000 no \
  "tarnel_install_missing present absent" 1 \
  "error: packages absent are missing and neither root nor sudo is available to install them" ""
check "sudo" 1000 yes "tarnel_install_missing absent present" 0 \
  "Installing missing packages: absent" \
  "sudo;apt-get update;sudo;apt-get install -y --no-install-recommends absent;"
check "root" 0 no "tarnel_install_missing absent present removed" 0 \
  "Installing missing packages: absent removed" \
  "apt-get update;apt-get install -y --no-install-recommends absent removed;"
check "xauth with xvfb" 0 no \
  'for p in "${tarnel_test_packages[@]}"; do [ "$p" != xvfb ] || x=1; [ "$p" != xauth ] || a=1; done; [ "$x$a" = 11 ]' \
  0 "" ""
# The programs' set-up brings no test tool and no window manager, which would
# become the desktop's default.
check "run needs no test tools" 0 no \
  'for p in "${tarnel_run_packages[@]}"; do case $p in openbox | xvfb | clang* | lintian | libgtest-dev | libbenchmark-dev) exit 1 ;; esac; done' \
  0 "" ""
check "lint needs only clang-tidy" 0 no '[ "$(tarnel_preset_packages lint)" = clang-tidy ]' 0 "" ""

# Configuring: a folder without build.ninja, then one whose presets are
# unchanged, then changed presets, and another preset's folder.
echo '{"version": 6}' >"$work/tree/CMakePresets.json"
configure_and_build() {
  check "$1" 0 no "tarnel_build $2 && touch $3/build.ninja" 0 "" "$4"
}
mkdir -p "$work/tree/build" "$work/tree/build-asan"
ln -s "$(command -v touch)" "$bin/touch"
configure_and_build "first build" release build "cmake --preset release;cmake --build --preset release;"
configure_and_build "second build" release build "cmake --build --preset release;"
echo '{"version": 6, "x": 1}' >"$work/tree/CMakePresets.json"
configure_and_build "presets changed" release build "cmake --preset release;cmake --build --preset release;"
configure_and_build "asan folder" asan build-asan "cmake --preset asan;cmake --build --preset asan;"
configure_and_build "asan again" asan build-asan "cmake --build --preset asan;"
configure_and_build "run in the release folder" run build "cmake --preset run;cmake --build --preset run;"
configure_and_build "release after run" release build "cmake --preset release;cmake --build --preset release;"

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed" >&2
  exit 1
fi
echo "set-up cases pass"
