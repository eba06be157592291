#include "tools/accuracy/sweep_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tarnel::accuracy {
namespace {

ShapePoint Point(double lengthRatio, double thicknessRatio, std::optional<double> error) {
  ShapePoint point;
  point.shape = {lengthRatio, thicknessRatio};
  point.regime = InductanceRegime::kShort;
  point.turns = 100;
  point.exactInductance = 0.5;
  if (error) {
    point.inductance = 0.5 * (1 + *error);
    point.relativeError = error;
  } else {
    point.failure = "say \"no\"";
  }
  return point;
}

TEST(SweepReport, CsvHasAHeaderAndAnEmptyLineAfterEachRow) {
  std::ostringstream out;
  WriteCsv({{Point(0.1, 0.05, 1e-3), Point(0.1, 0.2, std::nullopt)}, {Point(0.4, 0.05, -2e-3)}},
           out);
  EXPECT_EQ(out.str(),
            "lengthRatio,thicknessRatio,depthRatio,regime,N,L_calculator,L_exact,relative_error,"
            "failure\n"
            "0.1,0.05,0.5,short,100,0.5005,0.5,1.000000e-03,\"\"\n"
            "0.1,0.2,2,short,100,nan,0.5,nan,\"say \"\"no\"\"\"\n"
            "\n"
            "0.4,0.05,0.125,short,100,0.499,0.5,-2.000000e-03,\"\"\n"
            "\n");
}

TEST(SweepReport, SummaryNamesTheWorstPointAndTheLargestJump) {
  RegimeSummary shortRegime;
  shortRegime.regime = InductanceRegime::kShort;
  shortRegime.points = 2;
  shortRegime.withinTenthPercent = 1;
  shortRegime.withinOnePercent = 2;
  shortRegime.worst = Point(0.4, 0.05, -2e-3);

  ThresholdCrossing small{Point(0.3, 0.3, 1e-4), Point(0.3, 0.3, 2e-4), 1e-4};
  small.above.regime = InductanceRegime::kFlat;
  ThresholdCrossing large{Point(0.1, 0.1, 1e-4), Point(0.1, 0.1, -3e-4), -4e-4};
  large.above.regime = InductanceRegime::kFlat;
  const Threshold depth{"depthRatio = 1", {small, large}};

  std::ostringstream out;
  RegimeSummary flatEdge;
  flatEdge.regime = InductanceRegime::kFlat;
  flatEdge.points = 2;
  flatEdge.worst = large.above;
  WriteSummary({shortRegime}, {flatEdge}, {depth}, out);
  const std::string text = out.str();
  EXPECT_NE(text.find("short: 2 shapes, 1 within 0.1 %, 2 within 1 %; worst -0.2 % at "
                      "lengthRatio 0.4, thicknessRatio 0.05"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("flat: 2 shapes, 0 within 0.1 %, 0 within 1 %; worst -0.03 % at "
                      "lengthRatio 0.1"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("depthRatio = 1, short below | flat above:\n"
                      "    first  +0.01 % at lengthRatio 0.3"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("    largest -0.04 % at lengthRatio 0.1"), std::string::npos) << text;
}

}  // namespace
}  // namespace tarnel::accuracy
