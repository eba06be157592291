// What the accuracy sweep writes: the per-point CSV the heat map is drawn
// from, and the summary a coil designer reads.
#pragma once

#include <ostream>
#include <vector>

#include "tools/accuracy/regime_summary.h"
#include "tools/accuracy/shape_point.h"
#include "tools/accuracy/threshold_jumps.h"

namespace tarnel::accuracy {

// One line per point under a header line, with an empty line after each
// row (one length ratio), gnuplot's layout of a grid. Columns:
// lengthRatio, thicknessRatio, depthRatio, regime, N, L (calculator, H),
// L (exact, H), relative error, and why the calculator gave no L.
void WriteCsv(const std::vector<std::vector<ShapePoint>>& rows, std::ostream& out);

// The worst error per formula over the grid and over the two sides of the
// threshold crossings, and the jump at each threshold: at its first
// crossing (the thin or short end) and the largest.
void WriteSummary(const std::vector<RegimeSummary>& onGrid,
                  const std::vector<RegimeSummary>& onThresholds,
                  const std::vector<Threshold>& thresholds, std::ostream& out);

}  // namespace tarnel::accuracy
