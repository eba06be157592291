#include "reference/inductance_tail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <stdexcept>
#include <string>

#include "reference/bessel_integral.h"
#include "reference/gauss_legendre.h"

namespace tarnel::reference {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// G(q)^2 w(q) straight from F, as the numerical part of the integral has it.
long double Integrand(long double r1, long double h, long double q) {
  const long double g = BesselIntegral(q) - BesselIntegral(r1 * q);
  return g * g * (h * q - 1 + std::exp(-h * q)) / std::pow(q, 6.0L);
}

long double Quadrature(long double r1, long double h, long double from, long double to) {
  const GaussLegendreRule rule = MakeGaussLegendreRule(20);
  const int panels = static_cast<int>(std::ceil((to - from) / (kPi / 2)));
  const long double width = (to - from) / panels;
  long double sum = 0;
  for (int i = 0; i < panels; ++i) {
    sum += IntegrateGaussLegendre(rule, from + i * width, from + (i + 1) * width,
                                  [&](long double q) { return Integrand(r1, h, q); });
  }
  return sum;
}

struct TailCase {
  const char* name;
  long double r1;
  long double h;
  long double nearCutoff;
  long double farCutoff;
  bool innerIsAsymptotic;
  double tolerance;  // relative to the tail at the near cut-off
};

void PrintTo(const TailCase& value, std::ostream* out) {
  *out << value.name;
}

class InductanceTailTest : public testing::TestWithParam<TailCase> {};

TEST_P(InductanceTailTest, MovingTheCutoffMovesTheTailByTheIntegralBetween) {
  const TailCase c = GetParam();
  const long double near = InductanceTail(c.r1, c.h, c.nearCutoff, c.innerIsAsymptotic);
  const long double far = InductanceTail(c.r1, c.h, c.farCutoff, c.innerIsAsymptotic);
  const long double between = Quadrature(c.r1, c.h, c.nearCutoff, c.farCutoff);
  EXPECT_GT(near, far);
  EXPECT_NEAR(static_cast<double>((near - far) / between), 1.0,
              c.tolerance * static_cast<double>(near / between));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, InductanceTailTest,
    testing::Values(TailCase{"Middling", 0.5L, 1, 80, 160, true, 1e-12},
                    TailCase{"ThinFlatRing", 0.9L, 0.05L, 60, 200, true, 1e-12},
                    TailCase{"LongAndThick", 0.2L, 30, 180, 300, true, 1e-12},
                    TailCase{"NoHole", 0, 2, 40, 100, false, 1e-12},
                    TailCase{"TinyHoleLeftOut", 2e-5L, 0.5L, 40, 90, false, 1e-10},
                    // h K and (1 - r1) K well below 1: the small-argument side
                    // of the exponential integrals.
                    TailCase{"ThinDisc", 0.5L, 1e-4L, 80, 200, true, 1e-10},
                    TailCase{"ThinWall", 0.9999L, 0.5L, 40, 100, true, 1e-10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InductanceTail, FarOutTendsToTheLeadingPowerLaw) {
  // For K far beyond 1/H and 1/(R2 - R1) the tail is h (1 + r1) / (3 pi K^3).
  const long double r1 = 0.5;
  const long double h = 1;
  for (const long double K : {2000.0L, 8000.0L}) {
    const long double leading = h * (1 + r1) / (3 * kPi * K * K * K);
    EXPECT_NEAR(static_cast<double>(InductanceTail(r1, h, K, true) / leading), 1.0, 20 / K);
  }
}

TEST(InductanceTail, RefusesACutoffBelowTheLargeXForm) {
  EXPECT_THROW(InductanceTail(0.5L, 1, 50, true), std::domain_error);  // r1 K < 36
  EXPECT_THROW(InductanceTail(0, 1, 30, false), std::domain_error);    // K < 36
  EXPECT_THROW(InductanceTail(0.5L, 0, 80, true), std::domain_error);  // h = 0
  EXPECT_THROW(InductanceTail(1, 1, 80, true), std::domain_error);     // r1 = 1
}

}  // namespace
}  // namespace tarnel::reference
