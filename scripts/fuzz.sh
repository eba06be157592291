#!/usr/bin/env bash
# Builds the libFuzzer targets with the fuzz preset (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS, starting from the
# seed corpus in fuzz/corpus/<target>. Fails when any target finds a failure.
# Usage: scripts/fuzz.sh [SECONDS]     (default 60)
#
# New inputs go to build-fuzz/corpus-work/<target> (kept between runs, never
# into fuzz/corpus), reproducers of failures to build-fuzz/findings/<target>/,
# and each run's output to build-fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS]" >&2
  exit 2
fi

tarnel_install_missing clang libclang-rt-14-dev cmake ninja-build g++
tarnel_build fuzz

failed=0
summary=()
for target in text_to_number request; do
  binary=build-fuzz/bin/${target}_fuzzer
  work=build-fuzz/corpus-work/$target
  findings=build-fuzz/findings/$target
  log=build-fuzz/logs/$target.log
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  echo "Fuzzing $target for $seconds s (log: $log)"
  status=0
  # A failing input stops the run: libFuzzer writes it to $findings and exits
  # non-zero.
  "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict=fuzz/number.dict -artifact_prefix="$findings/" \
    "$work" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  corpus=$(find "$work" -type f | wc -l)
  if [ "$status" -eq 0 ]; then
    summary+=("$target: OK, ${runs:-?} inputs in $seconds s (${speed:-?} exec/s), $corpus inputs in $work")
  else
    failed=1
    reproducers=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tr '\n' ' ')
    summary+=("$target: FAILED (exit $status) after ${runs:-?} inputs; reproducer: ${reproducers:-none written}; see $log")
    echo "--- end of $log:"
    tail -n 40 "$log"
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
  echo "Rerun a reproducer with: build-fuzz/bin/<target>_fuzzer <file>"
  exit 1
fi
