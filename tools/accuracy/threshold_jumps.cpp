#include "tools/accuracy/threshold_jumps.h"

namespace tarnel::accuracy {

namespace {

ThresholdCrossing Cross(WindingShape below, WindingShape above) {
  ThresholdCrossing crossing{EvaluateShape(below), EvaluateShape(above), std::nullopt};
  if (crossing.below.relativeError && crossing.above.relativeError) {
    crossing.jump = *crossing.above.relativeError - *crossing.below.relativeError;
  }
  return crossing;
}

}  // namespace

std::vector<Threshold> CrossThresholds(const SweepGrid& grid) {
  constexpr double kLower = 1 - kThresholdOffset;
  constexpr double kUpper = 1 + kThresholdOffset;
  std::vector<Threshold> thresholds;

  Threshold length{"lengthRatio = 0.75", {}};
  for (const double thickness : grid.thicknessRatios) {
    length.crossings.push_back(Cross({0.75 * kLower, thickness}, {0.75 * kUpper, thickness}));
  }
  thresholds.push_back(length);

  // depthRatio = thickness / length: the larger length is the lower depth.
  Threshold depth{"depthRatio = 1", {}};
  for (const double thickness : grid.thicknessRatios) {
    if (thickness < 0.75) {
      depth.crossings.push_back(
          Cross({thickness * kUpper, thickness}, {thickness * kLower, thickness}));
    }
  }
  thresholds.push_back(depth);

  Threshold thickness{"thicknessRatio = 0.5", {}};
  for (const double lengthRatio : grid.lengthRatios) {
    if (lengthRatio < 0.5) {
      thickness.crossings.push_back(
          Cross({lengthRatio, 0.5 * kLower}, {lengthRatio, 0.5 * kUpper}));
    }
  }
  thresholds.push_back(thickness);
  return thresholds;
}

SweepGrid ThresholdLineGrid(int count) {
  return {LogSpaced(0.005, 0.5, count), LogSpaced(0.005, 1, count)};
}

std::vector<ShapePoint> ThresholdPoints(const std::vector<Threshold>& thresholds) {
  std::vector<ShapePoint> points;
  for (const Threshold& threshold : thresholds) {
    for (const ThresholdCrossing& crossing : threshold.crossings) {
      points.push_back(crossing.below);
      points.push_back(crossing.above);
    }
  }
  return points;
}

}  // namespace tarnel::accuracy
