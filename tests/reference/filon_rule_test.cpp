#include "reference/filon_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "reference/unit_phase.h"
#include "tests/param_name.h"

namespace tarnel::reference {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Either side of the switch between the upward and the downward recurrence
// (sigma = node count), at zeros of j_0 (pi) and of j_1 (tan s = s), small
// and far beyond the orders kept.
const long double kSigmas[] = {0.01L, 0.5L, kPi, 4.493409457909064175L, 10, 15.9L, 16,
                               17,    100,  2500};

// The integral of f(x) e^(i sigma x) over [-1, 1] by Gauss-Legendre panels
// narrow enough for the oscillation.
template <typename Function>
Complex BruteForce(long double sigma, const Function& f) {
  const GaussLegendreRule rule = MakeGaussLegendreRule(20);
  const int panels = 4 + static_cast<int>(sigma);
  const long double width = 2.0L / panels;
  Complex sum = 0;
  for (int p = 0; p < panels; ++p) {
    const long double middle = -1 + (p + 0.5L) * width;
    for (std::size_t j = 0; j < rule.nodes.size(); ++j) {
      const long double x = middle + width / 2 * rule.nodes[j];
      sum += rule.weights[j] * width / 2 * f(x) * Complex(std::cos(sigma * x), std::sin(sigma * x));
    }
  }
  return sum;
}

// P_k(x) by Bonnet's recurrence.
long double Legendre(int k, long double x) {
  long double previous = 1;
  long double current = x;
  if (k == 0) {
    return 1;
  }
  for (int m = 1; m < k; ++m) {
    const long double next = ((2 * m + 1) * x * current - m * previous) / (m + 1);
    previous = current;
    current = next;
  }
  return current;
}

TEST(SphericalBessel, MatchesItsIntegralOverLegendrePolynomials) {
  // j_k(sigma) = (-i)^k / 2 times the integral of P_k(x) e^(i sigma x).
  constexpr int kCount = 16;
  for (const long double sigma : kSigmas) {
    std::vector<long double> values(kCount);
    SphericalBessel(sigma, kCount, values.data());
    for (int k = 0; k < kCount; ++k) {
      const Complex integral = BruteForce(sigma, [k](long double x) { return Legendre(k, x); });
      const long double expected = (k % 2 == 0 ? integral.real() : integral.imag()) / 2 *
                                   (k % 4 == 0 || k % 4 == 1 ? 1 : -1);
      EXPECT_NEAR(static_cast<double>(values[k]), static_cast<double>(expected),
                  1e-17 + 1e-13 * std::fabs(static_cast<double>(expected)))
          << "sigma " << static_cast<double>(sigma) << ", order " << k;
    }
  }
}

class FilonRuleTest : public testing::TestWithParam<int> {};

TEST_P(FilonRuleTest, IntegratesPolynomialsTimesTheOscillationExactly) {
  const int n = GetParam();
  const FilonRule rule(n);
  std::vector<Complex> weights(n);
  for (const long double sigma : kSigmas) {
    rule.Weights(sigma, weights.data());
    for (const int degree : {0, 1, n / 2, n - 1}) {
      Complex sum = 0;
      for (int j = 0; j < n; ++j) {
        sum += weights[j] * std::pow(rule.Nodes().nodes[j], degree);
      }
      const Complex expected =
          BruteForce(sigma, [degree](long double x) { return std::pow(x, degree); });
      // Against the integral of |x^degree|, the size the weights work with.
      EXPECT_LT(static_cast<double>(std::abs(sum - expected) * (degree + 1) / 2), 1e-15)
          << "sigma " << static_cast<double>(sigma) << ", degree " << degree;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FilonRuleTest, testing::Values(4, 14, 24),
                         tarnel::test::PrintedName());

TEST(FilonRule, WithoutOscillationIsGaussLegendre) {
  const FilonRule rule(14);
  std::vector<Complex> weights(14);
  rule.Weights(0, weights.data());
  for (int j = 0; j < 14; ++j) {
    EXPECT_EQ(weights[j], Complex(rule.Nodes().weights[j]));
  }
  EXPECT_THROW(rule.Weights(-1, weights.data()), std::domain_error);
}

TEST(UnitPhase, MatchesTheLibrarysFullReduction) {
  // Each quadrant and its edges, both signs, and arguments whose quarter
  // turns need the three parts of pi/2.
  for (const long double x :
       {0.0L, 0.78539816L, 0.78539817L, -2.3L, 3 * kPi / 2 - 1e-15L, 3 * kPi / 2 + 1e-15L, 100.0L,
        12345.678L, -98765.4321L, 1e9L + 0.5L, 6e9L}) {
    const UnitPhase phase = Phase(x);
    EXPECT_NEAR(static_cast<double>(phase.cosine - std::cos(x)), 0, 1e-18)
        << static_cast<double>(x);
    EXPECT_NEAR(static_cast<double>(phase.sine - std::sin(x)), 0, 1e-18) << static_cast<double>(x);
  }
}

}  // namespace
}  // namespace tarnel::reference
