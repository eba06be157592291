#include "reference/bessel_integral_asymptotics.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace tarnel::reference {

namespace {

constexpr int kOrder = 60;

using Series = std::vector<long double>;  // coefficient of x^-n at index n

Series Multiply(const Series& left, const Series& right) {
  Series product(kOrder + 1, 0.0L);
  for (int i = 0; i <= kOrder; ++i) {
    for (int j = 0; i + j <= kOrder; ++j) {
      product[i + j] += left[i] * right[j];
    }
  }
  return product;
}

// Hankel's a_k(nu) = (4nu^2 - 1^2)(4nu^2 - 3^2)...(4nu^2 - (2k-1)^2) / (k! 8^k).
Series HankelTerms(int nu) {
  Series terms(kOrder + 1, 0.0L);
  terms[0] = 1;
  for (int k = 1; k <= kOrder; ++k) {
    const long double odd = 2 * k - 1;
    terms[k] = terms[k - 1] * (4.0L * nu * nu - odd * odd) / (8.0L * k);
  }
  return terms;
}

// P_nu = a_0 - a_2 x^-2 + a_4 x^-4 - ...
Series HankelP(int nu) {
  const Series terms = HankelTerms(nu);
  Series p(kOrder + 1, 0.0L);
  for (int n = 0; n <= kOrder; n += 2) {
    p[n] = (n / 2) % 2 == 0 ? terms[n] : -terms[n];
  }
  return p;
}

// Q_nu = a_1 x^-1 - a_3 x^-3 + ...
Series HankelQ(int nu) {
  const Series terms = HankelTerms(nu);
  Series q(kOrder + 1, 0.0L);
  for (int n = 1; n <= kOrder; n += 2) {
    q[n] = ((n - 1) / 2) % 2 == 0 ? terms[n] : -terms[n];
  }
  return q;
}

// ((2k-1)!!)^2 for k = 0, 1, ...
long double DoubleFactorialSquared(int k) {
  long double product = 1;
  for (int j = 1; j <= k; ++j) {
    product *= 2 * j - 1;
  }
  return product * product;
}

// (pi/2)(H0 - Y0) = s0, (pi/2)(H1 - Y1) = s1.
Series StruveS0() {
  Series s(kOrder + 1, 0.0L);
  for (int k = 0; 2 * k + 1 <= kOrder; ++k) {
    const long double magnitude = DoubleFactorialSquared(k);
    s[2 * k + 1] = k % 2 == 0 ? magnitude : -magnitude;
  }
  return s;
}

Series StruveS1() {
  Series s(kOrder + 1, 0.0L);
  for (int n = 0; n <= kOrder; n += 2) {
    const int k = n / 2;
    const long double magnitude = DoubleFactorialSquared(k) / (1 - n);
    s[n] = k % 2 == 0 ? magnitude : -magnitude;
  }
  return s;
}

AsymptoticCoefficients ComputeCoefficients() {
  const Series s0 = StruveS0();
  const Series s1 = StruveS1();
  const Series s0q1 = Multiply(s0, HankelQ(1));
  const Series s1p0 = Multiply(s1, HankelP(0));
  const Series s0p1 = Multiply(s0, HankelP(1));
  const Series s1q0 = Multiply(s1, HankelQ(0));
  AsymptoticCoefficients coefficients{Series(kOrder + 1), Series(kOrder + 1)};
  for (int n = 0; n <= kOrder; ++n) {
    coefficients.cosine[n] = s0q1[n] - s1p0[n];
    coefficients.sine[n] = s0p1[n] + s1q0[n];
  }
  return coefficients;
}

// Sums the terms c_n x^-n of one parity, from `first` on, until they stop
// decreasing or become negligible.
long double SumToSmallestTerm(const Series& coefficients, int first, long double x) {
  const long double inverse = 1 / x;
  const long double inverseSquared = inverse * inverse;
  long double power = first == 0 ? 1.0L : inverse;
  long double sum = 0;
  long double previousMagnitude = INFINITY;
  for (int n = first; n < static_cast<int>(coefficients.size()); n += 2) {
    const long double term = coefficients[n] * power;
    const long double magnitude = std::fabs(term);
    if (magnitude > previousMagnitude) {
      break;
    }
    sum += term;
    if (magnitude <= 1e-21L * std::fabs(sum)) {
      break;
    }
    previousMagnitude = magnitude;
    power *= inverseSquared;
  }
  return sum;
}

}  // namespace

const AsymptoticCoefficients& BesselIntegralAsymptoticCoefficients() {
  static const AsymptoticCoefficients coefficients = ComputeCoefficients();
  return coefficients;
}

OscillationAmplitudes BesselIntegralAmplitudes(long double x) {
  const AsymptoticCoefficients& coefficients = BesselIntegralAsymptoticCoefficients();
  return {SumToSmallestTerm(coefficients.cosine, 0, x), SumToSmallestTerm(coefficients.sine, 1, x)};
}

long double BesselIntegralAsymptotic(long double x) {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  constexpr long double kTwoPi = 2 * kPi;
  // Reduce in extended precision; the double-precision sine and cosine of
  // the remainder are then good to about 1e-16 whatever the size of x.
  // Adding and subtracting 1.5 * 2^63 rounds a long double to a whole number
  // (far cheaper than nearbyint, which switches the x87 rounding mode).
  constexpr long double kRounder = 0x1.8p63L;
  const long double turns = (x / kTwoPi + kRounder) - kRounder;
  const double reduced = static_cast<double>(x - turns * kTwoPi);
  const long double cosine = std::cos(reduced);
  const long double sine = std::sin(reduced);
  // cos(x - pi/4) = (cos x + sin x)/sqrt 2, sin(x - pi/4) = (sin x - cos x)/sqrt 2
  const OscillationAmplitudes amplitudes = BesselIntegralAmplitudes(x);
  return 1 + std::sqrt(x / kPi) * ((amplitudes.cosine - amplitudes.sine) * cosine +
                                   (amplitudes.cosine + amplitudes.sine) * sine);
}

}  // namespace tarnel::reference
