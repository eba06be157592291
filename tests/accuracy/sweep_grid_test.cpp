#include "tools/accuracy/sweep_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace tarnel::accuracy {
namespace {

TEST(SweepGrid, LogSpacedValuesHaveEqualRatiosAndExactEnds) {
  const std::vector<double> values = LogSpaced(0.005, 20, 60);
  ASSERT_EQ(values.size(), 60U);
  EXPECT_EQ(values.front(), 0.005);
  EXPECT_EQ(values.back(), 20);
  const double ratio = std::pow(20 / 0.005, 1.0 / 59);
  for (std::size_t i = 1; i < values.size(); ++i) {
    EXPECT_NEAR(values[i] / values[i - 1], ratio, 1e-13) << i;
  }
}

TEST(SweepGrid, StandardGridCoversTheShapesOfTheMap) {
  const SweepGrid grid = StandardSweepGrid();
  ASSERT_EQ(grid.lengthRatios.size(), 60U);
  ASSERT_EQ(grid.thicknessRatios.size(), 40U);
  EXPECT_EQ(grid.lengthRatios.front(), 0.005);
  EXPECT_EQ(grid.lengthRatios.back(), 20);
  EXPECT_EQ(grid.thicknessRatios.front(), 0.005);
  EXPECT_EQ(grid.thicknessRatios.back(), 1);
}

TEST(SweepGrid, RefusesGridsWithoutALogarithm) {
  EXPECT_THROW(LogSpaced(0, 1, 5), std::invalid_argument);
  EXPECT_THROW(LogSpaced(1, -2, 5), std::invalid_argument);
  EXPECT_THROW(LogSpaced(1, 2, 1), std::invalid_argument);
}

}  // namespace
}  // namespace tarnel::accuracy
