#!/usr/bin/env bash
# Standard wires on the command line: wire and style texts in D and Lambda,
# the sheet columns, their errors, and the --wires table.
# Usage: run_wire_cases.sh DRIVER
set -uo pipefail
driver=$1
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
t=$'\t'
nl=$'\n'

# One case: NAME EXPECTED INPUT [OPTIONS...], the exit status 0 unless the
# options hold --solve.
check() {
  local name=$1 expected=$2 input=$3
  shift 3
  local actual
  actual=$(printf '%s' "$input" | "$driver" "$@"; echo .)
  [ "$actual" = "$expected." ] || fail "$name: got $(printf '%s' "$actual" | cat -A), expected $(printf '%s' "$expected" | cat -A)"
}

geometry="0.01${t}0.02${t}0.03"
# 0.5 mm grade 2, p = 0.566 mm: N = 0.01*0.03/p^2 = 936.5; 53 turns a
# layer (30/0.566 = 53.0), 936 turns in 18 layers of 0.566 mm.
check iec_layered_sheet \
  "N${t}R${t}L${t}Message${t}Error${t}WholeTurns${t}TurnsPerLayer${t}Layers${t}BuildDepth${t}OuterDiameter${nl}936.5${t}7.507${t}0.01341${t}Готов ...${t}${t}936${t}53${t}18${t}0.01019${t}0.04038${nl}" \
  "${geometry}${t}IEC:0.500:2${t}layered${nl}" --sheet --header
# AWG 24 heavy, p = 0.577 mm, orthocyclic: 2/sqrt(3) (R2 - R1) H / p^2 = 1040.
check awg_orthocyclic_sheet \
  "1040${t}7.999${t}0.01656${t}Готов ...${t}${t}1040${t}51/51${t}21${t}0.01057${t}0.04114${nl}" \
  "${geometry}${t}AWG:24:heavy${t}orthocyclic${nl}" --sheet
# The decimal separator of the substituted texts follows --mark.
check comma_mark "1040${t}7,999${t}0,01656${t}Готов ...${t}${nl}" \
  "0,01${t}0,02${t}0,03${t}AWG:24:heavy${t}orthocyclic${nl}" --mark ,
# A wire with a numeric Lambda gives D = d = 0.5 mm; no sheet without a style.
check numeric_lambda "916.7${t}7.349${t}0.01285${t}Готов ...${t}${t}${t}${t}${t}${t}${nl}" \
  "${geometry}${t}IEC:0.5:2${t}0.6${nl}" --sheet
check plain_line_sheet "229.2${t}0.4593${t}0.0008033${t}Готов ...${t}${t}${t}${t}${t}${t}${nl}" \
  "${geometry}${t}0.001${t}0.6${nl}" --sheet
check style_without_wire \
  "${t}${t}${t}${t}Lambda 'layered' needs a wire in D, such as IEC:0.500:2 or AWG:24:heavy${nl}" \
  "${geometry}${t}0.001${t}layered${nl}"
check unknown_size \
  "${t}${t}${t}${t}unknown wire 'IEC:0.51:2': IEC:<mm>:<grade 1 or 2> or AWG:<gauge>:<single or heavy> of the table (tarnel-calc --wires)${nl}" \
  "${geometry}${t}IEC:0.51:2${t}layered${nl}"
check unknown_build \
  "${t}${t}${t}${t}unknown wire 'AWG:24:triple': IEC:<mm>:<grade 1 or 2> or AWG:<gauge>:<single or heavy> of the table (tarnel-calc --wires)${nl}" \
  "${geometry}${t}AWG:24:triple${t}layered${nl}"
# H below the overall diameter: no layer holds a turn.
check no_layer "15.61${t}0.1251${t}9.014E-6${t}Готов ...${t}${t}NA${t}NA${t}NA${t}NA${t}NA${nl}" \
  "0.01${t}0.02${t}0.0005${t}IEC:0.5:2${t}layered${nl}" --sheet
# --solve takes a wire too: R2 for 1 mH with 0.5 mm grade 2 wound turn on turn.
out=$(printf '0.01\t?\t0.03\tIEC:0.5:2\tlayered\t0.001\n' | "$driver" --solve --sheet)
case "$out" in
  "1.313023807e-02${t}293.1${t}1.812${t}0.001${t}Готов ...${t}${t}1.000000002e-03${t}"*"${t}293${t}53${t}6${t}0.003396${t}0.02679") ;;
  *) fail "solve with a wire: $out" ;;
esac

# --optimize --max-resistance: the thinnest AWG single-build wire whose
# least-resistance coil of 1.5 mH stays under 0.3 ohm (AWG 15 reaches
# 0.3256 at best), its sheet turn on turn.
out=$(printf '?\t?\t?\tAWG:?:single\tlayered\t0.0015\n' |
  "$driver" --optimize --max-resistance 0.3 --winding --sheet --header)
case "$out" in
  "Wire${t}R1${t}R2${t}H${t}N${t}"*"${nl}AWG:14:single${t}2.136710317e-02${t}4.295094313e-02${t}2.210039130e-02${t}166.7${t}0.2703${t}"*"${t}1.500000000e-03${t}"*"${t}166${t}13${t}13${t}0.02199${t}0.08672") ;;
  *) fail "max-resistance pick: $out" ;;
esac
# The same limit with a numeric D, a family without the option, a family
# that cannot meet it, and the option without --optimize.
out=$(printf '?\t?\t?\t0.001\t0.6\t0.0015\n' | "$driver" --optimize --max-resistance 0.3)
case "$out" in
  "${t}${t}${t}${t}${t}${t}${t}${t}no solution: with --max-resistance, D names a family"*) ;;
  *) fail "max-resistance with a numeric D: $out" ;;
esac
out=$(printf '?\t?\t?\tIEC:?:2\tlayered\t0.0015\n' | "$driver" --optimize)
case "$out" in
  "${t}${t}${t}${t}${t}${t}${t}no solution: a wire family in D needs --max-resistance"*) ;;
  *) fail "family without a limit: $out" ;;
esac
# IEC 1.6 mm grade 1 is the thinnest of its family under 0.3 ohm; 5 mm,
# the thickest, reaches 0.0447 ohm at best.
out=$(printf '?\t?\t?\tIEC:?:1\tlayered\t0.0015\n' | "$driver" --optimize --max-resistance 0.3 --sheet)
case "$out" in
  "IEC:1.6:1${t}2.114815415e-02${t}4.251082418e-02${t}2.187392826e-02${t}167.6${t}0.2783${t}"*"${t}167${t}13${t}13${t}0.02171${t}0.08572") ;;
  *) fail "max-resistance pick of an IEC size above 0.5 mm: $out" ;;
esac
out=$(printf '?\t?\t?\tIEC:?:2\tlayered\t0.0015\n' | "$driver" --optimize --max-resistance 0.03)
case "$out" in
  *"no solution: "*"(the least is 4.468666506e-02 ohm)"*) ;;
  *) fail "a limit the family cannot meet: $out" ;;
esac
for bad in "--max-resistance 0" "--max-resistance -1" "--max-resistance x" "--max-resistance=0,3"; do
  # shellcheck disable=SC2086
  if printf '' | "$driver" --optimize $bad >/dev/null 2>&1; then fail "accepted $bad"; fi
done
printf '' | "$driver" --optimize --mark , --max-resistance=0,3 >/dev/null 2>&1 || fail "refused 0,3 with --mark ,"
if printf '' | "$driver" --max-resistance 0.3 >/dev/null 2>&1; then fail "accepted --max-resistance without --optimize"; fi

# --wires: a header, a source line per family, and the rows.
table=$("$driver" --wires)
[ "$(printf '%s\n' "$table" | grep -c '^# .*commit ea0c4594615bbe9b3084b9e3837496fa38549c26')" = 4 ] ||
  fail "--wires: four families with their source"
[ "$(printf '%s\n' "$table" | grep -c '^# IEC.*commit 026875fad38210a2ab9b4b41076f319751425e9d')" = 2 ] ||
  fail "--wires: the source of the IEC sizes above 0.5 mm"
printf '%s\n' "$table" | grep -qx "IEC:5:1${t}5.000000000e-03${t}5.093000000e-03" || fail "--wires: IEC 5 mm grade 1 row"
printf '%s\n' "$table" | grep -qx "IEC:0.5:2${t}5.000000000e-04${t}5.660000000e-04" || fail "--wires: IEC 0.5 grade 2 row"
printf '%s\n' "$table" | grep -qx "AWG:36:single${t}1.270000000e-04${t}1.470000000e-04" || fail "--wires: AWG 36 single row"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "wire cases pass"
