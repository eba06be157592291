#include "exponential_integral.h"

#include <cmath>
#include <stdexcept>

namespace tarnel::reference {

namespace {

// 1/z without the overflow guards of the library's complex division, which
// make it many times slower; the continued fraction keeps |z| well in range.
Complex Reciprocal(Complex z) {
  const long double norm = z.real() * z.real() + z.imag() * z.imag();
  return {z.real() / norm, -z.imag() / norm};
}

}  // namespace

Complex ExponentialIntegral(long double nu, Complex z) {
  if (!(nu >= 1) || !(z.real() >= 0) || !(std::norm(z) >= 1)) {
    throw std::domain_error("ExponentialIntegral needs nu >= 1, Re z >= 0 and |z| >= 1");
  }
  // E_nu(z) = e^-z (1/(z + nu -) 1 nu/(z + nu + 2 -) 2 (nu + 1)/(z + nu + 4 -) ...)
  constexpr long double kTiny = 1e-300L;
  constexpr long double kToleranceSquared = 1e-37L;  // |step - 1| below about 3e-19
  Complex b = z + nu;
  Complex c = 1 / kTiny;
  Complex d = Reciprocal(b);
  Complex h = d;
  for (int i = 1; i < 100000; ++i) {
    const long double a = -i * (nu - 1 + i);
    b += 2;
    d = a * d + b;
    if (std::norm(d) < kTiny) {
      d = kTiny;
    }
    d = Reciprocal(d);
    c = b + a * Reciprocal(c);
    if (std::norm(c) < kTiny) {
      c = kTiny;
    }
    const Complex step = c * d;
    h *= step;
    if (std::norm(step - 1.0L) <= kToleranceSquared) {
      const long double magnitude = std::exp(-z.real());
      return h * Complex(magnitude * std::cos(z.imag()), -magnitude * std::sin(z.imag()));
    }
  }
  throw std::runtime_error("ExponentialIntegral: continued fraction did not converge");
}

Complex PowerExponentialTail(long double p, Complex z, long double K) {
  if (!(K > 0) || !(p > 1)) {
    throw std::domain_error("PowerExponentialTail needs K > 0 and p > 1");
  }
  const long double scale = std::pow(K, 1 - p);
  if (z == Complex(0)) {
    return scale / (p - 1);
  }
  return scale * ExponentialIntegral(p, z * K);
}

}  // namespace tarnel::reference
