// The exact inductance of a winding's cross-section per squared turn, and
// the one route from it to the inductance of N turns: what the comparison
// with a formula and the design both evaluate.
#pragma once

#include <optional>

#include "calc/winding.h"
#include "reference/exact_comparison.h"

namespace tarnel::reference {

// A winding's R1, R2 and H in units of its mean radius.
struct ScaledShape {
  long double meanRadius;
  long double r1;
  long double r2;
  long double h;
};

// The winding R1, R2, H (metres) scaled, when 0 <= R1 < R2, H > 0, all
// finite, the mean radius normal and the shape verified
// (exact_comparison.h); nothing otherwise.
std::optional<ScaledShape> VerifiedShape(long double R1, long double R2, long double H);

// L/N² in henries of the cross-section R1..R2 × H of `w` (D and Lambda are
// not read), or nothing where the shape is not verified, the value is not a
// normal number or `evaluate` raises std::runtime_error. A std::logic_error
// passes on unchanged, as exact_comparison.h says.
std::optional<long double> ExactPerTurnSquared(
    const Winding& w, PerTurnSquaredAtUnitRadius evaluate = ExactPerTurnSquaredAtUnitRadius);

// (perTurnSquared · turnCount) · turnCount, the inductance of turnCount
// turns, or nothing where it is not a normal number. In this order: N²
// alone may overflow where L does not. perTurnSquared is normal, as
// ExactPerTurnSquared gives it.
std::optional<long double> TimesTurnsSquared(long double perTurnSquared, long double turnCount);

}  // namespace tarnel::reference
