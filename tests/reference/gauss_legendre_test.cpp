#include "reference/gauss_legendre.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "tests/param_name.h"

namespace tarnel::reference {
namespace {

class GaussLegendreTest : public testing::TestWithParam<int> {};

TEST_P(GaussLegendreTest, IntegratesMonomialsExactlyUpToDegreeTwoNMinusOne) {
  const int n = GetParam();
  const GaussLegendreRule rule = MakeGaussLegendreRule(n);
  ASSERT_EQ(rule.nodes.size(), static_cast<std::size_t>(n));
  for (int degree = 0; degree <= 2 * n - 1; ++degree) {
    long double sum = 0;
    for (int i = 0; i < n; ++i) {
      sum += rule.weights[i] * std::pow(rule.nodes[i], degree);
    }
    const long double exact = degree % 2 == 0 ? 2.0L / (degree + 1) : 0.0L;
    EXPECT_NEAR(static_cast<double>(sum), static_cast<double>(exact), 1e-16) << "degree " << degree;
  }
}

TEST_P(GaussLegendreTest, NodesAreAscendingAndSymmetric) {
  const int n = GetParam();
  const GaussLegendreRule rule = MakeGaussLegendreRule(n);
  for (int i = 0; i < n; ++i) {
    EXPECT_GT(rule.weights[i], 0);
    EXPECT_EQ(rule.nodes[i], -rule.nodes[n - 1 - i]);
    if (i > 0) {
      EXPECT_LT(rule.nodes[i - 1], rule.nodes[i]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GaussLegendreTest, testing::Values(1, 2, 5, 14, 32),
                         tarnel::test::PrintedName());

TEST(GaussLegendre, MissesDegreeTwoN) {
  // x^(2n) is the first monomial an n-point rule gets wrong.
  for (const int n : {1, 2, 3, 5}) {
    const GaussLegendreRule rule = MakeGaussLegendreRule(n);
    long double sum = 0;
    for (int i = 0; i < n; ++i) {
      sum += rule.weights[i] * std::pow(rule.nodes[i], 2 * n);
    }
    EXPECT_GT(std::fabs(sum - 2.0L / (2 * n + 1)), 1e-6L) << n;
  }
}

TEST(GaussLegendre, MapsTheRuleOntoAnInterval) {
  const GaussLegendreRule rule = MakeGaussLegendreRule(12);
  const long double integral =
      IntegrateGaussLegendre(rule, 0.5L, 2.0L, [](long double x) { return std::exp(x); });
  EXPECT_NEAR(static_cast<double>(integral), std::exp(2.0) - std::exp(0.5), 1e-15);
}

TEST(GaussLegendre, RefusesAnEmptyRule) {
  EXPECT_THROW(MakeGaussLegendreRule(0), std::invalid_argument);
}

}  // namespace
}  // namespace tarnel::reference
