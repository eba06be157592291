#include "tools/accuracy/threshold_jumps.h"

#include <gtest/gtest.h>

#include "calc/extended.h"
#include "calc/number_text.h"

namespace tarnel::accuracy {
namespace {

class ThresholdJumpsTest : public testing::Test {
 protected:
  void SetUp() override {
    fpu::SetWorkingMode();
    SetDecimalMark('.');
  }
};

TEST_F(ThresholdJumpsTest, CrossesEachThresholdBetweenTheNeighbouringFormulas) {
  const SweepGrid grid{{0.2, 3}, {0.1, 0.9}};
  const std::vector<Threshold> thresholds = CrossThresholds(grid);
  ASSERT_EQ(thresholds.size(), 3U);
  EXPECT_EQ(ThresholdPoints(thresholds).size(), 2U * (2 + 1 + 1));

  struct Expected {
    InductanceRegime below;
    InductanceRegime above;
  };
  const std::vector<std::vector<Expected>> expected{
      // lengthRatio = 0.75 at thickness 0.1 and 0.9
      {{InductanceRegime::kShort, InductanceRegime::kLong},
       {InductanceRegime::kThickFlat, InductanceRegime::kLong}},
      // depthRatio = 1 at thickness 0.1 only (0.9 is above 0.75)
      {{InductanceRegime::kShort, InductanceRegime::kFlat}},
      // thicknessRatio = 0.5 at length 0.2 only (3 is above 0.5)
      {{InductanceRegime::kFlat, InductanceRegime::kThickFlat}}};

  for (std::size_t t = 0; t < thresholds.size(); ++t) {
    ASSERT_EQ(thresholds[t].crossings.size(), expected[t].size()) << thresholds[t].test;
    for (std::size_t c = 0; c < expected[t].size(); ++c) {
      const ThresholdCrossing& crossing = thresholds[t].crossings[c];
      EXPECT_EQ(crossing.below.regime, expected[t][c].below) << thresholds[t].test << " " << c;
      EXPECT_EQ(crossing.above.regime, expected[t][c].above) << thresholds[t].test << " " << c;
      ASSERT_TRUE(crossing.jump.has_value());
      EXPECT_EQ(*crossing.jump, *crossing.above.relativeError - *crossing.below.relativeError);
    }
  }
}

TEST_F(ThresholdJumpsTest, LineGridSpansEachWholeLine) {
  const SweepGrid grid = ThresholdLineGrid(5);
  ASSERT_EQ(grid.thicknessRatios.size(), 5U);
  ASSERT_EQ(grid.lengthRatios.size(), 5U);
  EXPECT_EQ(grid.thicknessRatios.front(), 0.005);
  EXPECT_EQ(grid.thicknessRatios.back(), 1.0);
  EXPECT_EQ(grid.lengthRatios.front(), 0.005);
  EXPECT_EQ(grid.lengthRatios.back(), 0.5);
}

TEST_F(ThresholdJumpsTest, BothSidesDescribeTheSameWinding) {
  const SweepGrid grid{{0.2}, {0.3}};
  for (const Threshold& threshold : CrossThresholds(grid)) {
    for (const ThresholdCrossing& crossing : threshold.crossings) {
      EXPECT_NEAR(crossing.below.shape.lengthRatio / crossing.above.shape.lengthRatio, 1, 3e-9);
      EXPECT_NEAR(crossing.below.shape.thicknessRatio / crossing.above.shape.thicknessRatio, 1,
                  3e-9);
      EXPECT_NE(crossing.below.regime, crossing.above.regime) << threshold.test;
    }
  }
}

}  // namespace
}  // namespace tarnel::accuracy
