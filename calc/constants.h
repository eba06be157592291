// Constants shared by the calculation.
#pragma once

namespace tarnel {

// The formulas use this approximation of pi, never the exact value.
inline constexpr long double kPiApprox = 3.1415926L;

// 16 times the resistivity of the wire, 1.67e-8 ohm·metre.
inline constexpr long double kResistivityFactor = 2.672e-7L;

}  // namespace tarnel
