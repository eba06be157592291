#include "reference/exact_inductance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <stdexcept>
#include <string>

namespace tarnel::reference {
namespace {

struct ReferenceShape {
  const char* name;
  double R1;           // mm
  double R2;           // mm
  double H;            // mm
  double nanohenries;  // L/N^2 in nH
};

void PrintTo(const ReferenceShape& value, std::ostream* out) {
  *out << value.name;
}

class ExactInductanceReferenceTest : public testing::TestWithParam<ReferenceShape> {};

TEST_P(ExactInductanceReferenceTest, MatchesTheReferenceValue) {
  const ReferenceShape s = GetParam();
  const double value = ExactInductancePerTurnSquared(s.R1 * 1e-3, s.R2 * 1e-3, s.H * 1e-3) * 1e9;
  EXPECT_NEAR(value / s.nanohenries, 1.0, 1e-9) << value;
}

INSTANTIATE_TEST_SUITE_P(Shapes, ExactInductanceReferenceTest,
                         testing::Values(ReferenceShape{"R10_20_H30", 10, 20, 30, 15.2947681903},
                                         ReferenceShape{"R10_12_H10", 10, 12, 10, 21.4727078061},
                                         ReferenceShape{"R10_40_H2", 10, 40, 2, 44.4723484426},
                                         ReferenceShape{"R10_30_H5", 10, 30, 5, 35.668024936},
                                         ReferenceShape{"R10_30_H20", 10, 30, 20, 25.3300654689},
                                         ReferenceShape{"R95_105_H10", 95, 105, 10, 400.77989133},
                                         ReferenceShape{"R10_12_H100", 10, 12, 100, 4.0851208715}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Shape {
  const char* name;
  double R1;
  double R2;
  double H;
  // How far moving the cut-off or the nodes may move the value.
  double settingsTolerance = 1e-12;
};

void PrintTo(const Shape& value, std::ostream* out) {
  *out << value.name;
}

// Shapes across the calculator's range, scaled to R2 = 1: flat and thin,
// long and thin, thick without a hole, a hole too small for the large-x form;
// then the edges of what CompareWithExact accepts: a disc and a wall a
// million times thinner than wide, both at once, a winding a million times
// longer than wide; holes small and large for where F(r1 q) reaches its
// large-x form: just inside and outside the far cut-off, far inside the
// oscillating range, and just at its start.
const Shape kShapes[] = {{"FlatThin", 0.99, 1, 0.01},
                         {"LongThin", 0.95, 1, 40},
                         {"NoHole", 0, 1, 0.3},
                         {"Square", 0.5, 1, 1},
                         {"TinyHole", 5e-5, 1, 2},
                         {"FlatThick", 0.3, 1, 0.005},
                         {"ThinDisc", 0.5, 1, 3e-7},
                         {"ThinWall", 0.999998, 1, 1},
                         {"ThinWallAndDisc", 0.9998, 1, 1e-4},
                         {"VeryLong", 0.5, 1, 1.5e6},
                         {"HoleBelowFarCutoff", 3e-11, 1, 0.01},
                         {"HoleAboveFarCutoff", 4e-11, 1, 0.01},
                         {"SmallHole", 3e-3, 1, 0.01},
                         {"HoleAtOscillatingStart", 0.9549, 1, 0.01}};

class ExactInductanceShapeTest : public testing::TestWithParam<Shape> {};

TEST_P(ExactInductanceShapeTest, ScalesLinearlyWithSize) {
  const Shape s = GetParam();
  // In extended precision, so that rounding the scaled radii to double does
  // not move the depth of the thinnest wall.
  const long double unit = ExactInductancePerTurnSquaredExtended(s.R1, s.R2, s.H);
  for (const long double factor : {1e-4L, 0.37L, 25.0L, 1e3L}) {
    const long double scaled =
        ExactInductancePerTurnSquaredExtended(factor * s.R1, factor * s.R2, factor * s.H);
    EXPECT_NEAR(static_cast<double>(scaled / (factor * unit)), 1.0, 1e-13)
        << "factor " << static_cast<double>(factor);
  }
}

TEST_P(ExactInductanceShapeTest, DoesNotDependOnTheCutoffOrTheNodes) {
  const Shape s = GetParam();
  const double standard = ExactInductancePerTurnSquared(s.R1, s.R2, s.H);
  for (const IntegrationSettings settings :
       {IntegrationSettings{1.7, 14}, IntegrationSettings{4, 14}, IntegrationSettings{1, 20},
        IntegrationSettings{2.5, 24}}) {
    const double moved = ExactInductancePerTurnSquared(s.R1, s.R2, s.H, settings);
    EXPECT_NEAR(moved / standard, 1.0, s.settingsTolerance)
        << "cut-off x" << settings.cutoffScale << ", " << settings.nodesPerPanel << " nodes";
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ExactInductanceShapeTest, testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExactInductance, LongWindingTendsToTheInfiniteSolenoid) {
  // Inside an infinitely long winding B falls linearly across the depth;
  // averaging the flux linked by each turn gives
  //   L H / (mu0 pi N^2) -> R1^2 + [R2 (<r^2> - R1^2) - 2/3 (<r^3> - R1^3)] / (R2 - R1)
  // with <r^2> = (R1^2 + R1 R2 + R2^2)/3, <r^3> = (R1 + R2)(R1^2 + R2^2)/4.
  // The end correction falls like 1/H: extrapolate from H and 2H, up to the
  // longest winding CompareWithExact accepts (H = 1e6 (R1 + R2)).
  struct Extrapolation {
    double H;
    double tolerance;
  };
  for (const double R1 : {0.0, 0.3, 0.9, 0.999998}) {
    const double R2 = 1;
    const double meanSquare = (R1 * R1 + R1 * R2 + R2 * R2) / 3;
    const double meanCube = (R1 + R2) * (R1 * R1 + R2 * R2) / 4;
    const double limit =
        R1 * R1 + (R2 * (meanSquare - R1 * R1) - 2.0 / 3 * (meanCube - R1 * R1 * R1)) / (R2 - R1);
    const auto normalised = [&](double H) {
      return ExactInductancePerTurnSquared(R1, R2, H) * H / (kMagneticConstant * std::numbers::pi);
    };
    for (const Extrapolation e :
         {Extrapolation{1000, 1e-6}, Extrapolation{(R1 + R2) * 5e5, 1e-9}}) {
      EXPECT_NEAR((2 * normalised(2 * e.H) - normalised(e.H)) / limit, 1.0, e.tolerance)
          << "R1 = " << R1 << ", H = " << e.H;
    }
  }
}

TEST(ExactInductance, FollowsTheShapeTheWayFluxDoes) {
  // At a fixed number of turns: a longer winding has less inductance, and a
  // winding whose turns move outwards (larger R1) has more.
  double previous = INFINITY;
  for (const double H : {0.01, 0.1, 1.0, 10.0}) {
    const double value = ExactInductancePerTurnSquared(0.5, 1, H);
    EXPECT_LT(value, previous) << "H = " << H;
    previous = value;
  }
  previous = 0;
  for (const double R1 : {0.0, 0.2, 0.6, 0.95}) {
    const double value = ExactInductancePerTurnSquared(R1, 1, 0.5);
    EXPECT_GT(value, previous) << "R1 = " << R1;
    previous = value;
  }
}

TEST(ExactInductance, HasNoStepWhereTheHoleChangesItsTreatment) {
  // Below R1/R2 = 36/(12 pi) F(r1 q) is below its large-x form on part of
  // the oscillating range, above it nowhere: the slope across that edge must
  // match the slope over a wider interval around it. Below R1/R2 = 3.6e-11
  // F(r1 q) is dropped beyond the far cut-off instead of joining the
  // closed-form tail: the value must not move there. For a long and a flat
  // winding.
  const double edge = 36 / (12 * std::numbers::pi);
  const double farEdge = 3.6e-11;
  for (const double H : {1.0, 1e-4}) {
    const double wide = (ExactInductancePerTurnSquared(edge + 1e-3, 1, H) -
                         ExactInductancePerTurnSquared(edge - 1e-3, 1, H)) /
                        2e-3;
    const double narrow = (ExactInductancePerTurnSquared(edge + 1e-7, 1, H) -
                           ExactInductancePerTurnSquared(edge - 1e-7, 1, H)) /
                          2e-7;
    EXPECT_NEAR(narrow / wide, 1.0, 1e-3) << "H = " << H;
    EXPECT_NEAR(ExactInductancePerTurnSquared(farEdge * (1 - 1e-6), 1, H) /
                    ExactInductancePerTurnSquared(farEdge * (1 + 1e-6), 1, H),
                1.0, 1e-14)
        << "H = " << H;
  }
}

TEST(ExactInductance, RefusesImpossibleWindings) {
  EXPECT_THROW(ExactInductancePerTurnSquared(0.02, 0.01, 0.01), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(0.01, 0.01, 0.01), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(-0.01, 0.01, 0.01), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(0.01, 0.02, 0), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(0.01, INFINITY, 0.01), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(0.01, 0.02, NAN), std::invalid_argument);
  EXPECT_THROW(ExactInductancePerTurnSquared(0.01, 0.02, 0.01, {0.5, 14}), std::invalid_argument);
}

}  // namespace
}  // namespace tarnel::reference
