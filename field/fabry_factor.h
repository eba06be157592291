// The Fabry factor: how much centre field a winding's shape gives for its
// power.
#pragma once

#include <optional>

#include "calc/winding.h"

namespace tarnel::field {

// G(α, β) = √(β/(2π(α² - 1)))·ln((α + √(α² + β²))/(1 + √(1 + β²))), so that
// the centre field is μ0·G·√(P·Lambda/(ρ·R1)) for a power P and the
// resistivity ρ. Nothing unless α > 1 and β > 0 are finite.
std::optional<long double> FabryFactor(long double alpha, long double beta);

// G of the winding: α = R2/R1, β = H/(2·R1); nothing for R1 = 0.
std::optional<long double> FabryFactorOf(const Winding& winding);

struct BestFabry {
  long double alpha = 0;
  long double beta = 0;
  long double factor = 0;
};

// The shape with the largest G, found by golden-section search in β inside
// a golden-section search in α.
const BestFabry& BestFabryFactor();

}  // namespace tarnel::field
