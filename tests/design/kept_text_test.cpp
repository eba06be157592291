#include "design/kept_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "calc/number_text.h"

namespace tarnel::design {
namespace {

std::string Scientific(long double value, int digits) {
  return FormatNumber(value, CScientificFormat(digits, '.'));
}

// A value, the interval a text of it must read back inside, and the text
// expected from 4 digits up to `mostDigits`.
struct KeptCase {
  const char* name;
  long double value;
  long double low;
  long double high;
  int mostDigits;
  std::optional<std::string> text;
};

void PrintTo(const KeptCase& value, std::ostream* out) {
  *out << value.name;
}

const KeptCase kKeptCases[] = {
    {"NearestInside", 1.23456L, 1, 2, 4, "1.235e+00"},
    // Nearest rounds past an end: the neighbour toward the value.
    {"NearestAboveTheHighEnd", 1.23456L, 1, 1.2346L, 4, "1.234e+00"},
    {"NearestBelowTheLowEnd", 1.23449L, 1.23449L, 2, 4, "1.235e+00"},
    // Down across a power of ten and up to one.
    {"DownBelowAPowerOfTen", 9.99996L, 9, 9.99996L, 4, "9.999e+00"},
    {"UpToAPowerOfTen", 9.99949L, 9.99949L, 11, 4, "1.000e+01"},
    // Four and five digits leave the interval on both sides; six fit in it.
    {"MoreDigits", 1.23456L, 1.23452L, 1.23458L, 10, "1.23456e+00"},
    // Thinner than every text allowed.
    {"ThinnerThanTheDigits", 1.23456L, 1.234561L, 1.234562L, 6, std::nullopt},
};

class KeptTextTest : public testing::TestWithParam<KeptCase> {};

// With either decimal mark, written and read with it.
TEST_P(KeptTextTest, ReadsBackInsideOrNothing) {
  const KeptCase& kept = GetParam();
  for (const char mark : {'.', ','}) {
    const auto write = [mark](long double value, int digits) {
      return FormatNumber(value, CScientificFormat(digits, mark));
    };
    const std::optional<std::string> text = KeptText(
        kept.value, {4, kept.mostDigits}, write,
        [&](const std::string& written) {
          const long double read = TextToNumber(written, mark);
          return read >= kept.low && read <= kept.high;
        },
        mark);
    std::optional<std::string> expected = kept.text;
    if (expected) {
      std::replace(expected->begin(), expected->end(), '.', mark);
    }
    EXPECT_EQ(text, expected) << mark;
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, KeptTextTest, testing::ValuesIn(kKeptCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Rounded inward: up from a lowest value, down from a highest, and a value
// already on its digits kept.
struct RoundedCase {
  long double value;
  int digits;
  bool up;
  long double expected;
};

TEST(RoundedTo, RoundsInTheDirectionAsked) {
  const RoundedCase cases[] = {
      {1.2341L, 4, true, 1.235L}, {1.2349L, 4, false, 1.234L},  {1.2349L, 4, true, 1.235L},
      {9.9991L, 4, true, 10},     {10.0001L, 4, false, 10},     {1.00001L, 4, false, 1},
      {1.25L, 3, true, 1.25L},    {1.25L, 3, false, 1.25L},     {1.0001e-8L, 4, false, 1e-8L},
      {1.00001e1L, 5, false, 10}, {10.00001L, 4, true, 10.01L},
  };
  for (const RoundedCase& c : cases) {
    EXPECT_EQ(RoundedTo(c.value, c.digits, c.up),
              TextToNumber(Scientific(c.expected, c.digits), '.'))
        << static_cast<double>(c.value) << (c.up ? " up" : " down");
  }
}

}  // namespace
}  // namespace tarnel::design
