// The generalised exponential integral E_nu(z) = integral from 1 to infinity
// of e^(-z t) t^(-nu) dt for complex z, which gives the oscillating and
// decaying power-law tails of the inductance integral in closed form:
// integral from K to infinity of q^(-p) e^(-z q) dq = K^(1-p) E_p(z K).
#pragma once

#include <complex>

namespace tarnel::reference {

using Complex = std::complex<long double>;

// E_nu(z) for real nu >= 1 and Re z >= 0, |z| >= 1, by its continued
// fraction (modified Lentz). Throws std::domain_error outside that range.
Complex ExponentialIntegral(long double nu, Complex z);

// Integral from K to infinity of q^(-p) e^(-z q) dq, for K > 0, p > 1 and
// either z = 0 or Re z >= 0 with |z K| >= 1.
Complex PowerExponentialTail(long double p, Complex z, long double K);

}  // namespace tarnel::reference
