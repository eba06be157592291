#include "reference/exponential_integral.h"

#include <cmath>
#include <stdexcept>

#include "reference/unit_phase.h"

namespace tarnel::reference {

namespace {

constexpr long double kEulerGamma = 0.577215664901532860606512090082402431L;

// Below this |z| the power series is used: its terms at most reach
// e^|z| times the result, and the continued fraction converges slowly.
constexpr long double kSeriesLimit = 1;

// 1/z without the overflow guards of the library's complex division, which
// make it many times slower; the continued fraction keeps |z| well in range.
Complex Reciprocal(Complex z) {
  const long double norm = z.real() * z.real() + z.imag() * z.imag();
  return {z.real() / norm, -z.imag() / norm};
}

// E_nu(z) = Gamma(1 - nu) z^(nu - 1) - sum_k (-z)^k / (k! (1 - nu + k)) for
// nu not an integer; for nu = n the term k = n - 1 and the power merge into
// (-z)^(n-1) / (n-1)! (psi(n) - ln z), psi(n) = -gamma + 1 + 1/2 + ... + 1/(n-1).
Complex ExponentialIntegralSeries(long double nu, Complex z) {
  const long double rounded = std::nearbyint(nu);
  const bool integerOrder = rounded == nu;
  const int singularTerm = integerOrder ? static_cast<int>(rounded) - 1 : -1;
  Complex sum = 0;
  Complex power = 1;  // (-z)^k / k!
  for (int k = 0; k < 200; ++k) {
    if (k > 0) {
      power *= -z / static_cast<long double>(k);
    }
    if (k == singularTerm) {
      long double digamma = -kEulerGamma;
      for (int m = 1; m < singularTerm + 1; ++m) {
        digamma += 1.0L / m;
      }
      sum += power * (digamma - std::log(z));
      continue;
    }
    const Complex term = power / (1 - nu + k);
    sum -= term;
    if (k > singularTerm && std::norm(term) <= 1e-42L * std::norm(sum)) {
      break;
    }
  }
  if (!integerOrder) {
    sum += std::tgamma(1 - nu) * std::pow(z, nu - 1);
  }
  return sum;
}

}  // namespace

Complex ExponentialIntegral(long double nu, Complex z) {
  if (!(nu >= 1) || !(z.real() >= 0) || (nu == 1 && z == Complex(0))) {
    throw std::domain_error("ExponentialIntegral needs nu >= 1, Re z >= 0, and z != 0 for nu = 1");
  }
  if (z == Complex(0)) {
    return 1 / (nu - 1);
  }
  if (std::norm(z) < kSeriesLimit * kSeriesLimit) {
    return ExponentialIntegralSeries(nu, z);
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
      const UnitPhase phase = Phase(z.imag());
      return h * Complex(magnitude * phase.cosine, -magnitude * phase.sine);
    }
  }
  throw std::runtime_error("ExponentialIntegral: continued fraction did not converge");
}

Complex PowerExponentialTail(long double p, Complex z, long double K) {
  if (!(K > 0) || !(p > 1)) {
    throw std::domain_error("PowerExponentialTail needs K > 0 and p > 1");
  }
  const long double scale = std::pow(K, 1 - p);
  return scale * ExponentialIntegral(p, z * K);
}

}  // namespace tarnel::reference

namespace tarnel::reference {

void ExponentialIntegralOrders(long double nu, Complex z, int count, Complex* values) {
  if (count < 1) {
    return;
  }
  if (z == Complex(0)) {
    for (int k = 0; k < count; ++k) {
      values[k] = ExponentialIntegral(nu + k, z);
    }
    return;
  }
  // The order nearest above |z| is taken directly.
  const long double size = std::abs(z);
  int pivot = 0;
  if (size > nu) {
    pivot = static_cast<int>(std::min<long double>(std::ceil(size - nu), count - 1));
  }
  values[pivot] = ExponentialIntegral(nu + pivot, z);
  const long double decay = std::exp(-z.real());
  const UnitPhase phase = Phase(z.imag());
  const Complex exponential(decay * phase.cosine, -decay * phase.sine);
  for (int k = pivot; k + 1 < count; ++k) {
    values[k + 1] = (exponential - z * values[k]) / (nu + k);
  }
  const Complex inverse = Reciprocal(z);
  for (int k = pivot; k > 0; --k) {
    values[k - 1] = (exponential - (nu + k - 1) * values[k]) * inverse;
  }
}

}  // namespace tarnel::reference
