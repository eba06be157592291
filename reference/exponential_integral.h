// The generalised exponential integral E_nu(z) = integral from 1 to infinity
// of e^(-z t) t^(-nu) dt for complex z, which gives the oscillating and
// decaying power-law tails of the inductance integral in closed form:
// integral from K to infinity of q^(-p) e^(-z q) dq = K^(1-p) E_p(z K).
#pragma once

#include <complex>

namespace tarnel::reference {

using Complex = std::complex<long double>;

// E_nu(z) for real nu >= 1 and Re z >= 0 (z != 0 when nu = 1): its power
// series for |z| < 1, its continued fraction (modified Lentz) beyond.
// Throws std::domain_error outside that range.
Complex ExponentialIntegral(long double nu, Complex z);

// Integral from K to infinity of q^(-p) e^(-z q) dq, for K > 0, p > 1 and
// Re z >= 0.
Complex PowerExponentialTail(long double p, Complex z, long double K);

}  // namespace tarnel::reference

namespace tarnel::reference {

// E_(nu + k)(z) for k = 0 .. count-1 into `values`, same range as
// ExponentialIntegral: one order from it, the others by
// (n) E_(n+1)(z) = e^-z - z E_n(z), upwards where the order exceeds |z| and
// downwards below, the directions in which the recurrence damps errors.
void ExponentialIntegralOrders(long double nu, Complex z, int count, Complex* values);

}  // namespace tarnel::reference
