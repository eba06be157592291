// The axial field's closed form against the field of current loops summed
// over the cross-section, and its limits.
#include "field/axial_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "reference/exact_inductance.h"
#include "reference/gauss_legendre.h"

namespace tarnel::field {
namespace {

constexpr long double kMu0 = reference::kMagneticConstant;

// ∫ f over [a, b] by 20-point Gauss-Legendre on panels that halve towards
// `p` (a point of [a, b]), where the integrand may be sharp.
long double GradedIntegral(const std::function<long double(long double)>& f, long double a,
                           long double b, long double p) {
  static const reference::GaussLegendreRule rule = reference::MakeGaussLegendreRule(20);
  long double sum = 0;
  for (const long double end : {a, b}) {
    long double outer = end;
    const long double length = std::fabs(end - p);
    if (length == 0) {
      continue;
    }
    for (int k = 0; k < 40; ++k) {
      const long double inner = k == 39 ? p : p + (outer - p) / 2;
      const long double lo = std::min(inner, outer);
      const long double hi = std::max(inner, outer);
      sum += reference::IntegrateGaussLegendre(rule, lo, hi, f);
      outer = inner;
    }
  }
  return sum;
}

// B(z) of the winding as the sum of its loops: μ0·J·r²/(2(r² + (z - z')²)^(3/2))
// over R1 <= r <= R2, -H/2 <= z' <= H/2.
long double LoopSum(const Winding& w, long double density, long double z) {
  const long double h = w.H / 2;
  const long double nearest = std::clamp(z, -h, h);
  auto ring = [&](long double r) {
    auto loop = [&](long double zp) {
      const long double w2 = r * r + (z - zp) * (z - zp);
      return r * r / (w2 * std::sqrt(w2));
    };
    return GradedIntegral(loop, -h, h, nearest);
  };
  return kMu0 * density / 2 * GradedIntegral(ring, w.R1, w.R2, w.R1);
}

struct FieldCase {
  const char* name;
  Winding winding;
  // Points as multiples of max(H, R2).
  std::vector<long double> points;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.name;
}

class AxialFieldMatchesLoopSum : public ::testing::TestWithParam<FieldCase> {};

TEST_P(AxialFieldMatchesLoopSum, ToElevenDigits) {
  const FieldCase& c = GetParam();
  const long double scale = std::max(c.winding.H, c.winding.R2);
  const long double density = 1e6L;
  for (const long double point : c.points) {
    const long double z = point * scale;
    const std::optional<long double> field = AxialField(c.winding, density, z);
    ASSERT_TRUE(field) << "z = " << static_cast<double>(z);
    const long double expected = LoopSum(c.winding, density, z);
    EXPECT_NEAR(static_cast<double>(*field / expected - 1), 0.0, 1e-11)
        << "z = " << static_cast<double>(z);
    // Even in z.
    EXPECT_EQ(*AxialField(c.winding, density, -z), *field);
  }
}

const std::vector<long double> kAlongTheAxis = {0.0L, 0.1L, 0.3L, 0.5L, 0.7L,
                                                1.0L, 2.0L, 4.0L, 10.0L};

INSTANTIATE_TEST_SUITE_P(
    Shapes, AxialFieldMatchesLoopSum,
    ::testing::Values(
        FieldCase{"startup", {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, kAlongTheAxis},
        FieldCase{"no_hole", {0, 0.02L, 0.03L, 0.001L, 0.6L}, {0.75L, 1.0L, 2.0L, 4.0L, 10.0L}},
        FieldCase{
            "long", {0.01L, 0.012L, 2.0L, 0.001L, 0.6L}, {0.0L, 0.4L, 0.5L, 0.6L, 3.0L, 10.0L}},
        FieldCase{
            "very_long", {0.001L, 0.0011L, 10.0L, 0.0001L, 0.6L}, {0.0L, 0.5L, 0.6L, 2.0L, 10.0L}},
        FieldCase{"thick_short", {0.001L, 0.1L, 0.01L, 0.001L, 0.6L}, kAlongTheAxis},
        FieldCase{"thin_wall", {0.05L, 0.05L + 5e-12L, 0.04L, 1e-12L, 0.6L}, kAlongTheAxis},
        FieldCase{"flat_disc", {0.01L, 0.05L, 5e-11L, 1e-11L, 0.6L}, kAlongTheAxis},
        FieldCase{"thin_flat_ring", {0.05L, 0.05L + 1e-9L, 1e-9L, 1e-10L, 0.6L}, kAlongTheAxis},
        FieldCase{"far_series_edge",
                  {0.01L, 0.02L, 0.03L, 0.001L, 0.6L},
                  {(4 * 0.02L + 0.015L) / 0.03L, (4 * 0.02L + 0.0149L) / 0.03L, 6.0L}}),
    [](const auto& info) { return std::string(info.param.name); });

// Limits with a closed answer of their own.
struct LimitCase {
  const char* name;
  Winding winding;
  long double z;
  long double expected;  // tesla for N·I = 1 A
  double tolerance;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.name;
}

class AxialFieldLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(AxialFieldLimit, MatchesItsOwnFormula) {
  const LimitCase& c = GetParam();
  const std::optional<long double> density = CurrentDensity(c.winding, 1, 1);
  ASSERT_TRUE(density);
  const std::optional<long double> field = AxialField(c.winding, *density, c.z);
  ASSERT_TRUE(field);
  EXPECT_NEAR(static_cast<double>(*field / c.expected - 1), 0.0, c.tolerance);
}

constexpr long double kR = 0.05L;
constexpr long double kThin = 1e-9L;

// A loop of radius R on its axis: μ0·I·R²/(2(R² + z²)^(3/2)).
long double LoopField(long double z) {
  return kMu0 * kR * kR / (2 * std::pow(kR * kR + z * z, 1.5L));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, AxialFieldLimit,
    ::testing::Values(
        // A long solenoid: μ0·N·I/H inside, half of it at an end.
        LimitCase{"long_centre", {0.01L, 0.011L, 1000.0L, 0.0001L, 0.6L}, 0, kMu0 / 1000, 1e-9},
        LimitCase{"long_end", {0.01L, 0.011L, 1000.0L, 0.0001L, 0.6L}, 500, kMu0 / 2000, 1e-6},
        // A ring of a wall and height small against its radius: a loop,
        // μ0·N·I/(2R) at its centre.
        LimitCase{
            "ring_centre", {kR, kR + kThin, kThin, kThin / 10, 0.6L}, 0, kMu0 / (2 * kR), 1e-7},
        LimitCase{"ring_at_R", {kR, kR + kThin, kThin, kThin / 10, 0.6L}, kR, LoopField(kR), 1e-7},
        LimitCase{"ring_far",
                  {kR, kR + kThin, kThin, kThin / 10, 0.6L},
                  10 * kR,
                  LoopField(10 * kR),
                  1e-7},
        // A thin flat annulus R1..R2 of surface current K = N·I/(R2 - R1):
        // μ0·K/2·ln(R2/R1) at its centre.
        LimitCase{"flat_annulus",
                  {0.01L, 0.04L, 1e-9L, 1e-10L, 0.6L},
                  0,
                  kMu0 / 0.03L / 2 * std::log(4.0L),
                  1e-7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AxialField, CentreAndEndAreTheFieldAtZeroAndAtTheFace) {
  const Winding w{0.01L, 0.02L, 0.03L, 0.001L, 0.6L};
  EXPECT_EQ(*CentreField(w, 1e6L), *AxialField(w, 1e6L, 0));
  EXPECT_EQ(*EndField(w, 1e6L), *AxialField(w, 1e6L, 0.015L));
  // A winding without a hole has its field at its centre too.
  const Winding solid{0, 0.02L, 0.03L, 0.001L, 0.6L};
  const std::optional<long double> centre = CentreField(solid, 1e6L);
  ASSERT_TRUE(centre);
  EXPECT_NEAR(static_cast<double>(*centre / LoopSum(solid, 1e6L, 0) - 1), 0.0, 1e-11);
  EXPECT_NEAR(static_cast<double>(*EndField(solid, 1e6L) / LoopSum(solid, 1e6L, 0.015L) - 1), 0.0,
              1e-11);
}

// For one current density the field grows with the size of the winding, at
// every size the numbers hold.
TEST(AxialField, ScalesWithTheWinding) {
  const Winding w{0.01L, 0.02L, 0.03L, 0.001L, 0.6L};
  for (const long double size : {1e-3000L, 1e-30L, 1e30L, 1e3000L}) {
    const Winding scaled{w.R1 * size, w.R2 * size, w.H * size, w.D * size, w.Lambda};
    for (const long double z : {0.0L, 0.015L, 0.05L, 0.3L}) {
      const std::optional<long double> field = AxialField(scaled, 1, z * size);
      ASSERT_TRUE(field) << static_cast<double>(std::log10(size));
      EXPECT_NEAR(static_cast<double>(*field / (*AxialField(w, 1, z) * size) - 1), 0.0, 1e-17);
    }
  }
}

TEST(AxialField, WhatIsNoWindingOrNoNumberIsNotComputable) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  const struct {
    Winding winding;
    long double density;
    long double z;
  } cases[] = {
      {{-0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 1, 0},  // R1 < 0
      {{0.02L, 0.02L, 0.03L, 0.001L, 0.6L}, 1, 0},   // R2 = R1
      {{0.01L, 0.02L, 0, 0.001L, 0.6L}, 1, 0},       // H = 0
      {{0.01L, 0.02L, -0.03L, 0.001L, 0.6L}, 1, 0},  // H < 0
      {{nan, 0.02L, 0.03L, 0.001L, 0.6L}, 1, 0},
      {{0.01L, inf, 0.03L, 0.001L, 0.6L}, 1, 0},
      {{0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, nan, 0},
      {{0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 1, inf},
      // A field beyond the range of the numbers.
      {{0, 1e4000L, 1e4000L, 0.001L, 0.6L}, std::numeric_limits<long double>::max(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(AxialField(c.winding, c.density, c.z)) << static_cast<double>(c.winding.R1);
  }
  EXPECT_FALSE(CurrentDensity({0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, inf, 1));
}

}  // namespace
}  // namespace tarnel::field
