// How far the calculator's inductance jumps where it switches from one
// formula to the next: the same winding evaluated just either side of each
// of the three threshold tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/accuracy/shape_point.h"
#include "tools/accuracy/sweep_grid.h"

namespace tarnel::accuracy {

// Relative distance of the two sides from the threshold.
inline constexpr double kThresholdOffset = 1e-9;

// One place on a threshold.
struct ThresholdCrossing {
  ShapePoint below;  // the tested ratio just below the threshold
  ShapePoint above;  // just above it
  // Error above minus error below: the step of the relative error across
  // the threshold, as a fraction of the exact L. Empty when a side has no L.
  std::optional<double> jump;
};

struct Threshold {
  std::string test;  // "lengthRatio = 0.75", "depthRatio = 1", "thicknessRatio = 0.5"
  std::vector<ThresholdCrossing> crossings;
};

// The three thresholds, crossed along the grid:
//  - lengthRatio = 0.75 at every thickness ratio of the grid;
//  - depthRatio = 1 (H = R2 - R1) at every thickness ratio below 0.75,
//    where the length ratio is below 0.75;
//  - thicknessRatio = 0.5 at every length ratio below 0.5, where the depth
//    ratio is above 1.
std::vector<Threshold> CrossThresholds(const SweepGrid& grid);

// Samples along the whole of each threshold line: `count` thickness ratios
// from 0.005 to 1 and as many length ratios from 0.005 to 0.5, log-spaced,
// for CrossThresholds. The grid of the map crosses each line only at its
// own 40 or 60 ratios and can miss the largest jump between them.
SweepGrid ThresholdLineGrid(int count);

// Both sides of every crossing of `thresholds`.
std::vector<ShapePoint> ThresholdPoints(const std::vector<Threshold>& thresholds);

}  // namespace tarnel::accuracy
