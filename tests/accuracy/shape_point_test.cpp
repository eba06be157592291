#include "tools/accuracy/shape_point.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calc/extended.h"
#include "calc/inductance.h"
#include "calc/number_text.h"
#include "reference/exact_inductance.h"

namespace tarnel::accuracy {
namespace {

class ShapePointTest : public testing::Test {
 protected:
  void SetUp() override {
    fpu::SetWorkingMode();
    SetDecimalMark('.');
  }
  void TearDown() override { SetDecimalMark('.'); }
};

struct KnownShape {
  const char* name;
  WindingShape shape;
  InductanceRegime regime;
};

void PrintTo(const KnownShape& value, std::ostream* out) {
  *out << value.name;
}

class ShapePointRegimeTest : public ShapePointTest,
                             public testing::WithParamInterface<KnownShape> {};

TEST_P(ShapePointRegimeTest, AgreesWithTheCoreAndTheExactReference) {
  const KnownShape known = GetParam();
  const ShapePoint point = EvaluateShape(known.shape);

  // The winding: mean radius 1 m.
  EXPECT_NEAR(static_cast<double>(point.winding.R1), 1 - known.shape.thicknessRatio, 1e-15);
  EXPECT_NEAR(static_cast<double>(point.winding.R2), 1 + known.shape.thicknessRatio, 1e-15);
  EXPECT_NEAR(static_cast<double>(point.winding.H), 2 * known.shape.lengthRatio, 1e-15);
  ASSERT_TRUE(point.regime.has_value());
  EXPECT_EQ(*point.regime, known.regime);

  // The core on the same numbers gives the same turns and inductance.
  const long double D = point.winding.D;
  const long double Lambda = point.winding.Lambda;
  EXPECT_NEAR(static_cast<double>(D), kWireDiameter, 1e-19);
  EXPECT_NEAR(static_cast<double>(Lambda), kPackingFactor, 1e-19);
  const Extended coreL =
      ComputeInductance(point.winding.R1, point.winding.R2, point.winding.H, D, Lambda);
  ASSERT_TRUE(point.inductance.has_value());
  EXPECT_EQ(*point.inductance, coreL.Value());
  const long double turns =
      MakeFormulaInputs<long double>(point.winding.R1, point.winding.R2, point.winding.H, D, Lambda)
          .TurnCount;
  EXPECT_NEAR(static_cast<double>(point.turns / turns), 1.0, 1e-18);

  // The error is the core's L/N^2 against the exact one.
  const double exact = reference::ExactInductancePerTurnSquared(
      static_cast<double>(point.winding.R1), static_cast<double>(point.winding.R2),
      static_cast<double>(point.winding.H));
  EXPECT_NEAR(static_cast<double>(point.exactInductance / (point.turns * point.turns)), exact,
              1e-15 * exact);
  ASSERT_TRUE(point.relativeError.has_value());
  EXPECT_NEAR(*point.relativeError,
              static_cast<double>(coreL.Value() / (point.turns * point.turns)) / exact - 1, 1e-15);
  EXPECT_TRUE(point.failure.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Regimes, ShapePointRegimeTest,
    testing::Values(KnownShape{"Long", {2.0, 0.3}, InductanceRegime::kLong},
                    KnownShape{"Short", {0.4, 0.1}, InductanceRegime::kShort},
                    KnownShape{"Flat", {0.05, 0.3}, InductanceRegime::kFlat},
                    KnownShape{"ThickFlat", {0.2, 0.8}, InductanceRegime::kThickFlat},
                    KnownShape{"NoHole", {0.3, 1.0}, InductanceRegime::kThickFlat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShapePointTest, WritesItsTextsWithTheCurrentDecimalMark) {
  const ShapePoint dot = EvaluateShape({0.4, 0.1});
  SetDecimalMark(',');
  const ShapePoint comma = EvaluateShape({0.4, 0.1});
  ASSERT_TRUE(comma.inductance.has_value());
  EXPECT_EQ(*comma.inductance, *dot.inductance);
}

TEST_F(ShapePointTest, ReportsWhyTheCalculatorGaveNoInductance) {
  // H = 0.0002 m is thinner than the 1 mm wire.
  const ShapePoint point = EvaluateShape({1e-4, 0.5});
  EXPECT_FALSE(point.inductance.has_value());
  EXPECT_FALSE(point.relativeError.has_value());
  EXPECT_EQ(point.failure, "Введите D < H");
}

}  // namespace
}  // namespace tarnel::accuracy
