#include "reference/exact_comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace tarnel::reference {
namespace {

struct ComparisonCase {
  const char* name;
  Winding winding;  // R1, R2, H
  long double turnCount;
  bool evaluated;
};

void PrintTo(const ComparisonCase& value, std::ostream* out) {
  *out << value.name;
}

constexpr long double kLargest = std::numeric_limits<long double>::max();
constexpr long double kSmallest = std::numeric_limits<long double>::min();

// Around a mean radius of 1: the edges of the accepted shapes (lengthRatio
// 1e-7 to 1e6, thicknessRatio from 1e-6), each just inside and just
// outside, then sizes at the ends of the number range: L/N^2 below the
// smallest normal number refuses even when L itself would be normal.
const ComparisonCase kWindings[] = {
    {"Ordinary", {0.5L, 1.5L, 1}, 100, true},
    {"NoHole", {0, 2, 0.5L}, 100, true},
    {"FlattestAccepted", {0.5L, 1.5L, 2.000001e-7L}, 100, true},
    {"FlatterRefused", {0.5L, 1.5L, 1.999999e-7L}, 100, false},
    {"LongestAccepted", {0.5L, 1.5L, 1.999999e6L}, 100, true},
    {"LongerRefused", {0.5L, 1.5L, 2.000001e6L}, 100, false},
    {"ThinnestWallAccepted", {1 - 1.000001e-6L, 1 + 1.000001e-6L, 1}, 100, true},
    {"ThinnerWallRefused", {1 - 0.999999e-6L, 1 + 0.999999e-6L, 1}, 100, false},
    {"ThinWallAndFlat", {1 - 1.000001e-6L, 1 + 1.000001e-6L, 2.000001e-7L}, 100, true},
    {"HoleNearTheSwitch", {3e-3L, 1, 0.01L}, 100, true},
    {"HugeButInRange", {0.5e4000L, 1.5e4000L, 1e4000L}, 1e-4000L, true},
    {"TinyButInRange", {0.5e-4000L, 1.5e-4000L, 1e-4000L}, 1e4000L, true},
    {"TurnsSquaredOverflow", {0.5L, 1.5L, 1}, 1e2500L, false},
    {"SubnormalOnTheWay", {0.5e-4928L, 1.5e-4928L, 1e-4928L}, 1e4L, false},
    {"LargestRadii", {kLargest / 2, kLargest, kLargest}, 1, true},
    {"RadiiSubnormal", {kSmallest / 4, kSmallest / 2, kSmallest}, 1, false},
    {"NoTurns", {0.5L, 1.5L, 1}, 0, false},
    {"InsideOut", {1.5L, 0.5L, 1}, 100, false},
    {"NoHeight", {0.5L, 1.5L, 0}, 100, false},
    {"NegativeInner", {-0.5L, 1.5L, 1}, 100, false},
    {"InfiniteHeight", {0.5L, 1.5L, INFINITY}, 100, false},
    {"NotANumber", {0.5L, NAN, 1}, 100, false},
};

class ExactComparisonRangeTest : public testing::TestWithParam<ComparisonCase> {};

TEST_P(ExactComparisonRangeTest, EvaluatesExactlyTheAcceptedWindings) {
  const ComparisonCase& w = GetParam();
  // A formula value 1 % above L/N^2 of about mu0 times the mean radius.
  const long double formulaL =
      1.01L * 1.25e-6L * (w.winding.R1 / 2 + w.winding.R2 / 2) * w.turnCount * w.turnCount;
  const ExactComparison c = CompareWithExact(w.winding, w.turnCount, formulaL);
  EXPECT_EQ(c.evaluated, w.evaluated);
  if (c.evaluated) {
    EXPECT_TRUE(std::isnormal(c.exactL)) << static_cast<double>(c.exactL);
    EXPECT_NEAR(static_cast<double>(c.deviation), static_cast<double>(formulaL / c.exactL - 1),
                1e-15);
  }
}

INSTANTIATE_TEST_SUITE_P(Windings, ExactComparisonRangeTest, testing::ValuesIn(kWindings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExactComparison, GivesTheSameDeviationOnEveryScale) {
  // One shape and one share of error at every size the window can take:
  // the exact value grows with the size and the deviation stays put, up to
  // the rounding of the scaled radii, which moves the depth of the thin wall
  // by parts in 1e14.
  for (const ComparisonCase& shape : {ComparisonCase{"Square", {0.01L, 0.02L, 0.03L}, 400, true},
                                      ComparisonCase{"ThinDisc", {0.01L, 0.02L, 1e-7L}, 400, true},
                                      ComparisonCase{"ThinWall", {0.999998L, 1, 1}, 400, true}}) {
    const ExactComparison unit = CompareWithExact(shape.winding, shape.turnCount, 1e-4L);
    ASSERT_TRUE(unit.evaluated) << shape.name;
    for (const long double size : {1e-200L, 1e200L, 1e-4000L, 1e4000L}) {
      const Winding w = shape.winding;
      const ExactComparison scaled = CompareWithExact(Winding{size * w.R1, size * w.R2, size * w.H},
                                                      shape.turnCount, size * 1e-4L);
      ASSERT_TRUE(scaled.evaluated) << shape.name;
      EXPECT_NEAR(static_cast<double>(scaled.exactL / (size * unit.exactL)), 1.0, 1e-13)
          << shape.name << " at " << static_cast<double>(std::log10(size));
      EXPECT_NEAR(static_cast<double>(scaled.deviation), static_cast<double>(unit.deviation), 1e-15)
          << shape.name << " at " << static_cast<double>(std::log10(size));
    }
  }
}

}  // namespace
}  // namespace tarnel::reference
