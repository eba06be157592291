// F(x) = integral from 0 to x of t J1(t) dt = (pi x/2) (J1(x) H0(x) - J0(x) H1(x)),
// the radial moment of J1 that carries the radii of the winding into the
// exact inductance integral.
#pragma once

namespace tarnel::reference {

// F(x) for x >= 0, to about 1e-18 relative for small x and 1e-15 absolute
// for large x (where |F| grows like sqrt(x)): the power series up to x = 4,
// Chebyshev pieces up to x = 36 (built once from Gauss-Legendre quadrature
// of t J1(t)), and the large-x form of bessel_integral_asymptotics.h beyond.
long double BesselIntegral(long double x);

// Where the large-x form takes over.
inline constexpr long double kBesselIntegralAsymptoticStart = 36;

}  // namespace tarnel::reference
