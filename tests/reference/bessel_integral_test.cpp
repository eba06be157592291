#include "reference/bessel_integral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "reference/bessel_integral_asymptotics.h"
#include "reference/gauss_legendre.h"
#include "tests/param_name.h"

namespace tarnel::reference {
namespace {

// Integral from 0 to x of f, on unit panels with the standard library's
// Bessel functions: independent of the series, the table and the large-x
// form.
template <typename Function>
long double IntegrateFromZero(long double x, const Function& f) {
  static const GaussLegendreRule rule = MakeGaussLegendreRule(30);
  long double sum = 0;
  for (long double left = 0; left < x; left += 1) {
    sum += IntegrateGaussLegendre(rule, left, std::fmin(left + 1, x), f);
  }
  return sum;
}

class BesselIntegralTest : public testing::TestWithParam<double> {};

TEST_P(BesselIntegralTest, MatchesQuadratureOfTJ1) {
  const long double x = GetParam();
  const long double quadrature =
      IntegrateFromZero(x, [](long double t) { return t * std::cyl_bessel_j(1.0L, t); });
  // The library's J1 loses about 1e-19 per unit of x, summed over x panels.
  EXPECT_NEAR(static_cast<double>(BesselIntegral(x)), static_cast<double>(quadrature),
              2e-15 + 1e-16 * GetParam());
}

TEST_P(BesselIntegralTest, MatchesTheJ0FormIntegralOfJ0MinusXJ0) {
  // t J1 = -(t J0)' + J0, so F(x) = integral of J0 from 0 to x - x J0(x).
  const long double x = GetParam();
  const long double integralOfJ0 =
      IntegrateFromZero(x, [](long double t) { return std::cyl_bessel_j(0.0L, t); });
  const long double expected = integralOfJ0 - x * std::cyl_bessel_j(0.0L, x);
  EXPECT_NEAR(static_cast<double>(BesselIntegral(x)), static_cast<double>(expected),
              2e-15 * (1 + std::sqrt(GetParam())));
}

TEST_P(BesselIntegralTest, HasDerivativeXJ1) {
  const long double x = GetParam();
  const long double step = 1e-5L * (1 + x / 100);
  const long double derivative = (BesselIntegral(x + step) - BesselIntegral(x - step)) / (2 * step);
  const double expected = GetParam() * std::cyl_bessel_j(1.0, GetParam());
  EXPECT_NEAR(static_cast<double>(derivative), expected, 1e-8 * (1 + GetParam()));
}

// Points in the power series, in several Chebyshev pieces, on both sides of
// each hand-over, and far into the large-x form.
INSTANTIATE_TEST_SUITE_P(Points, BesselIntegralTest,
                         testing::Values(0.05, 1.0, 3.999, 4.0, 4.001, 5.3, 9.99, 17.2, 26.0,
                                         35.999, 36.0, 36.001, 47.5, 150.0, 1234.5),
                         tarnel::test::PrintedName());

TEST(BesselIntegral, StartsAsXCubedOverSix) {
  // F(x) = x^3/6 - x^5/80 + ...
  for (const long double x : {1e-6L, 1e-3L, 0.02L}) {
    const long double expected = x * x * x / 6 - x * x * x * x * x / 80;
    EXPECT_NEAR(static_cast<double>(BesselIntegral(x) / expected), 1.0, 1e-9);
  }
}

TEST(BesselIntegral, LargeXFormHandsOverSeamlessly) {
  // Some way below the hand-over the large-x form already matches the table.
  for (long double x = 30; x < kBesselIntegralAsymptoticStart; x += 0.37L) {
    EXPECT_NEAR(static_cast<double>(BesselIntegralAsymptotic(x)),
                static_cast<double>(BesselIntegral(x)), 1e-13)
        << "x = " << static_cast<double>(x);
  }
}

TEST(BesselIntegral, LeadingAsymptoticCoefficientsAreTheHandDerivedOnes) {
  // a = -1 - 71/(128 x^2) + ..., b = 7/(8x) + ...
  const AsymptoticCoefficients& c = BesselIntegralAsymptoticCoefficients();
  EXPECT_EQ(c.cosine[0], -1);
  EXPECT_EQ(c.sine[0], 0);
  EXPECT_EQ(c.cosine[1], 0);
  EXPECT_EQ(c.sine[1], 0.875L);
  EXPECT_NEAR(static_cast<double>(c.cosine[2]), -71.0 / 128, 1e-18);
  for (std::size_t n = 1; n < c.cosine.size(); n += 2) {
    EXPECT_EQ(c.cosine[n], 0) << n;
    EXPECT_EQ(c.sine[n - 1], 0) << n;
  }
}

TEST(BesselIntegral, AmplitudeSquaredFollowsTheLargeXLaw) {
  // a^2 + b^2 = 1 + 15/(8 x^2) + O(x^-4): F - 1 swings with amplitude
  // sqrt(2x/pi) times this.
  for (const long double x : {200.0L, 1000.0L, 5000.0L}) {
    const OscillationAmplitudes amplitudes = BesselIntegralAmplitudes(x);
    const long double squared =
        amplitudes.cosine * amplitudes.cosine + amplitudes.sine * amplitudes.sine;
    EXPECT_NEAR(static_cast<double>((squared - 1) * x * x), 15.0 / 8, 100 / (x * x));
  }
}

TEST(BesselIntegral, RefusesNegativeOrInfiniteArguments) {
  EXPECT_THROW(BesselIntegral(-0.1L), std::domain_error);
  EXPECT_THROW(BesselIntegral(INFINITY), std::domain_error);
}

}  // namespace
}  // namespace tarnel::reference
