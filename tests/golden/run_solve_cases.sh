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

# The edges. A text rounded to nearest that broke a rule (R2 against D <
# R2 - R1) or left the verified shapes (R2, H) is rounded inward; a target
# inside a stated interval is solved; each end of each stated interval (R2,
# H, D), with dimensions of more than ten digits, is solved, and a target
# beyond it names the interval, for D as for R2 and H; an interval thinner
# than the ten digits is refused. The expected lines are the program's own,
# checked below by calculating the texts again.
cat >"$work/edges" <<'LINES'
0.01	?	0.03	0.00012345678412	0.6	3.510837682511e-04
1	?	1	1e-9	0.6	4.843111545e+18
1.2345678912	2.3456789124	?	1e-9	0.6	2.693019911731e+37
0	?	0.012345678916	0.0005	0.6	1.866481088813e+18
0	?	0.03	0.0005	0.6	1.1380449902e-08
0	?	0.03	0.0005	0.6	1.138044991e-08
0.012345678912	?	0.034567891234	0.00012345678901	0.6	6.056123204e-04
0.012345678912	?	0.034567891234	0.00012345678901	0.6	8.642376884e+22
0.012345678912	0.023456789123	?	0.00012345678901	0.6	2.200902192e-04
0.012345678912	0.023456789123	?	0.00012345678901	0.6	1.159256809e+07
0.012345678912	0.023456789123	0.034567891234	?	0.6	1.072433874e-07
0.012345678912	0.023456789123	0.034567891234	?	0.6	2.771201905e+4929
0.012345678912	0.023456789123	?	0.00012345678901	0.6	2.200902191e-04
0.012345678912	0.023456789123	?	0.00012345678901	0.6	1.15925681e+07
0.012345678912	0.023456789123	0.034567891234	?	0.6	1e4932
1	?	2.0000020005e-7	1e-12	0.6	1.714e18
LINES
cat >"$work/edges_expected" <<'LINES'
1.012345679e-02	185.6	16.37	0.0003511	Готов ...		3.510838014e-04	-2.564e-08
1.000002001e+00	1.529E12	2.042E23	4.848E18	Готов ...		4.847946171e+18	-4.939e-05
3.580246803e+06	3.039E24	7.268E35	2.693E37	Готов ...		2.693019911e+37	-3.412e-08
1.234567891e+05	4.657E9	1.536E14	1.866E18	Готов ...		1.866481086e+18	4.243e-06
					no solution: only L from 1.138044991e-08 to 1.581448228e+20 H can be reached		
5.000000001e-04	45.84	0.006124	1.138E-8	Готов ...		1.138044991e-08	2.660e-06
1.246913571e-02	213.9	23.26	0.0006056	Готов ...		6.056124087e-04	-1.968e-09
3.456788999e+05	5.989E11	9.074E17	8.642E22	Готов ...		8.642376877e+22	4.243e-06
1.234567891e-04	68.75	10.79	0.0002201	Готов ...		2.200902195e-04	-1.598e-06
3.580246802e+04	1.994E10	3.129E9	1.159E7	Готов ...		1.159256809e+07	-3.412e-08
1.111111021e-02	2.377	4.604E-5	1.072E-7	Готов ...		1.072433874e-07	-7.792e-05
8.763610033e-1237	3.821E2468	1.19E4932	2.771E4929	Готов ...		2.771201904e+4929	-7.792e-05
					no solution: only L from 2.200902192e-04 to 1.159256809e+07 H can be reached		
					no solution: only L from 2.200902192e-04 to 1.159256809e+07 H can be reached		
					no solution: only L from 1.072433874e-07 to 2.771201905e+4929 H can be reached		
					no solution: no 10-digit R2 next to the one that gives the target calculates to «Готов ...» with an evaluated exact L		
LINES
status=0
"$driver" --solve <"$work/edges" >"$work/edges_out" 2>"$work/edges_err" || status=$?
[ "$status" = 1 ] || fail "edges: exit status $status"
grep -Fqx "tarnel-calc: 5 lines without a solution" "$work/edges_err" || fail "edges: $(cat "$work/edges_err")"
cmp -s "$work/edges_out" "$work/edges_expected" ||
  fail "edges differ: $(diff "$work/edges_expected" "$work/edges_out")"
# A line is solved exactly when it shows the ready message and an exact L,
# and unsolved exactly when its Error column says why.
awk -F'\t' '{
  solved = $1 != "" && $5 == "Готов ..." && $6 == "" && $7 ~ /^[0-9]\.[0-9]+e[-+][0-9]+$/
  unsolved = $1 == "" && $2 $3 $4 $5 $7 $8 == "" && $6 ~ /^no solution: /
  if (!solved && !unsolved) { printf "edge line %d: %s\n", NR, $0; bad = 1 }
} END { exit bad }' "$work/edges_out" || fail "edge lines neither solved nor refused"
# Each solved line's texts calculated again give its own columns.
paste "$work/edges" "$work/edges_out" | awk -F'\t' -v OFS='\t' '$7 != "" {
  if ($2 == "?") $2 = $7; else if ($3 == "?") $3 = $7; else $4 = $7
  print $1, $2, $3, $4, $5
}' >"$work/edges_again"
paste "$work/edges" "$work/edges_out" | awk -F'\t' '$7 != ""' | cut -f8- >"$work/solved"
"$driver" --exact <"$work/edges_again" | cmp -s - "$work/solved" ||
  fail "edge lines calculated again differ: $("$driver" --exact <"$work/edges_again" | diff "$work/solved" -)"
# Both ends of every stated interval are solved.
paste "$work/edges" "$work/edges_out" | awk -F'\t' -v OFS='\t' 'match($12, /from [^ ]+ to [^ ]+/) {
  split(substr($12, RSTART, RLENGTH), ends, " ")
  print $1, $2, $3, $4, $5, ends[2]
  print $1, $2, $3, $4, $5, ends[4]
}' >"$work/ends"
[ "$(wc -l <"$work/ends")" = 8 ] || fail "edge intervals: $(cat "$work/ends")"
"$driver" --solve <"$work/ends" >"$work/ends_out" ||
  fail "a target at the end of a stated interval is refused: $(paste "$work/ends" "$work/ends_out")"

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
  "1${t}1.0000001${t}?${t}1e-9${t}0.6${t}1" \
  "0.01${t}0.02${t}0.03${t}?${t}0.6" \
  "0.01${t}?${t}0.03${t}0.001${t}0.6${t}1e-3" |
  "$driver" --solve --header >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "lines without a solution: exit status $status"
grep -Fq "10 lines without a solution" "$work/err" || fail "error output: $(cat "$work/err")"
grep -Fq "1 line without 6 fields" "$work/err" || fail "error output: $(cat "$work/err")"
number='[0-9]\.[0-9]{9}e[-+][0-9]{2}'
expected=(
  "Solved${t}N${t}R${t}L${t}Message${t}Error${t}ExactL${t}Deviation"
  "${empty}no solution: only L from ${number} to ${number} H can be reached${t}${t}"
  "${empty}no solution: only L from ${number} to [0-9]\.[0-9]{9}e[-+][0-9]+ H can be reached${t}${t}"
  "${empty}no solution: only L from ${number} to ${number} H can be reached${t}${t}"
  "${empty}no solution: exactly one of R2, H and D must be '\\?'${t}${t}"
  "${empty}no solution: exactly one of R2, H and D must be '\\?'${t}${t}"
  "${empty}EConvertError: '\\?' is not a valid floating point value${t}${t}"
  "${empty}EConvertError: 'x' is not a valid floating point value${t}${t}"
  "${empty}no solution: rule «Введите D < H»${t}${t}"
  "${empty}no solution: rule «Введите L > 0»${t}${t}"
  "${empty}no solution: no H gives a shape on which the exact L is verified${t}${t}"
  "${empty}expected 6 fields, got 5${t}${t}"
  "${number}${t}.*Готов \\.\\.\\.${t}${t}${number}${t}.*"
)
mapfile -t actual <"$work/out"
[ "${#actual[@]}" = "${#expected[@]}" ] || fail "unsolved lines: ${#actual[@]} lines: $(cat "$work/out")"
for i in "${!expected[@]}"; do
  [[ "${actual[$i]:-}" =~ ^${expected[$i]}$ ]] || fail "unsolved line $i: '${actual[$i]:-}'"
done
# The interval of a target too low for R2 starts at the winding one wire
# deep, R2 = R1 + D, whose exact L --exact gives: stated rounded up from it.
lowest=$(printf '0.01\t0.011\t0.03\t0.001\t0.6\n' | "$driver" --exact | cut -f6)
stated=$(sed -n 's/.* from \([^ ]*\) to .*/\1/p' <<<"${actual[1]:-}")
awk -v l="$lowest" -v s="$stated" 'BEGIN { exit !(s >= l && s / l - 1 < 1e-9) }' ||
  fail "lowest L $lowest: ${actual[1]:-}"

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
