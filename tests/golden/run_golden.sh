#!/usr/bin/env bash
# Runs the input columns of a golden file through tarnel-calc and compares
# the output with the expected columns, line by line.
# Usage: run_golden.sh DRIVER FILE [DRIVER OPTIONS...]
# FILE: TAB-separated lines of R1 R2 H D Lambda, then N R L Message Error;
# lines starting with "#" and empty lines are skipped.
set -euo pipefail
driver=$1
file=$2
shift 2

rows=$(grep -v -e '^#' -e '^$' "$file")
inputs=$(printf '%s\n' "$rows" | cut -f1-5)
expected=$(printf '%s\n' "$rows" | cut -f6-10)
actual=$(printf '%s\n' "$inputs" | "$driver" "$@")

if [ "$expected" != "$actual" ]; then
  echo "golden mismatch in $file (- expected, + actual; input on the left):"
  diff <(paste <(printf '%s\n' "$inputs") <(printf '%s\n' "$expected")) \
       <(paste <(printf '%s\n' "$inputs") <(printf '%s\n' "$actual")) || true
  exit 1
fi
echo "$(printf '%s\n' "$rows" | wc -l) golden rows match in $(basename "$file")"
