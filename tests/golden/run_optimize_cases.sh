#!/usr/bin/env bash
# tarnel-calc --optimize: the coil of least wire. Solved lines give the
# target back to 1e-9 on their own texts and calculate again to the same
# columns; lines without a solution name their stop and make the exit
# status 1; the header, the separator and the thread count work as in the
# other modes.
# Usage: run_optimize_cases.sh DRIVER
set -uo pipefail
driver=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-optimize.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
t=$'\t'

# All free, a kept former, a former and a can, a bobbin, a kept can with
# thinner wire, no hole.
cat >"$work/lines" <<'LINES'
?	?	?	0.001	0.6	1.5e-3
0.01	?	?	0.001	0.6	1.5e-3
?>=0.03	?<=0.035	?	0.001	0.6	1.5e-3
?	?	?<=0.01	0.001	0.6	1.5e-3
?	0.04	?	0.0005	0.5	2e-3
0	?	?	0.001	0.6	1e-4
LINES
# The coils these give; each bound that binds is met exactly.
cat >"$work/golden" <<'LINES'
1.562696861e-02	3.141244907e-02	1.616326361e-02	194.9	0.6125	0.001501	Готов ...		1.500000000e-03	3.869e-04
1.000000000e-02	2.900996407e-02	1.633155691e-02	237.2	0.618	0.001501	Готов ...		1.500000000e-03	5.283e-04
3.000000000e-02	3.500000000e-02	4.447156910e-02	169.9	0.7376	0.0015	Готов ...		1.500000000e-03	-2.828e-04
1.823361528e-02	3.965463820e-02	1.000000000e-02	163.6	0.6328	0.0015	Готов ...		1.500000000e-03	-3.383e-07
3.182529793e-02	4.000000000e-02	6.413904473e-03	133.5	2.562	0.002	Готов ...		2.000000000e-03	4.780e-05
0.000000000e+00	1.690235393e-02	8.690640970e-03	112.2	0.1267	0.0001004	Готов ...		9.999999999e-05	4.091e-03
LINES
status=0
"$driver" --optimize --jobs 1 <"$work/lines" >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 0 ] || fail "solvable lines: exit status $status, $(cat "$work/err")"
cmp -s "$work/out" "$work/golden" || fail "golden lines: $(diff "$work/golden" "$work/out")"
# The exact L of the written texts is the target to 1e-9.
paste "$work/lines" "$work/out" | awk -F'\t' '{
  deviation = $15 / $6 - 1
  if (deviation > 1.01e-9 || deviation < -1.01e-9) { printf "line %d: exact L %s\n", NR, $15; bad = 1 }
} END { exit bad }' || fail "targets: $(cat "$work/out")"
# The written texts calculate again to the same columns.
paste "$work/lines" "$work/out" | cut -f7-9,4,5 |
  awk -F'\t' -v OFS='\t' '{ print $3, $4, $5, $1, $2 }' >"$work/again"
"$driver" --exact <"$work/again" | cmp -s - <(cut -f4- "$work/out") ||
  fail "written lines calculated again differ"
for jobs in 2 3; do
  "$driver" --optimize --jobs "$jobs" <"$work/lines" | cmp -s - "$work/out" ||
    fail "--optimize --jobs $jobs differs from --jobs 1"
done

# Header, separator and the winding columns.
comma=$(printf '?\t?\t?\t0,001\t0,6\t0,001\n' | "$driver" --optimize --mark , --winding --header)
[ "$comma" = "R1${t}R2${t}H${t}N${t}R${t}L${t}Message${t}Error${t}ExactL${t}Deviation${t}WireLength${t}CopperMass
1,440975139e-02${t}2,896566780e-02${t}1,490427326e-02${t}165,7${t}0,4802${t}0,001${t}Готов ...${t}${t}1,000000000e-03${t}3,869e-04${t}22,58${t}0,1589" ] ||
  fail "--mark , --winding --header: $comma"

# Lines without a solution: the stop in the Error column, every other
# column empty, the exit status 1 after the whole input.
empty="${t}${t}${t}${t}${t}${t}${t}"
status=0
printf '%s\n' \
  "?${t}?<=0.02${t}?<=0.01${t}0.001${t}0.6${t}1.5e-3" \
  "?${t}?${t}?<=0.0005${t}0.001${t}0.6${t}1.5e-3" \
  "0.01${t}0.02${t}?${t}0.001${t}0.6${t}1.5e-3" \
  "?${t}?${t}?${t}0.001${t}1${t}1.5e-3" \
  "?${t}?${t}?<=x${t}0.001${t}0.6${t}1.5e-3" \
  "?${t}?${t}?${t}0.001${t}0.6" |
  "$driver" --optimize >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "lines without a solution: exit status $status"
grep -Fq "5 lines without a solution" "$work/err" || fail "error output: $(cat "$work/err")"
expected=(
  "${empty}no solution: Катушку не подобрать: мешает верхняя граница R2${t}${t}"
  "${empty}no solution: Введите D < H${t}${t}"
  "${empty}no solution: at least two of R1, R2 and H must be '\\?', '\\?<=X' or '\\?>=X'${t}${t}"
  "${empty}no solution: Введите Lambda < 1${t}${t}"
  "${empty}EConvertError: 'x' is not a valid floating point value${t}${t}"
  "${empty}expected 6 fields, got 5${t}${t}"
)
mapfile -t actual <"$work/out"
[ "${#actual[@]}" = "${#expected[@]}" ] || fail "unsolved lines: $(cat "$work/out")"
for i in "${!expected[@]}"; do
  [[ "${actual[$i]:-}" =~ ^${expected[$i]}$ ]] || fail "unsolved line $i: '${actual[$i]:-}'"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "optimize cases pass"
