// The shapes the accuracy sweep visits: a log-spaced grid of the winding's
// length ratio H/(R1 + R2) and thickness ratio (R2 - R1)/(R1 + R2).
#pragma once

#include <vector>

namespace tarnel::accuracy {

// The shape of a winding, free of its size.
struct WindingShape {
  double lengthRatio;     // H / (R1 + R2)
  double thicknessRatio;  // (R2 - R1) / (R1 + R2), in (0, 1]
};

// `count` >= 2 values from `first` to `last` (both > 0), equally spaced in
// logarithm; the end points are exact.
std::vector<double> LogSpaced(double first, double last, int count);

struct SweepGrid {
  std::vector<double> lengthRatios;
  std::vector<double> thicknessRatios;
};

// The grid of the accuracy map: 60 length ratios from 0.005 to 20 and 40
// thickness ratios from 0.005 to 1.
SweepGrid StandardSweepGrid();

}  // namespace tarnel::accuracy
