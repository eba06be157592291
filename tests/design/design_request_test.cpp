#include "design/design_request.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tarnel::design {
namespace {

using Kind = DimensionRole::Kind;
constexpr long double kNone = std::numeric_limits<long double>::infinity();

DimensionRole Free(std::optional<std::string> lowest = {},
                   std::optional<std::string> highest = {}) {
  return {Kind::kFree, std::move(lowest), std::move(highest)};
}

// The texts of R1, R2, H, D, Lambda and the target, the roles, and what
// reading them gives: the unread texts' names (a bound's marked with a
// leading '<') and errors, or the numbers.
struct ReadCase {
  const char* name;
  std::vector<std::string> texts;
  DimensionRoles roles;
  std::vector<std::string> unread;
  std::vector<std::string> errors;
  BestCoilRequest numbers;
};

void PrintTo(const ReadCase& value, std::ostream* out) {
  *out << value.name;
}

BestCoilRequest Numbers(Winding winding, DimensionChoice R1, DimensionChoice R2, DimensionChoice H,
                        long double targetL) {
  return {winding, R1, R2, H, targetL};
}

const DimensionChoice kKept{true, 0, kNone};
const DimensionChoice kFreeChoice{false, 0, kNone};

const ReadCase kReadCases[] = {
    // The solved text is not read, whatever stands there.
    {"SolvedTextNotRead",
     {"0.01", "?", "0.03", "0.001", "0.6", "1e-3"},
     Solving(Unknown::kR2),
     {},
     {},
     Numbers({0.01L, 0, 0.03L, 0.001L, 0.6L}, kKept, kFreeChoice, kKept, 1e-3L)},
    {"SolvedDNotRead",
     {"0.01", "0.02", "0.03", "x", "0.6", "1e-3"},
     Solving(Unknown::kD),
     {},
     {},
     Numbers({0.01L, 0.02L, 0.03L, 0, 0.6L}, kKept, kKept, kKept, 1e-3L)},
    // A free field is not read; its bounds are, each into its own end.
    {"FreeWithBounds",
     {"x", "0.02", "?", "0.001", "0.6", "1.5e-3"},
     {Free("0.005"), {}, Free({}, "0.04"), {}, {}},
     {},
     {},
     Numbers({0, 0.02L, 0, 0.001L, 0.6L}, {false, 0.005L, kNone}, kKept, {false, 0, 0.04L},
             1.5e-3L)},
    // Kept texts are trimmed; a bound's is read as it stands.
    {"KeptTrimmedBoundAsItStands",
     {" 0.01 ", "?", "?", "0.001", "0.6", "1e-3"},
     {{}, Free(), Free({}, " x"), {}, {}},
     {"<H"},
     {"EConvertError: ' x' is not a valid floating point value"},
     {}},
    // In the calculation's order, a bound in its dimension's place, lowest
    // first, the target last.
    {"UnreadInReadingOrder",
     {"?", "y", "0.03", "0.001", "w", "z"},
     {Free("a", "b"), {}, {}, {}, {}},
     {"<R1", "<R1", "R2", "Lambda", "L"},
     {"EConvertError: 'a' is not a valid floating point value",
      "EConvertError: 'b' is not a valid floating point value",
      "EConvertError: 'y' is not a valid floating point value",
      "EConvertError: 'w' is not a valid floating point value",
      "EConvertError: 'z' is not a valid floating point value"},
     {}},
};

class ReadRequestTextsTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRequestTextsTest, GivesTheNumbersOrTheUnreadTextsInOrder) {
  const ReadCase& c = GetParam();
  DesignRequest request;
  request.fields.edR1 = c.texts[0];
  request.fields.edR2 = c.texts[1];
  request.fields.edH = c.texts[2];
  request.fields.edD = c.texts[3];
  request.fields.edLambda = c.texts[4];
  request.targetText = c.texts[5];
  request.roles = c.roles;
  const ReadTexts read = ReadRequestTexts(request);
  std::vector<std::string> names;
  std::vector<std::string> errors;
  for (const UnreadText& unread : read.unread) {
    std::string name = unread.bound ? "<" : "";
    name += unread.name;
    names.push_back(name);
    errors.push_back(unread.error);
  }
  EXPECT_EQ(names, c.unread);
  EXPECT_EQ(errors, c.errors);
  if (!c.unread.empty()) {
    return;
  }
  const BestCoilRequest& got = read.numbers;
  const BestCoilRequest& want = c.numbers;
  EXPECT_EQ(got.winding.R1, want.winding.R1);
  EXPECT_EQ(got.winding.R2, want.winding.R2);
  EXPECT_EQ(got.winding.H, want.winding.H);
  EXPECT_EQ(got.winding.D, want.winding.D);
  EXPECT_EQ(got.winding.Lambda, want.winding.Lambda);
  EXPECT_EQ(got.targetL, want.targetL);
  for (const auto& [gotChoice, wantChoice] :
       {std::pair{got.R1, want.R1}, std::pair{got.R2, want.R2}, std::pair{got.H, want.H}}) {
    EXPECT_EQ(gotChoice.kept, wantChoice.kept);
    EXPECT_EQ(gotChoice.lowest, wantChoice.lowest);
    EXPECT_EQ(gotChoice.highest, wantChoice.highest);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadRequestTextsTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                           return std::string(info.param.name);
                         });

// A request that does not solve exactly one of R2, H and D is a fault of
// the program, not an answer.
TEST(AnswerDesign, RefusesRolesThatSolveNotExactlyOne) {
  DesignRequest request;
  request.roles = Solving(Unknown::kH);
  request.roles.R2.kind = Kind::kSolved;
  EXPECT_THROW(AnswerDesign(request), std::invalid_argument);
  request.roles = Solving(Unknown::kH);
  request.roles.R1.kind = Kind::kFree;
  EXPECT_THROW(AnswerDesign(request), std::invalid_argument);
}

}  // namespace
}  // namespace tarnel::design
