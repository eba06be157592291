#include "tools/accuracy/regime_summary.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnel::accuracy {
namespace {

ShapePoint Point(InductanceRegime regime, std::optional<double> error, double lengthRatio) {
  ShapePoint point;
  point.shape = {lengthRatio, 0.1};
  point.regime = regime;
  point.relativeError = error;
  return point;
}

TEST(RegimeSummary, NamesTheFourFormulas) {
  EXPECT_EQ(std::string(RegimeName(InductanceRegime::kLong)), "long");
  EXPECT_EQ(std::string(RegimeName(InductanceRegime::kShort)), "short");
  EXPECT_EQ(std::string(RegimeName(InductanceRegime::kFlat)), "flat");
  EXPECT_EQ(std::string(RegimeName(InductanceRegime::kThickFlat)), "thick flat");
}

TEST(RegimeSummary, KeepsTheLargestErrorOfEitherSignPerRegime) {
  const std::vector<ShapePoint> points{Point(InductanceRegime::kLong, 2e-4, 1),
                                       Point(InductanceRegime::kLong, -3e-3, 2),
                                       Point(InductanceRegime::kLong, 2e-2, 3),
                                       Point(InductanceRegime::kShort, 5e-4, 0.1),
                                       Point(InductanceRegime::kShort, std::nullopt, 0.2),
                                       Point(InductanceRegime::kThickFlat, -1e-5, 0.3)};
  const std::vector<RegimeSummary> summaries = SummariseRegimes(points);
  ASSERT_EQ(summaries.size(), 4U);

  EXPECT_EQ(summaries[0].regime, InductanceRegime::kLong);
  EXPECT_EQ(summaries[0].points, 3);
  EXPECT_EQ(summaries[0].withinTenthPercent, 1);
  EXPECT_EQ(summaries[0].withinOnePercent, 2);
  ASSERT_TRUE(summaries[0].worst.has_value());
  EXPECT_EQ(summaries[0].worst->shape.lengthRatio, 3);

  // A point without an inductance counts nowhere.
  EXPECT_EQ(summaries[1].regime, InductanceRegime::kShort);
  EXPECT_EQ(summaries[1].points, 1);
  EXPECT_EQ(summaries[1].worst->shape.lengthRatio, 0.1);

  EXPECT_EQ(summaries[2].regime, InductanceRegime::kFlat);
  EXPECT_EQ(summaries[2].points, 0);
  EXPECT_FALSE(summaries[2].worst.has_value());

  EXPECT_EQ(summaries[3].regime, InductanceRegime::kThickFlat);
  EXPECT_EQ(*summaries[3].worst->relativeError, -1e-5);
}

}  // namespace
}  // namespace tarnel::accuracy
