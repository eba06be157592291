#!/usr/bin/env bash
# The command line of tarnel-calc beyond the golden files: lines with other
# than five fields, lines too long, lines that arrive in pieces, the exact
# columns, the header, the decimal separator option, read and write failures,
# a thread that cannot start, bounded memory, and the same output on any
# thread count.
# Usage: run_cli_cases.sh DRIVER
set -uo pipefail
driver=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

start=$'0.01\t0.02\t0.03\t0.001\t0.6'
start_out=$'229.2\t0.4593\t0.0008033\tГотов ...\t'

# One case: NAME STATUS STDOUT STDERR INPUT [OPTIONS...]
#   STDOUT  the exact output, or ~REGEX that the whole output must match (grep -Ez)
#   STDERR  text the error output must contain ("" : it must be empty)
#   INPUT   the standard input (printf %s)
check() {
  local name=$1 status=$2 stdout=$3 stderr=$4 input=$5
  shift 5
  local actual=0
  printf '%s' "$input" | "$driver" "$@" >"$work/out" 2>"$work/err" || actual=$?
  [ "$actual" = "$status" ] || fail "$name: exit status $actual, expected $status"
  if [ "${stdout:0:1}" = "~" ]; then
    grep -Ezq "${stdout:1}" "$work/out" || fail "$name: output does not match ${stdout:1}: $(cat -A "$work/out")"
  elif [ "$(cat "$work/out"; echo .)" != "$stdout." ]; then
    fail "$name: output $(cat -A "$work/out"), expected $(printf '%s' "$stdout" | cat -A)"
  fi
  if [ -z "$stderr" ]; then
    [ ! -s "$work/err" ] || fail "$name: unexpected error output: $(cat "$work/err")"
  elif ! grep -Fq -- "$stderr" "$work/err"; then
    fail "$name: error output lacks '$stderr': $(cat "$work/err")"
  fi
}

nl=$'\n'
t=$'\t'
wrong="${t}${t}${t}${t}expected 5 fields, got"

# Field counts: every line is answered, in order; the wrong ones make the
# exit status 1 after the whole input.
check six_fields 1 "${wrong} 6${nl}${start_out}${nl}" "1 line without 5 fields" \
  "${start}${t}7${nl}${start}${nl}"
check few_fields 1 "${wrong} 2${nl}${wrong} 1${nl}${wrong} 4${nl}${start_out}${nl}" \
  "3 lines without 5 fields" "1${t}2${nl}${nl}1${t}2${t}3${t}4${nl}${start}${nl}"
check wrong_with_exact 1 "${wrong} 6${t}${t}${nl}" "1 line without 5 fields" \
  "${start}${t}${nl}" --exact
# Line ends: CR LF, and a last line without a line break.
check line_ends 0 "${start_out}${nl}${start_out}${nl}" "" "${start}"$'\r\n'"${start}"

# Line lengths: up to 1 MiB without its line break a line is calculated;
# a longer one is answered "line too long", whether it ends inside one read
# (just over the limit) or spans many (3 MiB), and is skipped up to its line
# break.
too_long="${t}${t}${t}${t}line too long"
at_limit=$(head -c 1048576 /dev/zero | tr '\0' x)
over_limit=${at_limit}x
huge=$(head -c 3145728 /dev/zero | tr '\0' 7)
check at_limit 1 "${wrong} 1${nl}${start_out}${nl}" "1 line without 5 fields" \
  "${at_limit}${nl}${start}${nl}"
check at_limit_crlf 1 "${wrong} 1${nl}${start_out}${nl}" "1 line without 5 fields" \
  "${at_limit}"$'\r\n'"${start}${nl}"
check over_limit 1 "${too_long}${nl}${start_out}${nl}" "1 line longer than 1048576 bytes" \
  "${over_limit}${nl}${start}${nl}"
check over_limit_exact 1 "${too_long}${t}${t}${nl}${wrong} 2${t}${t}${nl}" \
  "1 line longer than 1048576 bytes" "${over_limit}${nl}a${t}b${nl}" --exact
check over_limit_solve 1 "${t}${too_long}${t}${t}${nl}${t}${wrong/5/6} 2${t}${t}${nl}" \
  "1 line longer than 1048576 bytes" "${over_limit}${nl}a${t}b${nl}" --solve
check huge_between 1 "${start_out}${nl}${too_long}${nl}${too_long}${nl}${start_out}${nl}" \
  "2 lines longer than 1048576 bytes" "${start}${nl}${huge}${nl}${huge}${t}${huge}${nl}${start}${nl}"
check huge_last 1 "${start_out}${nl}${too_long}${nl}" "1 line longer than 1048576 bytes" \
  "${start}${nl}${huge}"

# The exact columns: empty without an L, NA when the winding cannot be
# evaluated (here N is so small that N^2 underflows), the decimal separator.
check exact_no_L 0 $'\t\t\tВведите R2 > R1\t\t\t\n\t\t\t\tEConvertError: \'x\' is not a valid floating point value\t\t\n' "" \
  $'0.02\t0.01\t0.03\t0.001\t0.6\nx\t0.02\t0.03\t0.001\t0.6\n' --exact
check exact_NA 0 $'3.82E-2998\t7.655E-3001\t0\tГотов ...\t\tNA\tNA\n' "" \
  $'0.01\t0.02\t0.03\t0.001\t1e-3000\n' --exact
check exact_mark 0 $'~^229;2\t0;4593\t0;0008033\tГотов \\.\\.\\.\t\t8;[0-9]{9}e-04\t-?[0-9];[0-9]{3}e-[0-9]{2}\n$' "" \
  $'0;01\t0;02\t0;03\t0;001\t0;6\n' --exact --mark ';'
check header 0 $'N\tR\tL\tMessage\tError\n' "" ""  --header
check header_exact 0 $'N\tR\tL\tMessage\tError\tExactL\tDeviation\n\t\t\tВведите Lambda < 1\t\t\t\n' "" \
  $'0.01\t0.02\t0.03\t0.001\t1\n' --header --exact

# Decimal separators that would be read as part of a number or a field.
for mark in 0 9 + - e E ' ' $'\t' ab ''; do
  check "mark [$mark]" 2 "" "--mark takes one ASCII character" "$start" --mark "$mark"
done
check mark_missing 2 "" "--mark needs a value" "$start" --mark
check unknown_option 2 "" "unknown option '--fast'" "$start" --fast
check jobs_zero 2 "" "--jobs takes a whole number" "$start" --jobs 0
check help 0 "~^Usage: tarnel-calc .*--exact.*Exit status" "" "" --help
check version 0 "~^tarnel-calc [0-9]+\\.[0-9]+\\.[0-9]+${nl}\$" "" "" --version

# The exact inductance of the start-up winding is 15.2947681903 nH per
# turn squared (tests/reference/exact_inductance_test.cpp); the deviation is
# L / exact - 1 of the printed numbers.
read -r N L exact deviation < <(printf '%s\n' "$start" | "$driver" --full --exact | cut -f1,3,6,7)
awk -v N="$N" -v L="$L" -v exact="$exact" -v deviation="$deviation" 'BEGIN {
  expected = 15.2947681903e-9 * N * N
  if (exact / expected - 1 > 1e-8 || exact / expected - 1 < -1e-8) {
    printf "exact L %s, expected %.10e\n", exact, expected; exit 1
  }
  if ((L / exact - 1) / deviation - 1 > 1e-3 || (L / exact - 1) / deviation - 1 < -1e-3) {
    printf "deviation %s, L / exact - 1 = %.4e\n", deviation, L / exact - 1; exit 1
  }
}' || fail "exact columns of the start-up line"

# Read and write failures: said on the error output, exit status 1.
status=0
printf '%s\n' "$start" | "$driver" >/dev/full 2>"$work/err" || status=$?
[ "$status" = 1 ] && grep -Fq "cannot write the output" "$work/err" ||
  fail "full disk: exit status $status, $(cat "$work/err")"
status=0
printf '%s' "$start" | "$driver" >/dev/full 2>"$work/err" || status=$?
[ "$status" = 1 ] && grep -Fq "cannot write the output" "$work/err" ||
  fail "full disk, last line without a break: exit status $status, $(cat "$work/err")"
status=0
"$driver" </ >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] && grep -Fq "cannot read the input" "$work/err" ||
  fail "directory as input: exit status $status, $(cat "$work/err")"
# A reader that leaves at once while SIGPIPE is ignored: the write fails
# with EPIPE and must be reported, not taken for the end of the output.
for _ in $(seq 20000); do printf '%s\n' "$start"; done >"$work/many_lines"
status=$(trap '' PIPE
  { "$driver" <"$work/many_lines" 2>"$work/err"; echo $? >"$work/status"; } | head -c 1 >/dev/null
  cat "$work/status")
[ "$status" = 1 ] && grep -Fq "cannot write the output" "$work/err" ||
  fail "closed pipe: exit status $status, $(cat "$work/err")"

# Waits up to a minute for the command to succeed.
await() {
  local deadline=$((SECONDS + 60))
  while ! "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Memory: a 64 MiB line under a 40 MB address-space limit is answered like
# any line too long; one held whole would need more memory than the limit.
# A thread that cannot start (16 of them need 128 MiB of stacks) ends the
# run with a message and status 1 after the output of the lines before.
# (Not in the sanitizer builds, which map terabytes of shadow memory.)
if [ -z "${ASAN_OPTIONS:-}${TSAN_OPTIONS:-}" ]; then
  status=0
  (ulimit -v 40000 && head -c 64M /dev/zero | tr '\0' x | "$driver" --jobs 1 >"$work/out" 2>"$work/err") ||
    status=$?
  [ "$status" = 1 ] && [ "$(cat "$work/out"; echo .)" = "${too_long}${nl}." ] ||
    fail "64 MiB line in 40 MB: exit status $status, $(cat "$work/err")"

  rm -f "$work/pipe"
  mkfifo "$work/pipe"
  (ulimit -v 40000 && exec "$driver" --jobs 16 <"$work/pipe" >"$work/out" 2>"$work/err") &
  driver_pid=$!
  exec 3>"$work/pipe"
  printf '%s\n' "$start" >&3
  first_line_out() { [ "$(cat "$work/out"; echo .)" = "${start_out}${nl}." ]; }
  await first_line_out || fail "thread failure: the first line was not answered"
  cat "$work/many_lines" >&3 2>/dev/null || true
  exec 3>&-
  status=0
  wait "$driver_pid" || status=$?
  [ "$status" = 1 ] && first_line_out &&
    grep -Eq '^tarnel-calc: (cannot start a thread|out of memory)' "$work/err" &&
    ! grep -q terminate "$work/err" ||
    fail "thread failure: exit status $status, output $(cat -A "$work/out"), $(cat "$work/err")"
fi

# Threads: the lines are split between them, the output keeps the input's
# order whatever their number. Mixed lines, some of them slow to evaluate.
{
  for H in 0.0005 0.001 0.003 0.01 0.03 0.1 0.3 1 x; do
    for R1 in 0 0.005 0.01 0.015; do
      for lambda in 0.1 0.6 0.95 1; do
        printf '%s\t0.02\t%s\t0.0005\t%s\n' "$R1" "$H" "$lambda"
      done
    done
  done
  printf 'a\tb\n'
} >"$work/mixed_block"
for _ in $(seq 10); do cat "$work/mixed_block"; done >"$work/mixed"
status=0
"$driver" --exact --jobs 1 <"$work/mixed" >"$work/one" 2>/dev/null || status=$?
[ "$status" = 1 ] || fail "mixed input on 1 thread: exit status $status"
for jobs in 2 3 7; do
  "$driver" --exact --jobs "$jobs" <"$work/mixed" >"$work/many" 2>/dev/null
  cmp -s "$work/one" "$work/many" || fail "--jobs $jobs differs from --jobs 1"
done
[ "$(wc -l <"$work/one")" = "$(wc -l <"$work/mixed")" ] || fail "mixed input: line count differs"

# Every line has the header's columns, whatever the options, whether it
# calculated, stopped at a rule or an error, or calculated nothing.
lines="1${t}2${nl}${start}${nl}x${t}0.02${t}0.03${t}0.001${t}0.6${nl}0.02${t}0.01${t}0.03${t}0.001${t}0.6${nl}${start}${t}?${nl}0.01${t}0.02${t}0.03${t}?${t}0.6${t}1e-3${nl}"
for options in "" "--exact" "--winding" "--exact --winding" "--solve" "--solve --winding"; do
  # shellcheck disable=SC2086
  [ "$(printf '%s' "$lines" | "$driver" --header $options | awk -F'\t' '{print NF}' | sort -u | wc -l)" = 1 ] ||
    fail "columns differ from line to line with '$options'"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "command-line cases pass"
