#!/usr/bin/env bash
# Builds and runs the accuracy sweep (tarnel-accuracy), prints its summary
# and draws docs/accuracy.png: the calculator's relative inductance error
# over the shapes of a winding, with the boundaries of its four formulas.
#
# Usage: scripts/accuracy_map.sh [points.csv]
# Keeps the per-point CSV at the given path (default: a temporary file).
# Needs cmake, ninja and gnuplot (Debian: gnuplot-nox).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-reference
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_APP=OFF >/dev/null
cmake --build "$build" -j2 --target tarnel-accuracy

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
points=${1:-$scratch/points.csv}

"$build/bin/tarnel-accuracy" "$points"

mkdir -p docs
gnuplot <<GNUPLOT
set terminal pngcairo size 1100,760 font "DejaVu Sans,12"
set output "docs/accuracy.png"
set datafile separator ","
set key autotitle columnhead
set title "Relative error of the calculator's inductance against the exact value"
set logscale xy
set xrange [0.005:20]
set yrange [0.005:1]
set xlabel "lengthRatio = H / (R1 + R2)"
set ylabel "thicknessRatio = (R2 - R1) / (R1 + R2)"
set logscale cb
set cbrange [1e-8:0.2]
set format cb "10^{%L}"
set cblabel "|L_{calculator} / L_{exact} - 1|"
set palette defined (0 "#0b1d51", 0.35 "#2a7fb8", 0.55 "#7fcdbb", 0.7 "#ffffbf", 0.85 "#fdae61", 1 "#b2182b")
unset key

# One box per point, centred on it (the grid steps are equal in log scale),
# a little wider than the step so that no seams show between boxes.
stepX = 1.004 * sqrt((20 / 0.005) ** (1.0 / 59))
stepY = 1.004 * sqrt((1 / 0.005) ** (1.0 / 39))

# The three threshold tests of the calculator, drawn over the map.
set arrow 1 from 0.75,0.005 to 0.75,1 nohead front lw 3 lc "black"
set arrow 2 from 0.005,0.005 to 0.75,0.75 nohead front lw 3 lc "black"
set arrow 3 from 0.005,0.5 to 0.5,0.5 nohead front lw 3 lc "black"
set style textbox opaque fillcolor "white" border lc "black"
set label 1 "long" at 3,0.05 center front boxed font ",14"
set label 2 "short" at 0.25,0.02 center front boxed font ",14"
set label 3 "flat" at 0.015,0.12 center front boxed font ",14"
set label 4 "thick flat" at 0.05,0.72 center front boxed font ",14"
set label 5 "H/(R1+R2) = 0.75" at 0.8,0.0065 left front font ",10"
set label 6 "R2-R1 = H" at 0.09,0.105 left rotate by 45 front font ",10"
set label 7 "(R2-R1)/(R1+R2) = 0.5" at 0.006,0.45 left front font ",10"

plot "$points" using 1:2:(\$1 / stepX):(\$1 * stepX):(\$2 / stepY):(\$2 * stepY):(abs(\$8)) \\
    with boxxyerror fillstyle solid noborder linecolor palette
GNUPLOT
echo "wrote docs/accuracy.png"
