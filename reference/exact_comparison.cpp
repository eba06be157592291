#include "reference/exact_comparison.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "reference/exact_inductance.h"

namespace tarnel::reference {

namespace {

// A winding in units of its mean radius.
struct ScaledShape {
  long double meanRadius;
  long double r1;
  long double r2;
  long double h;
};

std::optional<ScaledShape> VerifiedShape(long double R1, long double R2, long double H) {
  if (!(R1 >= 0 && R2 > R1 && H > 0) || !std::isfinite(R2) || !std::isfinite(H)) {
    return std::nullopt;
  }
  // Halved before the sum, so that radii near the top of the range do not
  // overflow.
  const long double meanRadius = R1 / 2 + R2 / 2;
  if (!std::isnormal(meanRadius)) {
    return std::nullopt;
  }
  const ScaledShape shape{meanRadius, R1 / meanRadius, R2 / meanRadius, H / meanRadius};
  const long double lengthRatio = shape.h / 2;
  const long double thicknessRatio = (shape.r2 - shape.r1) / 2;
  if (!(lengthRatio >= kSmallestLengthRatio && lengthRatio <= kLargestLengthRatio &&
        thicknessRatio >= kSmallestThicknessRatio)) {
    return std::nullopt;
  }
  return shape;
}

}  // namespace

bool IsVerifiedShape(const Winding& winding) {
  return VerifiedShape(winding.R1, winding.R2, winding.H).has_value();
}

bool IsVerifiedShape(long double R1, long double R2, long double H) {
  return VerifiedShape(R1, R2, H).has_value();
}

long double ExactPerTurnSquaredAtUnitRadius(long double r1, long double r2, long double h) {
  return ExactInductancePerTurnSquaredExtended(r1, r2, h);
}

ExactComparison CompareWithExact(const Winding& winding, long double turnCount,
                                 long double formulaL, PerTurnSquaredAtUnitRadius evaluate) {
  ExactComparison comparison;
  if (!std::isfinite(turnCount) || !std::isfinite(formulaL)) {
    return comparison;
  }
  const std::optional<ScaledShape> shape = VerifiedShape(winding.R1, winding.R2, winding.H);
  if (!shape) {
    return comparison;
  }
  const long double meanRadius = shape->meanRadius;
  long double perTurnSquaredAtUnitRadius = 0;
  try {
    perTurnSquaredAtUnitRadius = evaluate(shape->r1, shape->r2, shape->h);
  } catch (const std::runtime_error&) {
    return comparison;
  }
  // One factor at a time, each checked: N^2 alone may overflow where L does
  // not, and a subnormal step would lose digits silently.
  const long double perTurnSquared = perTurnSquaredAtUnitRadius * meanRadius;
  const long double perTurn = perTurnSquared * turnCount;
  const long double exactL = perTurn * turnCount;
  if (!std::isnormal(perTurnSquared) || !std::isnormal(perTurn) || !std::isnormal(exactL) ||
      !std::isnormal(formulaL)) {
    return comparison;
  }
  comparison.evaluated = true;
  comparison.exactL = exactL;
  comparison.deviation = formulaL / exactL - 1;
  return comparison;
}

}  // namespace tarnel::reference
