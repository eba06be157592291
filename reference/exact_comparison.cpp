#include "exact_comparison.h"

#include <cmath>

#include "exact_inductance.h"

namespace tarnel::reference {

namespace {

// The shapes on which the exact value is verified to 1e-9 (docs/accuracy.md;
// its time per winding in docs/performance.md). Beyond them the closed-form
// tail of the integral cancels to fewer and fewer digits, and longer
// windings are checked against the infinite solenoid only up to here.
constexpr long double kSmallestLengthRatio = 1e-7L;
constexpr long double kLargestLengthRatio = 1e6L;
constexpr long double kSmallestThicknessRatio = 1e-6L;

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
  if (!std::isnormal(meanRadius)) {
    return comparison;
  }
  const long double r1 = R1 / meanRadius;
  const long double r2 = R2 / meanRadius;
  const long double h = H / meanRadius;
  const long double lengthRatio = h / 2;
  const long double thicknessRatio = (r2 - r1) / 2;
  if (!(lengthRatio >= kSmallestLengthRatio && lengthRatio <= kLargestLengthRatio &&
        thicknessRatio >= kSmallestThicknessRatio)) {
    return comparison;
  }
  const long double perTurnSquaredAtUnitRadius = ExactInductancePerTurnSquaredExtended(r1, r2, h);
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
