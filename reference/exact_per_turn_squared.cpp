#include "reference/exact_per_turn_squared.h"

#include <cmath>
#include <stdexcept>

#include "reference/exact_comparison.h"
#include "reference/exact_inductance.h"

namespace tarnel::reference {

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

long double ExactPerTurnSquaredAtUnitRadius(long double r1, long double r2, long double h) {
  return ExactInductancePerTurnSquaredExtended(r1, r2, h);
}

std::optional<long double> ExactPerTurnSquared(const Winding& w,
                                               PerTurnSquaredAtUnitRadius evaluate) {
  const std::optional<ScaledShape> shape = VerifiedShape(w.R1, w.R2, w.H);
  if (!shape) {
    return std::nullopt;
  }
  long double atUnitRadius = 0;
  try {
    atUnitRadius = evaluate(shape->r1, shape->r2, shape->h);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  const long double perTurnSquared = atUnitRadius * shape->meanRadius;
  if (!std::isnormal(perTurnSquared)) {
    return std::nullopt;
  }
  return perTurnSquared;
}

std::optional<long double> TimesTurnsSquared(long double perTurnSquared, long double turnCount) {
  const long double perTurn = perTurnSquared * turnCount;
  const long double inductance = perTurn * turnCount;
  // With perTurnSquared normal, a first product that is not normal leaves a
  // second that is not normal either.
  if (!std::isnormal(inductance)) {
    return std::nullopt;
  }
  return inductance;
}

}  // namespace tarnel::reference
