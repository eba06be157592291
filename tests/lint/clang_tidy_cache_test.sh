#!/usr/bin/env bash
# The lint test's memory of clean clang-tidy checks (scripts/clang_tidy_cached.sh)
# on a made-up build folder, with stand-ins for clang-tidy and Ninja: a file is
# checked again exactly when something that could change its verdict has
# changed, and a file that failed is checked every time.
# Usage: clang_tidy_cache_test.sh path/to/clang_tidy_cached.sh
set -uo pipefail
script=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-tidy-cache.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/sub" "$work/build" "$work/bin"

# clang-tidy: says its version, logs the file it checks, fails on "BAD".
cat >"$work/bin/clang-tidy" <<'TIDY'
#!/bin/sh
if [ "$1" = --version ]; then cat "$(dirname "$0")/version"; exit 0; fi
for file; do :; done
basename "$file" >>"$(dirname "$0")/calls"
! grep -q BAD "$file"
TIDY
# Ninja: prints the recorded header lists.
cat >"$work/bin/ninja" <<'NINJA'
#!/bin/sh
[ "$1 $2" = "-t deps" ] && cat "$(dirname "$0")/deps"
NINJA
chmod +x "$work/bin/clang-tidy" "$work/bin/ninja"
echo "fake clang-tidy 1" >"$work/bin/version"

echo "Checks: one" >"$work/src/.clang-tidy"
echo "int h;" >"$work/src/h.h"
printf '#include "h.h"\nint a;\n' >"$work/src/a.cpp"
echo "int b;" >"$work/src/sub/b.cpp"
: >"$work/build/build.ninja"
commands() {
  cat <<JSON
[
{
  "directory": "$work/build",
  "command": "/usr/bin/c++ $1 -o a.o -c $work/src/a.cpp",
  "file": "$work/src/a.cpp"
},
{
  "directory": "$work/build",
  "command": "/usr/bin/c++ -O3 -o sub/b.o -c $work/src/sub/b.cpp",
  "file": "$work/src/sub/b.cpp"
}
]
JSON
}
commands -O3 >"$work/build/compile_commands.json"
deps() {
  printf 'a.o: #deps 2, deps mtime 1 (%s)\n    ../src/a.cpp\n    ../src/h.h\n\n' "$1"
  printf 'sub/b.o: #deps 1, deps mtime 1 (VALID)\n    ../src/sub/b.cpp\n\n'
}
deps VALID >"$work/bin/deps"

failures=0
# One step: NAME EXPECTED_CHECKS EXPECTED_STATUS, after the change made
# before it.
step() {
  local name=$1 expected=$2 expected_status=$3 status=0 checked
  : >"$work/bin/calls"
  bash "$script" "$work/bin/clang-tidy" "$work/bin/ninja" "$work/build" \
    "$work/src/a.cpp" "$work/src/sub/b.cpp" >"$work/log" 2>&1 || status=$?
  checked=$(sort "$work/bin/calls" | tr '\n' ' ' | sed 's/ $//')
  if [ "$checked" != "$expected" ] || [ "$status" != "$expected_status" ]; then
    echo "FAIL: $name: checked [$checked], status $status; expected [$expected], status $expected_status" >&2
    cat "$work/log" >&2
    failures=$((failures + 1))
  fi
}

step "first run" "a.cpp b.cpp" 0
step "nothing changed" "" 0
echo "long h;" >"$work/src/h.h"
step "included header changed" "a.cpp" 0
echo "int b; // BAD" >"$work/src/sub/b.cpp"
step "file made unclean" "b.cpp" 1
step "unclean file again" "b.cpp" 1
echo "int b;" >"$work/src/sub/b.cpp"
step "file clean as before" "" 0
echo "Checks: two" >"$work/src/.clang-tidy"
step "configuration changed" "a.cpp b.cpp" 0
echo "Checks: three" >"$work/src/sub/.clang-tidy"
step "configuration of a subfolder added" "b.cpp" 0
commands -O2 >"$work/build/compile_commands.json"
step "compile command changed" "a.cpp" 0
echo "fake clang-tidy 2" >"$work/bin/version"
step "clang-tidy changed" "a.cpp b.cpp" 0
deps STALE >"$work/bin/deps"
step "header list older than the object" "a.cpp" 0
step "header list still old" "a.cpp" 0
deps VALID >"$work/bin/deps"
rm "$work/src/h.h"
step "included header gone" "a.cpp" 0

if [ "$failures" -ne 0 ]; then
  echo "$failures step(s) failed" >&2
  exit 1
fi
echo "clang-tidy cache steps pass"
