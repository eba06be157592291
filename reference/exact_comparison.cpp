#include "reference/exact_comparison.h"

#include <cmath>
#include <optional>

#include "reference/exact_per_turn_squared.h"

namespace tarnel::reference {

bool IsVerifiedShape(const Winding& winding) {
  return VerifiedShape(winding.R1, winding.R2, winding.H).has_value();
}

bool IsVerifiedShape(long double R1, long double R2, long double H) {
  return VerifiedShape(R1, R2, H).has_value();
}

ExactComparison CompareWithExact(const Winding& winding, long double turnCount,
                                 long double formulaL, PerTurnSquaredAtUnitRadius evaluate) {
  ExactComparison comparison;
  if (!std::isfinite(turnCount) || !std::isfinite(formulaL)) {
    return comparison;
  }
  const std::optional<long double> perTurnSquared = ExactPerTurnSquared(winding, evaluate);
  if (!perTurnSquared) {
    return comparison;
  }
  const std::optional<long double> exactL = TimesTurnsSquared(*perTurnSquared, turnCount);
  if (!exactL || !std::isnormal(formulaL)) {
    return comparison;
  }
  comparison.evaluated = true;
  comparison.exactL = *exactL;
  comparison.deviation = formulaL / *exactL - 1;
  return comparison;
}

}  // namespace tarnel::reference
