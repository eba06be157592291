#!/usr/bin/env bash
# tarnel-calc --solve and --winding: solved lines give the target back and
# can be calculated again from their own texts; lines without a solution say
# why and make the exit status 1; the header, the decimal separator and the
# thread count work as in the other modes.
# Usage: run_solve_cases.sh DRIVER
set -uo pipefail
driver=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-solve.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
t=$'\t'
nl=$'\n'

# Solvable lines, one per unknown and shape (long, short, flat, thick flat,
# no hole, thin wall, microscopic, huge), each with the target L, in henries.
cat >"$work/solvable" <<'LINES'
0.01	?	0.03	0.001	0.6	1e-3
0.01	0.02	?	0.001	0.6	1e-3
0.01	0.02	0.03	?	0.6	1e-3
0.01	?	0.015	0.0005	0.6	4e-4
0.02	0.03	?	0.0005	0.6	2e-4
0.005	0.03	0.01	?	0.6	8e-4
0	?	0.05	0.001	0.5	2e-3
1	?	0.5	1e-5	0.6	1e4
1e-6	2e-6	?	1e-8	0.6	1e-7
10	30	?	0.1	0.6	5
0.003	1	0.01	?	0.6	1e-1
LINES
status=0
"$driver" --solve --jobs 1 <"$work/solvable" >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 0 ] || fail "solvable lines: exit status $status, $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "solvable lines: error output $(cat "$work/err")"
# Each line: the solved value with 10 significant digits, a complete
# calculation, and the exact L of the solved winding equal to the target
# to within what the rounding of the solved value to 10 digits moves it
# (the thin wall moves most: L grows as the square of its depth R2 - R1).
paste "$work/solvable" "$work/out" | awk -F'\t' '{
  if ($7 !~ /^[0-9]\.[0-9]+e[-+][0-9]+$/ || length($7) != 15) { printf "line %d: solved value %s\n", NR, $7; bad = 1 }
  if ($11 != "Готов ..." || $12 != "") { printf "line %d: %s %s\n", NR, $11, $12; bad = 1 }
  tolerance = NR == 8 ? 1e-4 : 1e-8
  deviation = $13 / $6 - 1
  if (deviation > tolerance || deviation < -tolerance) {
    printf "line %d: exact L %s, target %s\n", NR, $13, $6; bad = 1
  }
} END { exit bad }' || fail "solved lines: $(cat "$work/out")"

# The solved value written into its field gives the same columns through
# --exact: the line can be checked by calculating it again.
paste "$work/solvable" "$work/out" | awk -F'\t' -v OFS='\t' '{
  if ($2 == "?") $2 = $7; else if ($3 == "?") $3 = $7; else $4 = $7
  print $1, $2, $3, $4, $5
}' >"$work/again"
"$driver" --exact <"$work/again" >"$work/again_out"
cut -f2- "$work/out" | cmp -s - "$work/again_out" ||
  fail "solved lines calculated again differ: $(diff <(cut -f2- "$work/out") "$work/again_out")"

# Thread counts: the same output in the same order.
for jobs in 2 3; do
  "$driver" --solve --jobs "$jobs" <"$work/solvable" | cmp -s - "$work/out" ||
    fail "--solve --jobs $jobs differs from --jobs 1"
done

# The decimal separator reads the texts and writes the numbers.
comma=$(printf '0,01\t?\t0,03\t0,001\t0,6\t0,001\n' | "$driver" --solve --mark ,)
[[ "$comma" =~ ^[0-9],[0-9]{9}e-02${t}[0-9]+,?[0-9]*${t}.*${t}Готов\ \.\.\.${t}${t}[0-9],[0-9]{9}e-0[34]${t} ]] ||
  fail "--mark , : $comma"

# Lines without a solution: the reason in the Error column, every other
# column empty, the exit status 1 after the whole input.
empty="${t}${t}${t}${t}${t}"
status=0
printf '%s\n' \
  "0.01${t}?${t}0.03${t}0.001${t}0.6${t}1e-9" \
  "0.01${t}0.02${t}0.03${t}?${t}0.6${t}1e-9" \
  "0.01${t}0.02${t}?${t}0.001${t}0.6${t}1e12" \
  "0.01${t}?${t}?${t}0.001${t}0.6${t}1e-3" \
  "0.01${t}0.02${t}0.03${t}0.001${t}0.6${t}1e-3" \
  "?${t}0.02${t}0.03${t}?${t}0.6${t}y" \
  "0.01${t}?${t}0.03${t}0.001${t}0.6${t}x" \
  "0.01${t}?${t}0.0005${t}0.001${t}0.6${t}1e-3" \
  "0.01${t}?${t}0.03${t}0.001${t}0.6${t}0" \
  "0.01${t}0.02${t}0.03${t}?${t}0.6" \
  "0.01${t}?${t}0.03${t}0.001${t}0.6${t}1e-3" |
  "$driver" --solve --header >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "lines without a solution: exit status $status"
grep -Fq "9 lines without a solution" "$work/err" || fail "error output: $(cat "$work/err")"
grep -Fq "1 line without 6 fields" "$work/err" || fail "error output: $(cat "$work/err")"
number='[0-9]\.[0-9]{9}e[-+][0-9]{2}'
expected=(
  "Solved${t}N${t}R${t}L${t}Message${t}Error${t}ExactL${t}Deviation"
  "${empty}no solution: only L from ${number} to ${number} H can be reached${t}${t}"
  "${empty}no solution: only L of ${number} H or more can be reached${t}${t}"
  "${empty}no solution: only L from ${number} to ${number} H can be reached${t}${t}"
  "${empty}no solution: exactly one of R2, H and D must be '\\?'${t}${t}"
  "${empty}no solution: exactly one of R2, H and D must be '\\?'${t}${t}"
  "${empty}EConvertError: '\\?' is not a valid floating point value${t}${t}"
  "${empty}EConvertError: 'x' is not a valid floating point value${t}${t}"
  "${empty}no solution: Введите D < H${t}${t}"
  "${empty}no solution: Введите L > 0${t}${t}"
  "${empty}expected 6 fields, got 5${t}${t}"
  "${number}${t}.*Готов \\.\\.\\.${t}${t}${number}${t}.*"
)
mapfile -t actual <"$work/out"
[ "${#actual[@]}" = "${#expected[@]}" ] || fail "unsolved lines: ${#actual[@]} lines: $(cat "$work/out")"
for i in "${!expected[@]}"; do
  [[ "${actual[$i]:-}" =~ ^${expected[$i]}$ ]] || fail "unsolved line $i: '${actual[$i]:-}'"
done
# The interval of a target too low for R2 starts at the winding one wire
# deep, R2 = R1 + D, whose exact L --exact gives.
lowest=$(printf '0.01\t0.011\t0.03\t0.001\t0.6\n' | "$driver" --exact | cut -f6)
[[ "${actual[1]:-}" == *"from $lowest to"* ]] || fail "lowest L $lowest: ${actual[1]:-}"

# --winding: wire length N·PI_APPROX·(R1 + R2) and copper mass, written as N
# is; empty where N was not calculated. The start-up winding has 720/PI_APPROX
# turns: 21.6 m of wire of 0.001 m, 0.152 kg.
winding=$(printf '0.01\t0.02\t0.03\t0.001\t0.6\n0.02\t0.01\t0.03\t0.001\t0.6\n' | "$driver" --winding --header)
[ "$winding" = "N${t}R${t}L${t}Message${t}Error${t}WireLength${t}CopperMass${nl}229.2${t}0.4593${t}0.0008033${t}Готов ...${t}${t}21.6${t}0.152${nl}${t}${t}${t}Введите R2 > R1${t}${t}${t}" ] ||
  fail "--winding: $(printf '%s' "$winding" | cat -A)"
full=$(printf '0.01\t0.02\t0.03\t0.001\t0.6\n' | "$driver" --winding --exact --full | cut -f6,8,9)
[[ "$full" =~ ^${number}${t}2\.1600000000000000[0-9]{4}e\+01${t}1\.520028[0-9]{14}e-01$ ]] ||
  fail "--winding --exact --full: $full"
solved=$(printf '0.01\t0.02\t0.03\t?\t0.6\t1e-3\n' | "$driver" --solve --winding)
[[ "$solved" =~ ^${number}${t}.*${t}${number}${t}[-0-9.e]+${t}[0-9.]+${t}[0-9.]+$ ]] ||
  fail "--solve --winding: $solved"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "solve and winding cases pass"
