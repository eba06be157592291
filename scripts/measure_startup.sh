#!/usr/bin/env bash
# Start-up time of Tarnel's window against a bare Qt window of the same size,
# on the offscreen platform: for each, the median over N runs of the time
# from the start of main() to each milestone tarnel-startup-probe reports.
# A third window, the bare one holding one line of text, shows what loading
# the fonts costs any window with text; Tarnel's first frame is measured
# against it.
#
# Usage: scripts/measure_startup.sh [path/to/tarnel-startup-probe] [N]
# Defaults: build/bin/tarnel-startup-probe, N = 20.
set -euo pipefail
cd "$(dirname "$0")/.."

probe=${1:-build/bin/tarnel-startup-probe}
runs=${2:-20}
if [ ! -x "$probe" ]; then
  echo "measure_startup: no probe at $probe (build the tarnel-startup-probe target)" >&2
  exit 1
fi

samples=$(mktemp)
runtime_dir=
cleanup() {
  rm -f "$samples"
  if [ -n "$runtime_dir" ]; then rm -rf "$runtime_dir"; fi
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime_dir=$(mktemp -d)
  export XDG_RUNTIME_DIR=$runtime_dir
fi

modes=(bare bare-label tarnel)
# One unmeasured run of each loads the libraries into the page cache; then the
# modes alternate, so a change in the machine's load touches all alike.
for mode in "${modes[@]}"; do "$probe" "--$mode" >/dev/null; done
for _ in $(seq "$runs"); do
  for mode in "${modes[@]}"; do "$probe" "--$mode"; done
done >"$samples"

# The median of column $2 of the lines of mode $1.
median() {
  awk -v mode="$1" -v column="$2" '$1 == mode { print $column }' "$samples" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "median ms from the start of main(), $runs runs of each, QT_QPA_PLATFORM=offscreen"
printf '%-11s %-8s %12s %12s %12s %12s %12s\n' window size application "window made" shown \
  "1st expose" "1st frame"
for mode in "${modes[@]}"; do
  size=$(awk -v mode="$mode" '$1 == mode { print $7; exit }' "$samples")
  printf '%-11s %-8s %12.3f %12.3f %12.3f %12.3f %12.3f\n' "$mode" "$size" \
    "$(median "$mode" 2)" "$(median "$mode" 3)" "$(median "$mode" 4)" \
    "$(median "$mode" 5)" "$(median "$mode" 6)"
done
awk -v t="$(median tarnel 6)" -v b="$(median bare 6)" -v l="$(median bare-label 6)" 'BEGIN {
  printf "tarnel / bare, first frame:       %.3f\n", t / b
  printf "tarnel / bare-label, first frame: %.3f (goal: at most 1.3)\n", t / l
}'
