#!/usr/bin/env bash
# Builds the Debian package from an already built tree with cpack and runs
# lintian on it: any error or warning fails; informational tags are shown.
# Usage: run_lintian.sh CPACK CPACK_CONFIG
set -euo pipefail

if [ "$#" -ne 2 ]; then
  echo "usage: $0 CPACK CPACK_CONFIG" >&2
  exit 2
fi
cpack=$1
cpack_config=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-lintian.XXXXXX")
trap 'rm -rf "$work"' EXIT

if ! "$cpack" -G DEB --config "$cpack_config" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack -G DEB failed" >&2
  exit 1
fi
debs=("$work"/out/*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack made no package" >&2; exit 1; }

status=0
# Lintian leaves temporary files of its own behind: keep them in $work.
mkdir "$work/tmp"
TMPDIR=$work/tmp lintian --info --display-info --tag-display-limit 0 "${debs[@]}" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
# Lintian's own failure (exit status 2 and up) is a failure too; 1 means it
# found tags of its default fail-on level, which the count below judges.
if [ "$status" -gt 1 ]; then
  echo "FAIL: lintian exited with status $status" >&2
  exit 1
fi
tags=$(grep -cE '^[EW]: ' "$work/lintian.log" || true)
if [ "$tags" -ne 0 ]; then
  echo "FAIL: lintian reports $tags error(s) or warning(s)" >&2
  exit 1
fi
echo "lintian: no error, no warning on $(basename "${debs[0]}")"
