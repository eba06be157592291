// The exact self-inductance of a cylindrical winding of rectangular
// cross-section (inner radius R1, outer radius R2, height H) carrying a
// uniform current density, after Yu and Han (1987) and Conway (2010):
//
//   L = 2 pi mu0 N^2 / (H^2 (R2 - R1)^2)
//       * integral from 0 to infinity of [F(k R2) - F(k R1)]^2
//         (k H - 1 + e^(-k H)) / k^6 dk,
//
// F(x) = integral from 0 to x of t J1(t) dt (bessel_integral.h). In units of
// R2 the integral is taken in three ranges: Gauss-Legendre panels of width pi
// up to 12 pi, where F(k R2) takes its large-x form; then panels that follow
// the slowly varying amplitudes of that form (powers of k, the hole, the
// wall, e^(-k H)) rather than its oscillation, the oscillating parts
// integrated by a Filon rule (filon_rule.h); and the closed form beyond a
// cut-off (inductance_tail.h). Relative accuracy better than 1e-9 on the
// shapes CompareWithExact accepts (exact_comparison.h); thinner discs and
// walls lose digits in the closed-form part.
#pragma once

#include <numbers>

namespace tarnel::reference {

// The magnetic constant 4 pi 1e-7 H/m, with the true pi.
inline constexpr long double kMagneticConstant = 4e-7L * std::numbers::pi_v<long double>;

// How the integral is taken; the defaults reach about 1e-10. Tests move them
// to show the result does not depend on them.
struct IntegrationSettings {
  // Multiplies the cut-off between the numerical and the closed-form part.
  double cutoffScale = 1;
  // Nodes on each panel: Gauss-Legendre up to 12 pi/R2 on panels of width
  // pi/R2 (one period of the fastest oscillation of the integrand), Filon
  // beyond.
  int nodesPerPanel = 14;
};

// L/N^2 in henries for R1, R2, H in metres, 0 <= R1 < R2, H > 0; throws
// std::invalid_argument otherwise.
double ExactInductancePerTurnSquared(double R1, double R2, double H,
                                     const IntegrationSettings& settings = {});

// The same from extended-precision lengths, which keeps the depth of a very
// thin wall exact. The result is proportional to the lengths: in units of a
// mean radius it is L/N^2 for a mean radius of 1 m.
long double ExactInductancePerTurnSquaredExtended(long double R1, long double R2, long double H,
                                                  const IntegrationSettings& settings = {});

}  // namespace tarnel::reference
