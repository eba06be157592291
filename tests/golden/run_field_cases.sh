#!/usr/bin/env bash
# tarnel-calc --current, --voltage, --field and --temperature: option errors,
# the columns after every other, their decimal separator, empty columns
# without N, and the three ways in meeting at one operating point.
# Usage: run_field_cases.sh DRIVER
set -uo pipefail
driver=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-field.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
t=$'\t'
nl=$'\n'
start="0.01${t}0.02${t}0.03${t}0.001${t}0.6"

# Options that are wrong: status 2, the reason, no output.
while IFS='|' read -r reason options; do
  read -ra argv <<<"$options"
  status=0
  "$driver" "${argv[@]}" </dev/null >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = 2 ] || fail "$options: exit status $status"
  [ ! -s "$work/out" ] || fail "$options: output $(cat "$work/out")"
  grep -Fq -- "$reason" "$work/err" || fail "$options: error lacks '$reason': $(cat "$work/err")"
done <<'CASES'
--current takes a positive number: '0'|--current 0
--current takes a positive number: '-1'|--current -1
--current takes a positive number: 'x'|--current x
--voltage takes a positive number: '1,5'|--voltage 1,5
--field takes a positive number: 'nan'|--field=nan
--field takes a positive number: '1e5000'|--field 1e5000
--current needs a value|--current
give one of --current, --voltage and --field, once: --current and --voltage|--current 1 --voltage 2
give one of --current, --voltage and --field, once: --field and --field|--field 1 --field=2
--temperature needs --current, --voltage or --field|--temperature 50
--temperature given twice|--current 1 --temperature 50 --temperature 60
--temperature takes a number of degrees Celsius above -234.4: '-300'|--current 1 --temperature -300
--temperature takes a number of degrees Celsius above -234.4: 'warm'|--current 1 --temperature warm
CASES

# The header names the columns after every other.
header=$("$driver" --header --exact --winding --current 1 </dev/null)
expected="N${t}R${t}L${t}Message${t}Error${t}ExactL${t}Deviation${t}WireLength${t}CopperMass"
expected+="${t}Current${t}CentreField${t}EndField${t}Power${t}Voltage${t}CurrentDensity"
expected+="${t}Energy${t}TimeConstant${t}HeatingRate${t}FabryFactor"
[ "$header" = "$expected" ] || fail "header: $header"

# The start-up winding at 1 A, and the same with the comma at 70 °C; a line
# the rules stop and a line with a division by zero have their columns empty.
out=$(printf '%s\n' "$start" "0.02${t}0.01${t}0.03${t}0.001${t}0.6" \
  "0.01${t}0.02${t}0.03${t}0${t}0.6" | "$driver" --current 1)
expected="229.2${t}0.4593${t}0.0008033${t}Готов ...${t}${t}1.000000000e+00${t}6.817927385e-03"
expected+="${t}4.286807598e-03${t}4.592829764e-01${t}4.592829764e-01${t}1.273239545e+06"
expected+="${t}4.016781108e-04${t}1.749153056e-03${t}7.848162452e-03${t}1.335626231e-01${nl}"
expected+="${t}${t}${t}Введите R2 > R1${t}${t}${t}${t}${t}${t}${t}${t}${t}${t}${t}${nl}"
expected+="${t}${t}${t}Введите D > 0${t}${t}${t}${t}${t}${t}${t}${t}${t}${t}${t}"
[ "$out" = "$expected" ] || fail "1 A: $(printf '%s' "$out" | cat -A)"
# A line of four fields has the empty columns of the others.
status=0
out=$(printf '1\t2\t3\t4\n' | "$driver" --field 1 --winding 2>/dev/null) || status=$?
[ "$status" = 1 ] || fail "four fields: exit status $status"
[ "$out" = "${t}${t}${t}${t}expected 5 fields, got 4$(printf '\t%.0s' {1..12})" ] ||
  fail "four fields: $(printf '%s' "$out" | cat -A)"
out=$(printf '%s\n' "${start//./,}" | "$driver" --mark , --current 1 --temperature 70)
[[ "$out" == *"${t}1,000000000e+00${t}6,817927385e-03${t}4,286807598e-03${t}"* ]] ||
  fail "comma: $out"

# One operating point whatever the way in: the voltage of 1 A drives 1 A,
# the field of 1 A needs 1 A; at 70 °C the same voltage drives 1/1.1965 A.
column() { cut -f "$1"; }
volts=$(printf '%s\n' "$start" | "$driver" --current 1 | column 10)
tesla=$(printf '%s\n' "$start" | "$driver" --current 1 | column 7)
for way in "--voltage $volts" "--field $tesla"; do
  amps=$(printf '%s\n' "$start" | "$driver" $way | column 6)
  [ "$amps" = "1.000000000e+00" ] || fail "$way: current $amps"
done
hot=$(printf '%s\n' "$start" | "$driver" --voltage "$volts" --temperature 70 | column 6)
awk -v a="$hot" 'BEGIN { exit !(a * 1.1965 > 1 - 1e-9 && a * 1.1965 < 1 + 1e-9) }' ||
  fail "70 °C: current $hot"

if [ "$failures" -gt 0 ]; then
  echo "$failures field case(s) failed" >&2
  exit 1
fi
echo "field cases passed"
