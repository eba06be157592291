// Number texts: what the fields accept, the value each text gives, and the
// exact text each result becomes.
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "calc/errors.h"
#include "calc/x87.h"
#include "tests/param_name.h"

namespace tarnel {
namespace {

struct ToTextCase {
  long double value;
  const char* text;
  friend void PrintTo(const ToTextCase& c, std::ostream* os) { *os << c.text; }
};

class NumberToTextTest : public testing::TestWithParam<ToTextCase> {};

TEST_P(NumberToTextTest, FormatsFourSignificantDigits) {
  EXPECT_EQ(NumberToText(GetParam().value, '.'), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    GeneralFormat, NumberToTextTest,
    testing::Values(ToTextCase{229.18312L, "229.2"}, ToTextCase{0.45928L, "0.4593"},
                    ToTextCase{0.00080330L, "0.0008033"}, ToTextCase{0.5L, "0.5"},
                    ToTextCase{1.0L, "1"}, ToTextCase{1.00005L, "1"}, ToTextCase{1200.0L, "1200"},
                    ToTextCase{1234.5L, "1235"}, ToTextCase{9999.4L, "9999"},
                    ToTextCase{9999.6L, "1E4"}, ToTextCase{10000.0L, "1E4"},
                    ToTextCase{12345.6L, "1.235E4"}, ToTextCase{123456789.0L, "1.235E8"},
                    ToTextCase{1.5e10L, "1.5E10"}, ToTextCase{0.0001L, "0.0001"},
                    ToTextCase{0.000123456L, "0.0001235"}, ToTextCase{0.00012345L, "0.0001235"},
                    ToTextCase{0.00009999L, "9.999E-5"}, ToTextCase{0.0000123456L, "1.235E-5"},
                    ToTextCase{2.5e-7L, "2.5E-7"}, ToTextCase{-229.183L, "-229.2"},
                    ToTextCase{-0.0004L, "-0.0004"}, ToTextCase{0.0L, "0"},
                    // Sign of zero and denormals never show.
                    ToTextCase{-0.0L, "0"}, ToTextCase{1e-4940L, "0"}, ToTextCase{-1e-4945L, "0"},
                    // A carry out of the first digit moves the exponent.
                    ToTextCase{0.99996L, "1"}, ToTextCase{0.000099996L, "0.0001"},
                    ToTextCase{99999.0L, "1E5"}, ToTextCase{9.99951e-5L, "0.0001"},
                    // Fixed form pads integers and writes no trailing fraction zeros.
                    ToTextCase{10.0L, "10"}, ToTextCase{100.04L, "100"}, ToTextCase{20.5L, "20.5"},
                    ToTextCase{0.1L, "0.1"}, ToTextCase{0.001L, "0.001"},
                    // Only the 5th digit decides, on the 18-digit expansion.
                    ToTextCase{1.23449999L, "1.234"}, ToTextCase{0.0012345L, "0.001235"},
                    // The extremes of the extended range.
                    ToTextCase{1.18973149535723176502e4932L, "1.19E4932"},
                    ToTextCase{3.36210314311209350626e-4932L, "3.362E-4932"}),
    tarnel::test::PrintedName());

TEST(NumberToTextTest, WritesTheDecimalMarkGiven) {
  EXPECT_EQ(NumberToText(229.18312L, ','), "229,2");
  EXPECT_EQ(NumberToText(12345.6L, ','), "1,235E4");
  EXPECT_EQ(NumberToText(0.00080330L, ','), "0,0008033");
  EXPECT_EQ(NumberToText(1200.0L, ','), "1200");
}

TEST(NumberToTextTest, EighteenDigitExpansionRoundsTiesToEven) {
  // Both integers are exact in 64 bits and end in a 19th digit of 5, a tie
  // for the 18-digit expansion; its rounding decides the 5th digit.
  EXPECT_EQ(NumberToText(1000499999999999995.0L, '.'), "1.001E18");  // ...9|5 -> ...5000
  EXPECT_EQ(NumberToText(1000499999999999985.0L, '.'), "1E18");      // ...8|5 -> ...8
}

// Every form a number is written in, through the one formatter: each
// threshold between fixed and exponent form on both sides, both roundings,
// both marks, the sign and exponent options, zeros and non-finite values.
// Values with an exact binary form (0.125, 2^-10) give exact decimal ties.
enum class Preset { kGeneral, kCScientific, kFigure, kSignedFigure };

struct FormatCase {
  Preset preset;
  int digits;
  long double value;
  char mark;
  const char* text;
  friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.text; }
};

NumberFormat PresetFormat(Preset preset, int digits, char mark) {
  switch (preset) {
    case Preset::kGeneral:
      return GeneralFormat(digits, mark);
    case Preset::kCScientific:
      return CScientificFormat(digits, mark);
    case Preset::kFigure:
      return FigureFormat(digits, mark);
    case Preset::kSignedFigure:
      return SignedFigureFormat(digits, mark);
  }
  return {};
}

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesTheNumberInItsForm) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, PresetFormat(c.preset, c.digits, c.mark)), c.text);
}

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kTwoToMinus10 = 0.0009765625L;

INSTANTIATE_TEST_SUITE_P(General, FormatNumberTest,
                         testing::Values(
                             // The fixed range grows with the digits: 10^digits is the first
                             // value in exponent form; 0.0001 the last small one in fixed form.
                             FormatCase{Preset::kGeneral, 7, 1234567.0L, '.', "1234567"},
                             FormatCase{Preset::kGeneral, 7, 12345678.0L, '.', "1.234568E7"},
                             FormatCase{Preset::kGeneral, 7, 9999999.6L, '.', "1E7"},
                             FormatCase{Preset::kGeneral, 7, 0.000123456789L, ',', "0,0001234568"},
                             FormatCase{Preset::kGeneral, 7, 0.0000123456789L, ',', "1,234568E-5"},
                             FormatCase{Preset::kGeneral, 7, -2.5L, '.', "-2.5"},
                             FormatCase{Preset::kGeneral, 18, 1.0L / 3, '.',
                                        "0.333333333333333333"},
                             // Half up on the expansion, where nearest would go to even.
                             FormatCase{Preset::kGeneral, 2, 0.125L, '.', "0.13"},
                             FormatCase{Preset::kGeneral, 4, 1e-4945L, '.', "0"},
                             FormatCase{Preset::kGeneral, 4, kInf, '.', "INF"},
                             FormatCase{Preset::kGeneral, 4, -kInf, '.', "-INF"},
                             FormatCase{Preset::kGeneral, 4, -kNaN, '.', "NAN"}),
                         tarnel::test::PrintedName());

INSTANTIATE_TEST_SUITE_P(
    CScientific, FormatNumberTest,
    testing::Values(
        FormatCase{Preset::kCScientific, 21, kTwoToMinus10, '.', "9.76562500000000000000e-04"},
        FormatCase{Preset::kCScientific, 10, kTwoToMinus10, ',', "9,765625000e-04"},
        FormatCase{Preset::kCScientific, 4, -kTwoToMinus10, ',', "-9,766e-04"},
        FormatCase{Preset::kCScientific, 2, 0.125L, '.', "1.2e-01"},
        FormatCase{Preset::kCScientific, 2, 0.375L, '.', "3.8e-01"},
        FormatCase{Preset::kCScientific, 1, 8.0L, '.', "8e+00"},
        FormatCase{Preset::kCScientific, 4, 1e100L, '.', "1.000e+100"},
        FormatCase{Preset::kCScientific, 4, 12345.0L, '.', "1.234e+04"},
        FormatCase{Preset::kCScientific, 4, 9.9996L, '.', "1.000e+01"},
        FormatCase{Preset::kCScientific, 10, 0.0L, '.', "0.000000000e+00"},
        FormatCase{Preset::kCScientific, 10, -0.0L, '.', "-0.000000000e+00"},
        FormatCase{Preset::kCScientific, 21, std::numeric_limits<long double>::denorm_min(), '.',
                   "3.64519953188247460253e-4951"},
        FormatCase{Preset::kCScientific, 4, kInf, '.', "inf"},
        FormatCase{Preset::kCScientific, 4, -kInf, '.', "-inf"},
        FormatCase{Preset::kCScientific, 4, kNaN, '.', "nan"},
        FormatCase{Preset::kCScientific, 4, -kNaN, '.', "-nan"}),
    tarnel::test::PrintedName());

// Tooltip and dialog figures read as the fields beside them: no trailing
// zeros, the fields' fixed range and their half-up rounding.
INSTANTIATE_TEST_SUITE_P(
    Figure, FormatNumberTest,
    testing::Values(FormatCase{Preset::kFigure, 4, 1000.0L, '.', "1000"},
                    FormatCase{Preset::kFigure, 4, 24100.0L, '.', "2.41E4"},
                    FormatCase{Preset::kFigure, 4, 0.00080340L, ',', "0,0008034"},
                    FormatCase{Preset::kFigure, 4, 0.000080340L, '.', "8.034E-5"},
                    FormatCase{Preset::kFigure, 4, 1.0L, '.', "1"},
                    FormatCase{Preset::kFigure, 2, 0.125L, '.', "0.13"},
                    FormatCase{Preset::kFigure, 7, 0.02458156L, '.', "0.02458156"},
                    FormatCase{Preset::kFigure, 4, 0.0L, '.', "0"}),
    tarnel::test::PrintedName());

INSTANTIATE_TEST_SUITE_P(SignedFigure, FormatNumberTest,
                         testing::Values(
                             // The fixed range of two digits ends below 100.
                             FormatCase{Preset::kSignedFigure, 2, 99.4L, '.', "+99"},
                             FormatCase{Preset::kSignedFigure, 2, 125.0L, '.', "+1.3E2"},
                             FormatCase{Preset::kSignedFigure, 2, 99.6L, '.', "+1E2"},
                             FormatCase{Preset::kSignedFigure, 2, -0.00015L, ',', "-0,00015"},
                             FormatCase{Preset::kSignedFigure, 2, 0.000015L, '.', "+1.5E-5"},
                             FormatCase{Preset::kSignedFigure, 2, -3.04L, '.', "-3"},
                             FormatCase{Preset::kSignedFigure, 2, -0.5L, '.', "-0.5"},
                             FormatCase{Preset::kSignedFigure, 2, 0.375L, '.', "+0.38"},
                             FormatCase{Preset::kSignedFigure, 2, 0.0L, '.', "+0"},
                             FormatCase{Preset::kSignedFigure, 2, -0.0L, '.', "+0"}),
                         tarnel::test::PrintedName());

struct ToNumberCase {
  const char* text;
  long double value;
  friend void PrintTo(const ToNumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class TextToNumberTest : public testing::TestWithParam<ToNumberCase> {};

TEST_P(TextToNumberTest, ReadsTheValue) {
  const long double value = TextToNumber(GetParam().text, '.');
  const long double magnitude = std::fabs(GetParam().value);
  if (magnitude == 0.0L || (magnitude > 1e-100L && magnitude < 1e100L)) {
    EXPECT_EQ(value, GetParam().value) << GetParam().text;
  } else {
    // Far powers of ten come from products of rounded table entries.
    EXPECT_NEAR(value / GetParam().value, 1.0L, 1e-17L) << GetParam().text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, TextToNumberTest,
    testing::Values(ToNumberCase{"0.01", 0.01L}, ToNumberCase{"0.001", 0.001L},
                    ToNumberCase{"0.6", 0.6L}, ToNumberCase{"+5", 5.0L}, ToNumberCase{"5.", 5.0L},
                    ToNumberCase{".5", 0.5L}, ToNumberCase{".", 0.0L}, ToNumberCase{"-.", 0.0L},
                    ToNumberCase{"-5", -5.0L}, ToNumberCase{"  12  ", 12.0L},
                    ToNumberCase{"1e3", 1000.0L}, ToNumberCase{"1E3", 1000.0L},
                    ToNumberCase{"1e+3", 1000.0L}, ToNumberCase{"1e", 1.0L},
                    ToNumberCase{"1e+", 1.0L}, ToNumberCase{"1e-", 1.0L},
                    ToNumberCase{"2.5e-7", 2.5e-7L}, ToNumberCase{"1e500", 1e500L},
                    ToNumberCase{"1e-0500", 1e-500L}, ToNumberCase{"1e-4999", 0.0L},
                    ToNumberCase{"-1e-4999", -0.0L}, ToNumberCase{"0012.50", 12.5L},
                    ToNumberCase{"1e4931", 1e4931L}, ToNumberCase{"123456789012", 123456789012.0L}),
    tarnel::test::PrintedName());

TEST(TextToNumberTest, NegativeZeroKeepsItsSignButShowsAsZero) {
  const long double value = TextToNumber("-.", '.');
  EXPECT_TRUE(std::signbit(value));
  EXPECT_EQ(NumberToText(value, '.'), "0");
}

class RejectedTextTest : public testing::TestWithParam<const char*> {};

TEST_P(RejectedTextTest, RaisesConvertErrorNamingTheText) {
  const std::string text = GetParam();
  try {
    TextToNumber(text, '.');
    FAIL() << "accepted '" << text << "'";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'" + text + "' is not a valid floating point value");
  }
}

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, RejectedTextTest,
    testing::Values("", "   ", "0,01", "1 000", "- 5", "+", "-", "+-1", "1e3x", "1e5000", "1e4999",
                    "0e4999", "1e500 0", "1x", "e3", "1.2.3", "1e1.5", "\t1", "1\t", "1\n2",
                    // Cyrillic capital and small IE look like the Latin E.
                    "1\xD0\x95"
                    "3",
                    "1\xD0\xB5"
                    "3",
                    // A no-break space is not a blank, and non-ASCII digits are not digits.
                    "\xC2\xA0"
                    "1",
                    "\xD9\xA1"),
    tarnel::test::PrintedName());

TEST(TextToNumberTest, ReadsTheDecimalMarkGivenAndNoOther) {
  EXPECT_EQ(TextToNumber("0,01", ','), 0.01L);
  EXPECT_EQ(TextToNumber("1,235E4", ','), 12350.0L);
  EXPECT_THROW(TextToNumber("0.01", ','), EConvertError);
}

TEST(TextToNumberTest, ExponentReadingStopsAtFiveHundred) {
  // "1e0499" reads 0,4,49,499 and goes on; "1e5000" stops after "500".
  EXPECT_EQ(TextToNumber("1e0004", '.'), 10000.0L);
  EXPECT_THROW(TextToNumber("1e50000", '.'), EConvertError);
  EXPECT_NO_THROW(TextToNumber("1e-4999", '.'));
}

TEST(TextToNumberTest, LongMantissasAccumulateEveryDigit) {
  const std::string manyZeros = "0." + std::string(600, '0') + "1";
  EXPECT_EQ(NumberToText(TextToNumber(manyZeros, '.'), '.'), "1E-601");
  const std::string longInteger = "1" + std::string(30, '0');
  EXPECT_NEAR(TextToNumber(longInteger, '.') / 1e30L, 1.0L, 1e-18L);
}

TEST(TextToNumberTest, NeverLeavesAFloatingPointFlagSet) {
  TextToNumber("1e-4999", '.');                              // underflows
  EXPECT_THROW(TextToNumber("1e4999", '.'), EConvertError);  // overflows
  EXPECT_EQ(fpu::StatusWord() & 0x3F, 0);
}

struct TrimCase {
  const char* text;
  const char* trimmed;
  friend void PrintTo(const TrimCase& c, std::ostream* os) { *os << '"' << c.trimmed << '"'; }
};

class TrimBlanksTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanksTest, RemovesControlCharactersAndBlanksAtTheEnds) {
  EXPECT_EQ(TrimBlanks(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(Ends, TrimBlanksTest,
                         testing::Values(TrimCase{" 0.01 ", "0.01"}, TrimCase{"\t0.01\r\n", "0.01"},
                                         TrimCase{"", ""}, TrimCase{" \t ", ""},
                                         TrimCase{"1 2", "1 2"},
                                         TrimCase{"\xC2\xA0"
                                                  "1",
                                                  "\xC2\xA0"
                                                  "1"},
                                         TrimCase{"\x01x\x1F", "x"}),
                         tarnel::test::PrintedName());

TEST(TrimBlanksTest, RemovesTheNulCharacter) {
  EXPECT_EQ(TrimBlanks(std::string("\0 5\0", 4)), "5");
}

}  // namespace
}  // namespace tarnel
