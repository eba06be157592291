#include "design/target_inductance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "calc/calculation_request.h"
#include "calc/inductance.h"
#include "calc/number_text.h"
#include "calc/x87.h"
#include "reference/exact_comparison.h"

namespace tarnel::design {

void PrintTo(Unknown unknown, std::ostream* out);

namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

const char* NameOf(Unknown unknown) {
  switch (unknown) {
    case Unknown::kR2:
      return "R2";
    case Unknown::kH:
      return "H";
    case Unknown::kD:
      return "D";
  }
  return "?";
}

// The exact L of a winding by the route the window's tooltip takes: the
// calculation's formula inputs give N, the reference the rest. Nothing when
// the reference declines the shape.
std::optional<long double> ExactL(const Winding& w) {
  const auto inputs = MakeFormulaInputs<long double>(w.R1, w.R2, w.H, w.D, w.Lambda);
  const reference::ExactComparison comparison =
      reference::CompareWithExact(w, inputs.TurnCount, 1.0L);
  if (!comparison.evaluated) {
    return std::nullopt;
  }
  return comparison.exactL;
}

// The calculation itself on the winding, its dimensions written to every
// digit: "Готов ..." when it passes every rule and calculates.
::testing::AssertionResult CalculatesReady(const Winding& w) {
  auto text = [](long double value) {
    return FormatNumber(value, CScientificFormat(21, DecimalMark()));
  };
  CalculationFields fields = StartupFields();
  fields.edR1 = text(w.R1);
  fields.edR2 = text(w.R2);
  fields.edH = text(w.H);
  fields.edD = text(w.D);
  fields.edLambda = text(w.Lambda);
  try {
    RunCalculation(fields);
  } catch (const std::exception& error) {
    return ::testing::AssertionFailure() << error.what();
  }
  if (fields.edMessage != kReadyMessage) {
    return ::testing::AssertionFailure() << fields.edMessage;
  }
  return ::testing::AssertionSuccess();
}

long double Relative(long double value, long double expected) {
  return std::fabs(value / expected - 1);
}

// --- The solution put back gives the target ------------------------------

// Shapes spread over the whole accepted range in logarithm: mean radius
// 1e-5 to 1e3 m, thickness ratio 2e-6 to 1 (no hole), length ratio 2e-7 to
// 5e5, wire from the thickest allowed down a thousandth. The target is the
// exact L of the drawn winding times a factor of up to 3 either way: a
// solved line must give it back to 1e-9, an unsolved one must name an
// interval that excludes it.
struct RandomCase {
  Winding winding;
  long double targetL;
};

RandomCase DrawCase(std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(0, 1);
  auto logUniform = [&](long double low, long double high) {
    return low * std::pow(high / low, static_cast<long double>(unit(random)));
  };
  const long double meanRadius = logUniform(1e-5L, 1e3L);
  const long double thickness = unit(random) < 0.1 ? 1 : logUniform(2e-6L, 1);
  const long double length = logUniform(2e-7L, 5e5L);
  Winding w;
  w.R1 = meanRadius * (1 - thickness);
  w.R2 = meanRadius * (1 + thickness);
  w.H = 2 * meanRadius * length;
  w.D = std::fmin(w.H, w.R2 - w.R1) * logUniform(1e-3L, 0.999L);
  w.Lambda = 0.05L + 0.9L * static_cast<long double>(unit(random));
  const long double factor = unit(random) < 0.3 ? 1 : logUniform(1 / 3.0L, 3);
  return {w, factor};
}

class PutBackTest : public testing::TestWithParam<Unknown> {};

TEST_P(PutBackTest, SolvedValueGivesTheTargetOrTheTargetIsOutOfReach) {
  const Unknown unknown = GetParam();
  std::mt19937_64 random(20261207);
  int solved = 0;
  constexpr int kCases = 60;
  for (int i = 0; i < kCases; ++i) {
    RandomCase drawn = DrawCase(random);
    const std::optional<long double> drawnL = ExactL(drawn.winding);
    ASSERT_TRUE(drawnL) << "case " << i;
    const long double target = *drawnL * drawn.targetL;
    const bool reachableForSure = drawn.targetL == 1;
    SCOPED_TRACE(testing::Message()
                 << NameOf(unknown) << " case " << i << ": R1 " << drawn.winding.R1 << " R2 "
                 << drawn.winding.R2 << " H " << drawn.winding.H << " D " << drawn.winding.D
                 << " Lambda " << drawn.winding.Lambda << " target " << target);
    const Design design = SolveForInductance(With(drawn.winding, unknown, -1), unknown, target);
    ASSERT_EQ(fpu::StatusWord() & fpu::kFaultFlags, 0) << "fault flags left pending";
    if (design.outcome == Design::Outcome::kSolved) {
      ++solved;
      const Winding result = With(drawn.winding, unknown, design.value);
      ASSERT_TRUE(CalculatesReady(result));
      const std::optional<long double> resultL = ExactL(result);
      ASSERT_TRUE(resultL) << "outside the reference's shapes";
      EXPECT_LE(Relative(*resultL, target), 1e-9L);
    } else {
      ASSERT_FALSE(reachableForSure) << "the drawn winding itself reaches the target";
      ASSERT_EQ(design.outcome, Design::Outcome::kUnreachable) << design.message;
      EXPECT_TRUE(target < design.lowestL || target > design.highestL);
      EXPECT_LT(design.lowestL, design.highestL);
    }
  }
  // Most targets lie within reach; a solver that gave up on everything
  // would otherwise pass.
  EXPECT_GT(solved, kCases / 2);
}

INSTANTIATE_TEST_SUITE_P(Unknowns, PutBackTest,
                         testing::Values(Unknown::kR2, Unknown::kH, Unknown::kD),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

// The D⁻⁴ law: with R1, R2, H fixed, a target 16 times higher halves D, and
// D needs no search: one exact evaluation, of L/N².
TEST(SolveD, SixteenTimesTheTargetHalvesTheWire) {
  const Winding w{0.01L, 0.02L, 0.03L, 0, 0.6L};
  const Design once = SolveForInductance(w, Unknown::kD, 1e-3L);
  EXPECT_EQ(once.exactEvaluations, 1);
  const Design sixteen = SolveForInductance(w, Unknown::kD, 16e-3L);
  ASSERT_EQ(once.outcome, Design::Outcome::kSolved);
  ASSERT_EQ(sixteen.outcome, Design::Outcome::kSolved);
  EXPECT_LE(Relative(sixteen.value * 2, once.value), 1e-15L);
}

// --- What a solve costs ----------------------------------------------------

// The formula's warm start puts the first exact evaluation within the
// formula's error of the solution: a solve of R2 or H then takes a handful of
// exact evaluations, where a start at the middle of the range takes two to
// four more. Each case is the winding's own exact L times `factor`; each
// budget is one evaluation above what the solve takes.
struct CostCase {
  const char* name;
  Unknown unknown;
  Winding winding;
  long double factor;
  int budget;  // the exact evaluations the solve may make at most
};

void PrintTo(const CostCase& value, std::ostream* out) {
  *out << value.name;
}

const CostCase kCosts[] = {
    {"R2OfTheStartupWinding", Unknown::kR2, {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 1, 4},
    {"R2TwiceTheL", Unknown::kR2, {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 2, 4},
    {"R2OfAThinWall", Unknown::kR2, {1, 1.001L, 0.5L, 1e-4L, 0.6L}, 0.7L, 3},
    {"R2OfAFlatDisc", Unknown::kR2, {0.001L, 0.5L, 1e-3L, 1e-4L, 0.6L}, 1.3L, 3},
    {"HOfTheStartupWinding", Unknown::kH, {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 1, 4},
    {"HHalfTheL", Unknown::kH, {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 0.5L, 4},
    {"HOfALongWinding", Unknown::kH, {0.01L, 0.011L, 2, 1e-4L, 0.6L}, 1.5L, 3},
    {"HOfAFlatDisc", Unknown::kH, {0.001L, 0.5L, 1e-3L, 1e-4L, 0.6L}, 0.8L, 3},
};

class CostTest : public testing::TestWithParam<CostCase> {};

TEST_P(CostTest, SolvesWithinItsBudgetOfExactEvaluations) {
  const CostCase& c = GetParam();
  const std::optional<long double> L = ExactL(c.winding);
  ASSERT_TRUE(L);
  const Design design = SolveForInductance(c.winding, c.unknown, *L * c.factor);
  ASSERT_EQ(design.outcome, Design::Outcome::kSolved) << design.message;
  EXPECT_LE(design.exactEvaluations, c.budget);
}

INSTANTIATE_TEST_SUITE_P(Solves, CostTest, testing::ValuesIn(kCosts),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The ends of the reachable interval ----------------------------------

// Each case names the end of the unknown's allowed range, worked out from
// the rules and the reference's accepted ratios by hand, and which end it
// is. A target a millionth inside it is solved next to it; a millionth
// outside it is out of reach, with that end of the interval equal to the
// exact L there.
struct EdgeCase {
  const char* name;
  Unknown unknown;
  Winding given;
  long double end;  // the dimension at the end
  bool upper;       // the end that gives the highest L
};

void PrintTo(const EdgeCase& value, std::ostream* out) {
  *out << value.name;
}

const EdgeCase kEdges[] = {
    // R2 ≥ R1 + D.
    {"R2AtTheWire", Unknown::kR2, {0.01L, 0, 0.03L, 0.001L, 0.6L}, 0.011L, false},
    // (R2 − R1)/(R2 + R1) ≥ 1e-6, the wire thinner than that.
    {"R2AtTheThinnestWall", Unknown::kR2, {1, 0, 1e-3L, 1e-7L, 0.6L}, 1.000002000002000002L, false},
    // H/(R1 + R2) ≤ 1e6 with no hole: R2 ≥ H/1e6.
    {"R2AtTheLongestShape", Unknown::kR2, {0, 0, 1, 1e-8L, 0.6L}, 1e-6L, false},
    // H/(R1 + R2) ≥ 1e-7: R2 ≤ H·1e7 − R1.
    {"R2AtTheFlattestShape", Unknown::kR2, {0.5L, 0, 1e-6L, 1e-7L, 0.6L}, 9.5L, true},
    // H ≥ D.
    {"HAtTheWire", Unknown::kH, {0.01L, 0.02L, 0, 0.001L, 0.6L}, 0.001L, false},
    // H ≥ 1e-7·(R1 + R2), the wire thinner than that.
    {"HAtTheFlattestShape", Unknown::kH, {0.01L, 0.02L, 0, 1e-10L, 0.6L}, 3e-9L, false},
    // H ≤ 1e6·(R1 + R2).
    {"HAtTheLongestShape", Unknown::kH, {0.01L, 0.02L, 0, 0.001L, 0.6L}, 3e4L, true},
    // D ≤ H and D ≤ R2 − R1: the thickest wire gives the lowest L.
    {"DAtTheHeight", Unknown::kD, {0.01L, 0.05L, 0.02L, 0, 0.6L}, 0.02L, false},
    {"DAtTheDepth", Unknown::kD, {0.01L, 0.02L, 0.03L, 0, 0.6L}, 0.01L, false},
};

class EdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTest, JustInsideSolvesJustOutsideNamesTheInterval) {
  const EdgeCase& edge = GetParam();
  // A hair inside the end, where the reference surely accepts the shape: a
  // ten-billionth of the depth, the height or the wire. Inside is up from
  // the lower end of R2 or H and down from every other end.
  const long double hair = edge.upper || edge.unknown == Unknown::kD ? -1e-10L : 1e-10L;
  const long double base = edge.unknown == Unknown::kR2 ? edge.given.R1 : 0;
  const long double inside = base + (edge.end - base) * (1 + hair);
  const std::optional<long double> endL = ExactL(With(edge.given, edge.unknown, inside));
  ASSERT_TRUE(endL);
  const long double towardsInside = edge.upper ? 1 - 1e-6L : 1 + 1e-6L;

  const Design in = SolveForInductance(edge.given, edge.unknown, *endL * towardsInside);
  ASSERT_EQ(in.outcome, Design::Outcome::kSolved) << in.message;
  EXPECT_LE(Relative(in.value, edge.end), 1e-5L);
  EXPECT_TRUE(CalculatesReady(With(edge.given, edge.unknown, in.value)));

  const Design out = SolveForInductance(edge.given, edge.unknown, *endL / towardsInside);
  EXPECT_EQ(fpu::StatusWord() & fpu::kFaultFlags, 0) << "fault flags left pending";
  ASSERT_EQ(out.outcome, Design::Outcome::kUnreachable) << out.message;
  EXPECT_LE(Relative(edge.upper ? out.highestL : out.lowestL, *endL), 1e-8L);
  EXPECT_LT(out.lowestL, out.highestL);
}

INSTANTIATE_TEST_SUITE_P(Ends, EdgeTest, testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Givens that admit no winding -----------------------------------------

struct InvalidCase {
  const char* name;
  Unknown unknown;
  Winding given;
  long double targetL;
  const char* message;  // nullptr: any explanation
};

void PrintTo(const InvalidCase& value, std::ostream* out) {
  *out << value.name;
}

const InvalidCase kInvalid[] = {
    // The window's own words for a given that breaks a rule, in the order it
    // tests them.
    {"InsideOut", Unknown::kH, {0.02L, 0.01L, 0, 0.001L, 0.6L}, 1e-3L, "Введите R2 > R1"},
    {"WireDeeperThanTheWall",
     Unknown::kH,
     {0.01L, 0.0105L, 0, 0.001L, 0.6L},
     1e-3L,
     "Введите D < R2 - R1"},
    {"WireTallerThanTheWinding",
     Unknown::kR2,
     {0.01L, 0, 0.0005L, 0.001L, 0.6L},
     1e-3L,
     "Введите D < H"},
    {"NoPacking", Unknown::kD, {0.01L, 0.02L, 0.03L, 0, 0}, 1e-3L, "Введите Lambda > 0"},
    {"OverPacked", Unknown::kR2, {0.01L, 0, 0.03L, 0.001L, 1}, 1e-3L, "Введите Lambda < 1"},
    {"NoWire", Unknown::kH, {0.01L, 0.02L, 0, 0, 0.6L}, 1e-3L, "Введите D > 0"},
    {"NegativeHole", Unknown::kD, {-0.01L, 0.02L, 0.03L, 0, 0.6L}, 1e-3L, "Введите R1 >= 0"},
    // D > 0 is tested before R1 >= 0, as the window tests them.
    {"NoWireNegativeHole", Unknown::kH, {-0.01L, 0.02L, 0, 0, 0.6L}, 1e-3L, "Введите D > 0"},
    // D ≤ H is tested before Lambda, as the window tests them.
    {"TwoRulesBroken", Unknown::kR2, {0.01L, 0, 0.0005L, 0.001L, 1.5L}, 1e-3L, "Введите D < H"},
    {"ZeroTarget", Unknown::kD, {0.01L, 0.02L, 0.03L, 0, 0.6L}, 0, "Введите L > 0"},
    {"NegativeTarget", Unknown::kR2, {0.01L, 0, 0.03L, 0.001L, 0.6L}, -1e-3L, "Введите L > 0"},
    {"InfiniteTarget", Unknown::kH, {0.01L, 0.02L, 0, 0.001L, 0.6L}, kInfinity, "Введите L > 0"},
    {"TargetNotANumber", Unknown::kH, {0.01L, 0.02L, 0, 0.001L, 0.6L}, NAN, "Введите L > 0"},
    // A wall thinner than the reference takes, for every height.
    {"WallTooThin", Unknown::kH, {1, 1 + 1e-7L, 0, 1e-8L, 0.6L}, 1e-3L, nullptr},
    // A winding far flatter than the reference takes, for every depth.
    {"FlatterThanAnyDepth", Unknown::kR2, {1, 0, 1e-8L, 1e-9L, 0.6L}, 1e-3L, nullptr},
    {"ShapeOutOfRange", Unknown::kD, {0.5L, 1.5L, 1e-8L, 0, 0.6L}, 1e-3L, nullptr},
    {"InfiniteGiven", Unknown::kD, {0.01L, kInfinity, 0.03L, 0, 0.6L}, 1e-3L, nullptr},
};

class InvalidTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidTest, SaysWhyAndLeavesTheUnitClean) {
  const InvalidCase& c = GetParam();
  const Design design = SolveForInductance(c.given, c.unknown, c.targetL);
  EXPECT_EQ(design.outcome, Design::Outcome::kInvalid);
  if (c.message != nullptr) {
    EXPECT_EQ(design.message, c.message);
  } else {
    EXPECT_FALSE(design.message.empty());
  }
  EXPECT_EQ(fpu::StatusWord() & fpu::kFaultFlags, 0);
}

INSTANTIATE_TEST_SUITE_P(Givens, InvalidTest, testing::ValuesIn(kInvalid),
                         [](const auto& info) { return std::string(info.param.name); });

// For D the thinnest wire whose turn count and inductances are normal
// numbers bounds L from above, as the verified shapes bound it for R2 and H:
// a target beyond it names the interval, one just inside it is solved.
TEST(DesignEnds, DBeyondTheThinnestWireNamesTheInterval) {
  const Winding given{0.01L, 0.02L, 0.03L, 0, 0.6L};
  const Design out = SolveForInductance(given, Unknown::kD, 1e4932L);
  ASSERT_EQ(out.outcome, Design::Outcome::kUnreachable) << out.message;
  EXPECT_TRUE(std::isnormal(out.highestL));
  EXPECT_LT(out.lowestL, out.highestL);
  const Design in = SolveForInductance(given, Unknown::kD, out.highestL * (1 - 1e-6L));
  ASSERT_EQ(in.outcome, Design::Outcome::kSolved) << in.message;
  EXPECT_TRUE(CalculatesReady(With(given, Unknown::kD, in.value)));
}

}  // namespace

void PrintTo(Unknown unknown, std::ostream* out) {
  *out << NameOf(unknown);
}

}  // namespace tarnel::design
