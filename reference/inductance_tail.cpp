#include "reference/inductance_tail.h"

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "reference/bessel_integral.h"
#include "reference/bessel_integral_asymptotics.h"
#include "reference/exponential_integral.h"

namespace tarnel::reference {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// A series sum c_m q^-m, m = 0 .. kTailOrder, with complex coefficients.
using Series = std::array<Complex, kTailOrder + 1>;

// Written out: the library's complex product also guards against infinities
// and not-a-numbers, which cannot arise here.
// Swappable parameters: a product: the order of its factors does not matter.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
Series Product(const Series& left, const Series& right) {
  Series product{};
  for (int i = 0; i <= kTailOrder; ++i) {
    const long double a = left[i].real();
    const long double b = left[i].imag();
    for (int j = 0; i + j <= kTailOrder; ++j) {
      const long double c = right[j].real();
      const long double d = right[j].imag();
      product[i + j] += Complex(a * c - b * d, a * d + b * c);
    }
  }
  return product;
}

Series Conjugate(Series series) {
  for (Complex& c : series) {
    c = std::conj(c);
  }
  return series;
}

Series Scaled(Series series, long double factor) {
  for (Complex& c : series) {
    c *= factor;
  }
  return series;
}

// One radius of the winding beyond K: sign * (F(r q) - 1) =
// sqrt(2q/pi) Re[v(q) e^(i r q)], v(q) = sign sqrt(r) sum u_j (r q)^-j,
// u_j = (a_j - i b_j) e^(-i pi/4).
struct Oscillation {
  long double radius;
  Series amplitude;  // v
};

Oscillation MakeOscillation(long double radius, long double sign) {
  const AsymptoticCoefficients& coefficients = BesselIntegralAsymptoticCoefficients();
  const Complex rotation = std::polar(1.0L, -kPi / 4);
  Series amplitude{};
  long double scale = sign * std::sqrt(radius);
  for (int j = 0; j <= kTailOrder; ++j) {
    amplitude[j] = scale * Complex(coefficients.cosine[j], -coefficients.sine[j]) * rotation;
    scale /= radius;
  }
  return {radius, amplitude};
}

// Integral from K to infinity of Re[sum_m c_m q^(shift - m) e^(i w q)] w(q) dq
// with w(q) = h q^-5 - q^-6 + q^-6 e^(-h q), from the run of exponential
// integrals of the orders p = 5 + m - shift and p + 1.
// Swappable parameters: in the order of the kernel written above.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
long double IntegrateAgainstKernel(const Series& c, long double frequency, long double shift,
                                   long double h, long double K) {
  constexpr int kTerms = kTailOrder + 1;
  std::array<Complex, kTerms + 1> oscillating;  // E_(p0 + k)(-i w K)
  std::array<Complex, kTerms> damped;           // E_(p0 + 1 + k)((h - i w) K)
  const long double firstOrder = 5 - shift;
  ExponentialIntegralOrders(firstOrder, Complex(0, -frequency * K), kTerms + 1, oscillating.data());
  ExponentialIntegralOrders(firstOrder + 1, Complex(h * K, -frequency * K), kTerms, damped.data());
  // K^(1 - p) at each order.
  long double scale = std::pow(K, 1 - firstOrder);
  long double sum = 0;
  for (int m = 0; m < kTerms; ++m) {
    const Complex kernel = scale * (h * oscillating[m] + (damped[m] - oscillating[m + 1]) / K);
    sum += (c[m] * kernel).real();
    scale /= K;
  }
  return sum;
}

}  // namespace

long double InductanceTail(long double r1, long double h, long double K, bool innerIsAsymptotic) {
  if (!(K >= kBesselIntegralAsymptoticStart) || !(h > 0) || !(r1 >= 0 && r1 < 1) ||
      (innerIsAsymptotic && !(r1 * K >= kBesselIntegralAsymptoticStart))) {
    throw std::domain_error("InductanceTail: cut-off too low for the large-x form");
  }
  std::vector<Oscillation> parts{MakeOscillation(1, 1)};
  if (innerIsAsymptotic) {
    parts.push_back(MakeOscillation(r1, -1));
  }
  // G = constant + s, s = sqrt(2q/pi) Re Z, Z = sum v_i e^(i r_i q);
  // the constant is 1 - 1 = 0 with both radii asymptotic, else 1.
  const long double constant = innerIsAsymptotic ? 0 : 1;

  // s^2 = (q/pi) Re[|Z|^2 + Z^2]:
  //   |Z|^2 = sum |v_i|^2 + 2 v_2 conj(v_1) e^(i (r2 - r1) q)
  //   Z^2   = sum v_i^2 e^(2 i r_i q) + 2 v_1 v_2 e^(i (r1 + r2) q)
  long double squareSum = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Oscillation& part = parts[i];
    squareSum +=
        IntegrateAgainstKernel(Product(part.amplitude, Conjugate(part.amplitude)), 0, 1, h, K);
    squareSum +=
        IntegrateAgainstKernel(Product(part.amplitude, part.amplitude), 2 * part.radius, 1, h, K);
    for (std::size_t j = 0; j < i; ++j) {
      const Oscillation& other = parts[j];
      squareSum +=
          IntegrateAgainstKernel(Scaled(Product(other.amplitude, Conjugate(part.amplitude)), 2),
                                 other.radius - part.radius, 1, h, K);
      squareSum += IntegrateAgainstKernel(Scaled(Product(other.amplitude, part.amplitude), 2),
                                          other.radius + part.radius, 1, h, K);
    }
  }
  long double tail = squareSum / kPi;

  if (constant != 0) {
    // 2 constant s + constant^2, s with the half-integer powers q^(1/2 - j).
    for (const Oscillation& part : parts) {
      tail += 2 * constant * std::sqrt(2 / kPi) *
              IntegrateAgainstKernel(part.amplitude, part.radius, 0.5L, h, K);
    }
    tail += constant * constant *
            (h * PowerExponentialTail(5, 0, K).real() - PowerExponentialTail(6, 0, K).real() +
             PowerExponentialTail(6, h, K).real());
  }
  return tail;
}

}  // namespace tarnel::reference
