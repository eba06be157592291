// The calculation request over the window's field texts: validation, the
// results it writes, and what an error leaves behind.
#include "calc/calculation_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "calc/winding_figures.h"
#include "tests/param_name.h"

namespace tarnel {
namespace {

CalculationFields Fields(const char* r1, const char* r2, const char* h, const char* d,
                         const char* lambda) {
  CalculationFields fields = StartupFields();
  fields.edR1 = r1;
  fields.edR2 = r2;
  fields.edH = h;
  fields.edD = d;
  fields.edLambda = lambda;
  return fields;
}

// Result fields holding texts of some earlier calculation.
CalculationFields WithStaleResults(CalculationFields fields) {
  fields.edN = "1";
  fields.edR = "2";
  fields.edL = "3";
  fields.edMessage = "Введите D < H";
  return fields;
}

class CalculationRequestTest : public testing::Test {
 protected:
  void SetUp() override {
    fpu::SetWorkingMode();
    SetDecimalMark('.');
  }
  void TearDown() override { SetDecimalMark('.'); }
};

TEST_F(CalculationRequestTest, StartupTextsGiveTheDefaultResults) {
  CalculationFields fields = StartupFields();
  ComputedValues values;
  RunCalculation(fields, &values);
  EXPECT_EQ(fields.edN, "229.2");
  EXPECT_EQ(fields.edR, "0.4593");
  EXPECT_EQ(fields.edL, "0.0008033");
  EXPECT_EQ(fields.edMessage, "Готов ...");
  ASSERT_TRUE(values.N && values.R);
  EXPECT_NEAR(*values.N, 229.183L, 0.001L);
  EXPECT_NEAR(*values.R, 0.45928L, 0.00001L);
  // The inputs are left as they were.
  EXPECT_EQ(fields.edR1, "0.01");
  EXPECT_EQ(fields.edLambda, "0.6");
}

// N and R to 21 significant digits, from values derived apart from the
// code: at R1 = 0.25, R2 = 0.75, H = D = Lambda = 0.5 every step of N but
// the division is exact, so N is 2 / 3.1415926 rounded once.
struct GroupingCase {
  const char* name;
  const char* r1;
  const char* r2;
  const char* h;
  const char* d;
  const char* lambda;
  const char* N;
  const char* R;
  friend void PrintTo(const GroupingCase& c, std::ostream* os) { *os << c.name; }
};

class GroupingTest : public CalculationRequestTest,
                     public testing::WithParamInterface<GroupingCase> {};

TEST_P(GroupingTest, ValuesFollowTheWrittenGroupings) {
  const GroupingCase& c = GetParam();
  CalculationFields fields = Fields(c.r1, c.r2, c.h, c.d, c.lambda);
  ComputedValues values;
  RunCalculation(fields, &values);
  ASSERT_TRUE(values.N && values.R && values.winding);
  char printed[64];
  std::snprintf(printed, sizeof printed, "%.20Le", *values.N);
  EXPECT_STREQ(printed, c.N);
  std::snprintf(printed, sizeof printed, "%.20Le", *values.R);
  EXPECT_STREQ(printed, c.R);
  // The winding handed back holds the values read, each in its own place.
  EXPECT_EQ(values.winding->R1, std::strtold(c.r1, nullptr));
  EXPECT_EQ(values.winding->R2, std::strtold(c.r2, nullptr));
  EXPECT_EQ(values.winding->H, std::strtold(c.h, nullptr));
  EXPECT_EQ(values.winding->D, std::strtold(c.d, nullptr));
  EXPECT_EQ(values.winding->Lambda, std::strtold(c.lambda, nullptr));
}

// The winder's figures take the calculation's N to its last bit, and give a
// resistance of their wire length that agrees with R to the rounding of the
// R2² − R1² it takes, over windings of every proportion.
TEST(TurnCountOf, IsTheCalculationsNAndItsWireTheCalculationsR) {
  unsigned long long state = 12345;
  auto next = [&state](long double low, long double high) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const long double unit = static_cast<long double>(state >> 11) / 9007199254740992.0L;
    return low * std::pow(high / low, unit);
  };
  const NumberFormat format = CScientificFormat(21, '.');
  for (int i = 0; i < 500; ++i) {
    const long double R1 = next(1e-4L, 1);
    const long double R2 = R1 + next(1e-4L, 1);
    const long double H = next(1e-3L, 10);
    const long double D = next(1e-5L, 1e-3L) * std::min(R2 - R1, H);
    const long double Lambda = next(0.1L, 0.9L);
    CalculationFields fields;
    fields.edR1 = FormatNumber(R1, format);
    fields.edR2 = FormatNumber(R2, format);
    fields.edH = FormatNumber(H, format);
    fields.edD = FormatNumber(D, format);
    fields.edLambda = FormatNumber(Lambda, format);
    ComputedValues values;
    RunCalculation(fields, &values);
    ASSERT_TRUE(values.N && values.R && values.winding) << fields.edMessage;
    EXPECT_EQ(TurnCountOf(*values.winding), *values.N) << fields.edR1 << " " << fields.edD;
    const long double wireLength = FiguresOf(*values.winding, *values.N).wireLength;
    const long double resistance = WireResistance(*values.winding, wireLength);
    const long double squaresRounding = 1e-18L * (R2 + R1) / (R2 - R1);
    EXPECT_LE(std::fabs(resistance / *values.R - 1), 1e-18L + squaresRounding)
        << fields.edR1 << " " << fields.edD;
  }
}

TEST(FiguresOf, WireLengthAndCopperMassByHand) {
  // 1000 turns of mean diameter 0.03 m: 1000·3.1415926·0.03 = 94.247778 m of
  // wire of section 3.1415926e-6/4 m², at 8960 kg/m³: 0.66323739313 kg.
  const WindingFigures figures = FiguresOf(Winding{0.01L, 0.02L, 0, 0.001L, 0}, 1000);
  EXPECT_NEAR(figures.wireLength, 94.247778L, 94.247778L * 1e-15L);
  EXPECT_NEAR(figures.copperMass, 0.66323739313L, 0.66323739313L * 1e-10L);
}

INSTANTIATE_TEST_SUITE_P(
    Pinned, GroupingTest,
    testing::Values(GroupingCase{"startup", "0.01", "0.02", "0.03", "0.001", "0.6",
                                 "2.29183121961771873287e+02", "4.59282976411390834087e-01"},
                    GroupingCase{"exact_steps", "0.25", "0.75", "0.5", "0.5", "0.5",
                                 "6.36619783227144092445e-01", "1.70104806078292901487e-07"}),
    [](const testing::TestParamInfo<GroupingCase>& info) { return std::string(info.param.name); });

struct RuleCase {
  const char* name;
  const char* r1;
  const char* r2;
  const char* h;
  const char* d;
  const char* lambda;
  const char* message;  // nullptr: every rule passes
  friend void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }
};

class ValidationTest : public CalculationRequestTest,
                       public testing::WithParamInterface<RuleCase> {};

TEST_P(ValidationTest, FirstBrokenRuleWritesItsMessageAndClearsTheResults) {
  const RuleCase& c = GetParam();
  CalculationFields fields = WithStaleResults(Fields(c.r1, c.r2, c.h, c.d, c.lambda));
  RunCalculation(fields);
  if (c.message == nullptr) {
    EXPECT_EQ(fields.edMessage, "Готов ...");
    EXPECT_NE(fields.edN, "");
    EXPECT_NE(fields.edN, "1");
    return;
  }
  EXPECT_EQ(fields.edMessage, c.message);
  EXPECT_EQ(fields.edN, "");
  EXPECT_EQ(fields.edR, "");
  EXPECT_EQ(fields.edL, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ValidationTest,
    testing::Values(
        RuleCase{"r2_equal_r1", "0.02", "0.02", "0.03", "0.001", "0.6", "Введите R2 > R1"},
        RuleCase{"r2_below_r1", "0.03", "0.02", "0.03", "0.001", "0.6", "Введите R2 > R1"},
        RuleCase{"d_above_depth", "0.25", "0.75", "0.75", "0.6", "0.5", "Введите D < R2 - R1"},
        RuleCase{"d_above_h", "0.01", "0.02", "0.0005", "0.001", "0.6", "Введите D < H"},
        RuleCase{"lambda_zero", "0.01", "0.02", "0.03", "0.001", "0", "Введите Lambda > 0"},
        RuleCase{"lambda_negative", "0.01", "0.02", "0.03", "0.001", "-0.5", "Введите Lambda > 0"},
        RuleCase{"lambda_one", "0.01", "0.02", "0.03", "0.001", "1", "Введите Lambda < 1"},
        RuleCase{"only_first_broken_rule", "0.03", "0.02", "0.03", "0.001", "2", "Введите R2 > R1"},
        // D equal to both R2 − R1 and H passes, although the messages say "<".
        RuleCase{"d_equal_depth_and_h", "0.25", "0.75", "0.5", "0.5", "0.5", nullptr},
        // A zero or negative D and a negative R1 describe no coil.
        RuleCase{"d_zero", "0.01", "0.02", "0.03", "0", "0.6", "Введите D > 0"},
        RuleCase{"d_negative", "0.01", "0.02", "0.03", "-0.001", "0.6", "Введите D > 0"},
        RuleCase{"d_and_h_negative", "0.01", "0.02", "-0.01", "-0.02", "0.6", "Введите D > 0"},
        RuleCase{"d_zero_and_h_zero", "0.01", "0.02", "0", "0", "0.6", "Введите D > 0"},
        RuleCase{"r1_negative", "-0.01", "0.02", "0.03", "0.001", "0.6", "Введите R1 >= 0"},
        RuleCase{"radii_cancel", "-0.02", "0.02", "0.03", "0.001", "0.6", "Введите R1 >= 0"},
        RuleCase{"d_rule_before_r1_rule", "-0.01", "0.02", "0.03", "-0.001", "0.6",
                 "Введите D > 0"},
        RuleCase{"lambda_rule_before_d_rule", "0.01", "0.02", "0.03", "0", "1",
                 "Введите Lambda < 1"},
        RuleCase{"r1_zero_passes", "0", "0.02", "0.05", "0.001", "0.5", nullptr}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST_F(CalculationRequestTest, BoundaryCaseOfEqualDimensionsIsCalculated) {
  CalculationFields fields = Fields("0.25", "0.75", "0.5", "0.5", "0.5");
  RunCalculation(fields);
  EXPECT_EQ(fields.edN, "0.6366");
  EXPECT_EQ(fields.edR, "1.701E-7");
}

TEST_F(CalculationRequestTest, BlanksAroundInputsAreIgnored) {
  CalculationFields fields = Fields(" 0.01 ", "\t0.02", "0.03\n", "0.001", "  0.6  ");
  RunCalculation(fields);
  EXPECT_EQ(fields.edN, "229.2");
  EXPECT_EQ(fields.edMessage, "Готов ...");
}

struct ConvertCase {
  const char* name;
  CalculationFields fields;
  const char* message;
  friend void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }
};

class ConvertFailureTest : public CalculationRequestTest,
                           public testing::WithParamInterface<ConvertCase> {};

TEST_P(ConvertFailureTest, FirstBadTextInReadingOrderIsReportedAndResultsCleared) {
  CalculationFields fields = WithStaleResults(GetParam().fields);
  try {
    RunCalculation(fields);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), GetParam().message);
  }
  // Nothing of an earlier calculation may stand beside the error.
  EXPECT_EQ(fields.edN, "");
  EXPECT_EQ(fields.edR, "");
  EXPECT_EQ(fields.edL, "");
  EXPECT_EQ(fields.edMessage, "");
  EXPECT_EQ(fields.edR1, GetParam().fields.edR1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConvertFailureTest,
    testing::Values(
        ConvertCase{"r1_abc", Fields("abc", "0.02", "0.03", "0.001", "0.6"),
                    "'abc' is not a valid floating point value"},
        ConvertCase{"blank_r1_before_bad_d", Fields("   ", "0.02", "0.03", "x", "0.6"),
                    "'' is not a valid floating point value"},
        ConvertCase{"trimmed_text_in_message", Fields("0.01", " 0,02 ", "0.03", "0.001", "0.6"),
                    "'0,02' is not a valid floating point value"},
        ConvertCase{"bad_lambda_after_broken_rule", Fields("0.03", "0.02", "0.03", "0.001", "0.6x"),
                    "'0.6x' is not a valid floating point value"},
        ConvertCase{"overflowing_text", Fields("0.01", "0.02", "1e4999", "0.001", "0.6"),
                    "'1e4999' is not a valid floating point value"}),
    [](const testing::TestParamInfo<ConvertCase>& info) { return std::string(info.param.name); });

TEST_F(CalculationRequestTest, CommaMarkWritesStartupTextsItCanRead) {
  SetDecimalMark(',');
  CalculationFields fields = StartupFields();
  EXPECT_EQ(fields.edR1, "0,01");
  EXPECT_EQ(fields.edLambda, "0,6");
  RunCalculation(fields);
  EXPECT_EQ(fields.edN, "229,2");
  EXPECT_EQ(fields.edR, "0,4593");
  EXPECT_EQ(fields.edMessage, kReadyMessage);

  fields = Fields("0.01", "0,02", "0,03", "0,001", "0,6");
  EXPECT_THROW(
      {
        try {
          RunCalculation(fields);
        } catch (const EConvertError& error) {
          EXPECT_EQ(error.Message(), "'0.01' is not a valid floating point value");
          throw;
        }
      },
      EConvertError);
}

TEST_F(CalculationRequestTest, UnderflowingWireAreaFaultsBeforeAnyFieldIsWritten) {
  // PI·D⁴ underflows to zero silently; the resistance then divides by it.
  CalculationFields fields = WithStaleResults(Fields("0.01", "0.02", "0.03", "1e-1300", "0.6"));
  EXPECT_THROW(RunCalculation(fields), EZeroDivide);
  EXPECT_EQ(fields.edN, "");
  EXPECT_EQ(fields.edR, "");
  EXPECT_EQ(fields.edL, "");
  EXPECT_EQ(fields.edMessage, "");
}

TEST_F(CalculationRequestTest, OverflowingTurnCountIsReported) {
  CalculationFields fields = Fields("0", "1e4000", "1e4000", "1e-100", "0.5");
  EXPECT_THROW(RunCalculation(fields), EOverflow);
  EXPECT_EQ(fields.edN, "");
}

TEST_F(CalculationRequestTest, ResultIsAPureFunctionOfTheInputs) {
  // An error, then the start-up texts: the same results as a fresh start.
  CalculationFields faulty = Fields("0.01", "0.02", "0.03", "1e-1300", "0.6");
  EXPECT_THROW(RunCalculation(faulty), EZeroDivide);
  CalculationFields afterFault = StartupFields();
  RunCalculation(afterFault);
  CalculationFields fresh = StartupFields();
  RunCalculation(fresh);
  EXPECT_EQ(afterFault.edN, fresh.edN);
  EXPECT_EQ(afterFault.edR, fresh.edR);
  EXPECT_EQ(afterFault.edL, fresh.edL);
  EXPECT_EQ(afterFault.edMessage, "Готов ...");
}

TEST_F(CalculationRequestTest, ValuesReceiveOnlyWhatWasWritten) {
  CalculationFields fields = Fields("0.01", "0.02", "0.03", "0", "0.6");
  ComputedValues values;
  values.N = 1.0L;
  values.winding = Winding{};
  RunCalculation(fields, &values);
  EXPECT_FALSE(values.winding.has_value());
  EXPECT_FALSE(values.N.has_value());
  EXPECT_FALSE(values.R.has_value());
  EXPECT_FALSE(values.L.has_value());
}

}  // namespace
}  // namespace tarnel

namespace tarnel {
namespace {

// The golden request files are the one table of inputs and outcomes: the
// command line must print each row, the request fuzzer's checks replay each
// row, and the core alone must give each row's outcome.
struct GoldenFile {
  const char* name;
  char mark;
  bool full;  // N, R and L with 21 significant digits
  friend void PrintTo(const GoldenFile& g, std::ostream* os) { *os << g.name; }
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) {
      return fields;
    }
    start = tab + 1;
  }
}

class GoldenTableTest : public CalculationRequestTest,
                        public testing::WithParamInterface<GoldenFile> {};

TEST_P(GoldenTableTest, CoreGivesEveryRowsOutcome) {
  const GoldenFile& golden = GetParam();
  SetDecimalMark(golden.mark);
  std::ifstream file(std::string(TARNEL_GOLDEN_DIR "/") + golden.name);
  ASSERT_TRUE(file) << golden.name;
  std::string line;
  int rows = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    const std::vector<std::string> column = SplitTabs(line);
    ASSERT_EQ(column.size(), 10U) << line;
    SCOPED_TRACE(line);
    CalculationFields fields = Fields(column[0].c_str(), column[1].c_str(), column[2].c_str(),
                                      column[3].c_str(), column[4].c_str());
    ComputedValues values;
    std::string error;
    try {
      RunCalculation(fields, &values);
    } catch (const Exception& e) {
      error = std::string(e.ClassName()) + ": " + e.Message();
    }
    const auto shown = [&golden](const std::string& text, const std::optional<long double>& value) {
      return golden.full && value ? FormatNumber(*value, CScientificFormat(21, '.')) : text;
    };
    EXPECT_EQ(shown(fields.edN, values.N), column[5]);
    EXPECT_EQ(shown(fields.edR, values.R), column[6]);
    EXPECT_EQ(shown(fields.edL, values.L), column[7]);
    EXPECT_EQ(fields.edMessage, column[8]);
    EXPECT_EQ(error, column[9]);
    ++rows;
  }
  EXPECT_GT(rows, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTableTest,
                         testing::Values(GoldenFile{"requests.tsv", '.', false},
                                         GoldenFile{"requests_comma.tsv", ',', false},
                                         GoldenFile{"requests_full.tsv", '.', true},
                                         GoldenFile{"inductance.tsv", '.', false}),
                         tarnel::test::PrintedName());

}  // namespace
}  // namespace tarnel
