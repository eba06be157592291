#include "exact_comparison.h"

#include <cmath>

#include "exact_inductance.h"

namespace tarnel::reference {

namespace {

// The shapes of the published accuracy map, where the exact value is
// verified: H/(R1 + R2) and (R2 - R1)/(R1 + R2) from 0.005 up.
constexpr long double kSmallestRatio = 0.005L;
constexpr long double kLargestLengthRatio = 20;

}  // namespace

ExactComparison CompareWithExact(long double R1, long double R2, long double H,
                                 long double turnCount, long double formulaL) {
  ExactComparison comparison;
  if (!(R1 >= 0 && R2 > R1 && H > 0) || !std::isfinite(R2) || !std::isfinite(H) ||
      !std::isfinite(turnCount) || !std::isfinite(formulaL)) {
    return comparison;
  }
  // Halved before the sum, so that radii near the top of the range do not
  // overflow.
  const long double meanRadius = R1 / 2 + R2 / 2;
  const long double lengthRatio = H / (2 * meanRadius);
  const long double thicknessRatio = (R2 - R1) / (2 * meanRadius);
  if (!(lengthRatio >= kSmallestRatio && lengthRatio <= kLargestLengthRatio &&
        thicknessRatio >= kSmallestRatio)) {
    return comparison;
  }
  const long double perTurnSquaredAtUnitRadius = ExactInductancePerTurnSquared(
      static_cast<double>(R1 / meanRadius), static_cast<double>(R2 / meanRadius),
      static_cast<double>(H / meanRadius));
  const long double exactL = perTurnSquaredAtUnitRadius * meanRadius * turnCount * turnCount;
  if (!std::isnormal(exactL)) {
    return comparison;
  }
  comparison.evaluated = true;
  comparison.exactL = exactL;
  comparison.deviation = formulaL / exactL - 1;
  return comparison;
}

}  // namespace tarnel::reference
