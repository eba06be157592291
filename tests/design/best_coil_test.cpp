#include "design/best_coil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "calc/calculation_request.h"
#include "calc/constants.h"
#include "calc/number_text.h"
#include "calc/validation_rules.h"
#include "design/target_inductance.h"
#include "reference/exact_comparison.h"

namespace tarnel::design {
namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// The window's words of the rules the cases expect, from the rules table.
constexpr const char* kRuleDWithinH = kValidationRules[2].message;
constexpr const char* kRuleLambdaBelowOne = kValidationRules[4].message;
constexpr const char* kRuleDAboveZero = kValidationRules[5].message;
constexpr const char* kRuleR1NotNegative = kValidationRules[6].message;

long double TurnsOf(const tarnel::Winding& w) {
  return (4 * w.Lambda * (w.R2 - w.R1) * w.H) / (kPiApprox * w.D * w.D);
}

long double WireOf(const tarnel::Winding& w) {
  return TurnsOf(w) * kPiApprox * (w.R1 + w.R2);
}

// The exact L of the texts as `tarnel-calc --exact` gives it: the texts
// calculated, the reference on the calculation's N. Nothing when the texts
// break a rule or the reference declines the shape.
std::optional<long double> ExactLOfTexts(const CalculationFields& texts) {
  CalculationFields fields = texts;
  ComputedValues values;
  RunCalculation(fields, &values);
  if (fields.edMessage != kReadyMessage) {
    return std::nullopt;
  }
  const reference::ExactComparison comparison =
      reference::CompareWithExact(*values.winding, *values.N, 1.0L);
  if (!comparison.evaluated) {
    return std::nullopt;
  }
  return comparison.exactL;
}

std::string LongText(long double value) {
  return FormatNumber(value, CScientificFormat(21, DecimalMark()));
}

std::optional<long double> ExactL(const tarnel::Winding& w) {
  CalculationFields fields;
  fields.edR1 = LongText(w.R1);
  fields.edR2 = LongText(w.R2);
  fields.edH = LongText(w.H);
  fields.edD = LongText(w.D);
  fields.edLambda = LongText(w.Lambda);
  return ExactLOfTexts(fields);
}

// The calculation itself is the oracle of the rules: the texts calculate to
// "Готов ...", and the reference takes the shape.
::testing::AssertionResult Calculates(const tarnel::Winding& w) {
  if (!ExactL(w)) {
    return ::testing::AssertionFailure() << "breaks a rule or is not verified";
  }
  return ::testing::AssertionSuccess();
}

BestCoilRequest Free(long double targetL, long double D = 1e-3L, long double Lambda = 0.6L) {
  BestCoilRequest request;
  request.winding.D = D;
  request.winding.Lambda = Lambda;
  request.targetL = targetL;
  return request;
}

void ExpectSound(const BestCoilRequest& request, const BestCoil& coil) {
  ASSERT_TRUE(coil.solved) << coil.message;
  EXPECT_TRUE(Calculates(coil.winding));
  const std::optional<long double> L = ExactL(coil.winding);
  ASSERT_TRUE(L);
  EXPECT_LE(std::fabs(*L / request.targetL - 1), kBestCoilTolerance);
  EXPECT_NEAR(coil.wireLength / WireOf(coil.winding), 1, 1e-15L);
  const auto within = [](long double value, const DimensionChoice& choice, long double kept) {
    return choice.kept ? value == kept : value >= choice.lowest && value <= choice.highest;
  };
  EXPECT_TRUE(within(coil.winding.R1, request.R1, request.winding.R1));
  EXPECT_TRUE(within(coil.winding.R2, request.R2, request.winding.R2));
  EXPECT_TRUE(within(coil.winding.H, request.H, request.winding.H));
}

// --- The free coil against Brooks -----------------------------------------

// The Brooks coil R1 = c, R2 = 2c, H = c gives L = 2.5491e-6·c·N² (c in
// metres); its exact L lies about 1.3e-5 below. The free best coil is a few
// hundredths away in shape, needs no more wire than the Brooks coil of the
// same exact L, and has the same ratios whatever the target and wire.
struct FreeCase {
  long double targetL;
  long double D;
  long double Lambda;
};

void PrintTo(const FreeCase& c, std::ostream* out) {
  *out << static_cast<double>(c.targetL) << " H";
}

class FreeBestCoil : public ::testing::TestWithParam<FreeCase> {};

TEST_P(FreeBestCoil, BeatsTheBrooksCoilWithTheSameShape) {
  const FreeCase& c = GetParam();
  const BestCoilRequest request = Free(c.targetL, c.D, c.Lambda);
  const BestCoil best = FindBestCoil(request);
  ExpectSound(request, best);

  // The Brooks coil of the same exact L: its c from the formula, then
  // scaled by the L ∝ c⁵ law onto the exact value.
  const long double n = 4 * c.Lambda / (kPiApprox * c.D * c.D);
  long double size = std::pow(c.targetL / (2.5491e-6L * n * n), 0.2L);
  tarnel::Winding brooks{size, 2 * size, size, c.D, c.Lambda};
  const long double formulaL = 2.5491e-6L * size * TurnsOf(brooks) * TurnsOf(brooks);
  const std::optional<long double> brooksExact = ExactL(brooks);
  ASSERT_TRUE(brooksExact);
  EXPECT_NEAR(*brooksExact / formulaL - 1, -1.3e-5L, 0.3e-5L);
  size *= std::pow(c.targetL / *brooksExact, 0.2L);
  brooks = {size, 2 * size, size, c.D, c.Lambda};

  EXPECT_LE(best.wireLength, WireOf(brooks));
  EXPECT_GT(best.wireLength, WireOf(brooks) * (1 - 1e-3L));
  EXPECT_NEAR(best.winding.R2 / best.winding.R1, 2.01L, 0.01L);
  EXPECT_NEAR(best.winding.H / best.winding.R1, 1.035L, 0.01L);
  const BestShape shape = FreeBestShape();
  EXPECT_NEAR(best.winding.R2 / best.winding.R1 / shape.outerRatio, 1, 1e-12L);
  EXPECT_NEAR(best.winding.H / best.winding.R1 / shape.heightRatio, 1, 1e-12L);
}

INSTANTIATE_TEST_SUITE_P(Targets, FreeBestCoil,
                         ::testing::Values(FreeCase{1e-3L, 1e-3L, 0.6L},
                                           FreeCase{3.3e-3L, 1e-3L, 0.6L},
                                           FreeCase{1e-6L, 1e-4L, 0.3L},
                                           FreeCase{10, 2e-3L, 0.8L}));

// The free shape is the least of its wire figure: no neighbouring shape at
// the same exact L needs less wire.
TEST(FreeBestShape, NoNeighbourNeedsLessWire) {
  const BestCoil best = FindBestCoil(Free(1.5e-3L));
  ASSERT_TRUE(best.solved);
  for (const long double da : {-0.02L, 0.02L}) {
    for (const long double db : {-0.02L, 0.0L, 0.02L}) {
      tarnel::Winding w = best.winding;
      const long double a = w.R2 / w.R1 + da;
      const long double b = w.H / w.R1 + db;
      for (int i = 0; i < 3; ++i) {
        w.R2 = w.R1 * a;
        w.H = w.R1 * b;
        w.R1 *= std::pow(1.5e-3L / *ExactL(w), 0.2L);
      }
      w.R2 = w.R1 * a;
      w.H = w.R1 * b;
      EXPECT_GT(WireOf(w), best.wireLength) << da << " " << db;
    }
  }
}

// --- Against a scan made with the existing solve -------------------------

// R1 kept (a former): H scanned finely, R2 solved for the target at each
// height; the best coil needs no more wire than the best of the scan and
// lies between its neighbours.
TEST(BestCoilWithAFormer, NeedsNoMoreWireThanAScanOfTheSolve) {
  struct Case {
    long double R1;
    long double targetL;
  };
  for (const Case c : {Case{0.01L, 1.5e-3L}, Case{0.002L, 1e-4L}, Case{0.03L, 3.3e-3L}}) {
    BestCoilRequest request = Free(c.targetL);
    request.R1.kept = true;
    request.winding.R1 = c.R1;
    const BestCoil best = FindBestCoil(request);
    ExpectSound(request, best);
    long double bestScanWire = kInfinity;
    long double bestScanH = 0;
    const long double step = 1.01L;
    for (long double H = best.winding.H / 1.3L; H < best.winding.H * 1.3L; H *= step) {
      const Design design = SolveForInductance(
          Winding{c.R1, 0, H, request.winding.D, request.winding.Lambda}, Unknown::kR2, c.targetL);
      ASSERT_EQ(design.outcome, Design::Outcome::kSolved);
      const long double wire = WireOf({c.R1, design.value, H, 1e-3L, 0.6L});
      if (wire < bestScanWire) {
        bestScanWire = wire;
        bestScanH = H;
      }
    }
    EXPECT_LE(best.wireLength, bestScanWire * (1 + 1e-12L)) << c.R1;
    EXPECT_GT(best.wireLength, bestScanWire * (1 - 1e-4L)) << c.R1;
    EXPECT_NEAR(best.winding.H / bestScanH, 1, 0.011L) << c.R1;
  }
}

// --- Bounds ----------------------------------------------------------------

// Each bound inactive (the free best coil again) and active (the coil on
// it, with more wire than the free one).
struct BoundCase {
  const char* name;
  DimensionChoice R1;
  DimensionChoice R2;
  DimensionChoice H;
  // The dimension the bound holds: 0 none, 1 R1, 2 R2, 3 H, at `onBound`.
  int bound;
  long double onBound;
};

void PrintTo(const BoundCase& c, std::ostream* out) {
  *out << c.name;
}

class BestCoilBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(BestCoilBounds, HoldTheCoilOnlyWhereTheyBind) {
  const BoundCase& c = GetParam();
  const BestCoil free = FindBestCoil(Free(1.5e-3L));
  BestCoilRequest request = Free(1.5e-3L);
  request.R1 = c.R1;
  request.R2 = c.R2;
  request.H = c.H;
  const BestCoil best = FindBestCoil(request);
  ExpectSound(request, best);
  if (c.bound == 0) {
    EXPECT_EQ(best.winding.R1, free.winding.R1);
    EXPECT_EQ(best.winding.R2, free.winding.R2);
    EXPECT_EQ(best.winding.H, free.winding.H);
    return;
  }
  const long double held = c.bound == 1   ? best.winding.R1
                           : c.bound == 2 ? best.winding.R2
                                          : best.winding.H;
  EXPECT_EQ(held, c.onBound);
  EXPECT_GT(best.wireLength, free.wireLength * (1 + 1e-4L));
}

DimensionChoice AtLeast(long double value) {
  return DimensionChoice{false, value, kInfinity};
}
DimensionChoice AtMost(long double value) {
  return DimensionChoice{false, 0, value};
}
constexpr DimensionChoice kFree{};

// The free best coil for 1.5 mH, 1 mm wire, Lambda 0.6: R1 0.01563, R2
// 0.03141, H 0.01616.
INSTANTIATE_TEST_SUITE_P(
    EachBound, BestCoilBounds,
    ::testing::Values(BoundCase{"R1AboveInactive", AtLeast(0.01L), kFree, kFree, 0, 0},
                      BoundCase{"R1AboveActive", AtLeast(0.02L), kFree, kFree, 1, 0.02L},
                      BoundCase{"R1BelowActive", AtMost(0.005L), kFree, kFree, 1, 0.005L},
                      BoundCase{"R2BelowInactive", kFree, AtMost(0.04L), kFree, 0, 0},
                      BoundCase{"R2BelowActive", kFree, AtMost(0.025L), kFree, 2, 0.025L},
                      BoundCase{"R2AboveActive", kFree, AtLeast(0.05L), kFree, 2, 0.05L},
                      BoundCase{"HBelowInactive", kFree, kFree, AtMost(0.02L), 0, 0},
                      BoundCase{"HBelowActive", kFree, kFree, AtMost(0.01L), 3, 0.01L},
                      BoundCase{"HAboveActive", kFree, kFree, AtLeast(0.04L), 3, 0.04L},
                      BoundCase{"FormerAndCan", AtLeast(0.03L), AtMost(0.035L), kFree, 2, 0.035L}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Impossible requests name their stop ----------------------------------

struct StopCase {
  const char* name;
  BestCoilRequest request;
  const char* message;
};

void PrintTo(const StopCase& c, std::ostream* out) {
  *out << c.name;
}

class BestCoilStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(BestCoilStops, NameTheBoundOrRule) {
  const BestCoil coil = FindBestCoil(GetParam().request);
  EXPECT_FALSE(coil.solved);
  EXPECT_EQ(coil.message, GetParam().message);
}

BestCoilRequest WithChoices(BestCoilRequest request, DimensionChoice R1, DimensionChoice R2,
                            DimensionChoice H) {
  request.R1 = R1;
  request.R2 = R2;
  request.H = H;
  return request;
}

BestCoilRequest Kept(BestCoilRequest request, long double R1, long double R2, long double H) {
  request.winding.R1 = R1;
  request.winding.R2 = R2;
  request.winding.H = H;
  return request;
}

const DimensionChoice kKept{true, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Stops, BestCoilStops,
    ::testing::Values(
        StopCase{"CanAndBobbinTooSmall",
                 WithChoices(Free(1.5e-3L), kFree, AtMost(0.02L), AtMost(0.01L)),
                 "Катушку не подобрать: мешает верхняя граница R2"},
        StopCase{"FormerAboveCan", WithChoices(Free(1.5e-3L), AtLeast(0.05L), AtMost(0.04L), kFree),
                 "Катушку не подобрать: мешает нижняя граница R1"},
        StopCase{"BoundsCrossed", WithChoices(Free(1.5e-3L), kFree, kFree, {false, 0.02L, 0.01L}),
                 "Катушку не подобрать: мешает верхняя граница H"},
        StopCase{"BobbinBelowTheWire", WithChoices(Free(1.5e-3L), kFree, kFree, AtMost(5e-4L)),
                 kRuleDWithinH},
        StopCase{"KeptFormerWithinTheWire",
                 Kept(WithChoices(Free(1.5e-3L), kKept, AtMost(0.0105L), kFree), 0.01L, 0, 0),
                 "Катушку не подобрать: мешает верхняя граница R2"},
        StopCase{"TwoKept", Kept(WithChoices(Free(1.5e-3L), kKept, kKept, kFree), 0.01L, 0.02L, 0),
                 "Свободными должны быть хотя бы два из R1, R2 и H"},
        StopCase{"NoTarget", Free(0), "Введите L > 0"},
        StopCase{"LambdaOne", Free(1e-3L, 1e-3L, 1), kRuleLambdaBelowOne},
        StopCase{"NoWire", Free(1e-3L, 0, 0.6L), kRuleDAboveZero},
        StopCase{"NegativeFormer",
                 Kept(WithChoices(Free(1.5e-3L), kKept, kFree, kFree), -0.01L, 0, 0),
                 kRuleR1NotNegative}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Written coils --------------------------------------------------------

// The texts read back give a coil that calculates, keeps its bounds and
// gives the target to the promised tolerance with 10 digits; with 4 digits
// it is the nearest the texts come, still calculable and stated truly.
TEST(WrittenBestCoil, KeepsEveryPromiseOnItsTexts) {
  const std::array<BestCoilRequest, 6> requests = {
      // A thin wall on a wide former: L follows R2 and R1 steeply.
      Kept(WithChoices(Free(1e-3L, 1e-5L), kKept, kFree, kFree), 0.002L, 0, 0),
      Free(1.5e-3L),
      // A can whose nearest 10-digit text lies outside it.
      WithChoices(Free(1e-3L), kFree, AtMost(0.0212345678962345L), kFree),
      WithChoices(Free(2.2e-3L), AtLeast(0.02L), kFree, kFree),
      WithChoices(Free(1e-3L), kFree, AtMost(0.02L), kFree),
      Kept(WithChoices(Free(3.3e-3L), kKept, kFree, kFree), 0.012345678912345L, 0, 0),
  };
  for (const int digits : {10, 4}) {
    for (BestCoilRequest request : requests) {
      // The wire as the calculation reads it back from its texts.
      CalculationFields texts;
      texts.edD = LongText(request.winding.D);
      texts.edLambda = LongText(request.winding.Lambda);
      request.winding.D = TextToNumber(texts.edD);
      request.winding.Lambda = TextToNumber(texts.edLambda);
      const BestCoil best = FindBestCoil(request);
      ASSERT_TRUE(best.solved) << best.message;
      const NumberFormat format = CScientificFormat(digits, DecimalMark());
      const WrittenCoil written =
          WriteBestCoil(request, best, format, digits == 10 ? kBestCoilTolerance : 0);
      ASSERT_TRUE(written.solved) << written.coil.message;
      texts.edR1 = written.R1;
      texts.edR2 = written.R2;
      texts.edH = written.H;
      EXPECT_EQ(TextToNumber(written.R1), written.coil.winding.R1);
      EXPECT_EQ(TextToNumber(written.R2), written.coil.winding.R2);
      EXPECT_EQ(TextToNumber(written.H), written.coil.winding.H);
      EXPECT_EQ(FormatNumber(written.coil.winding.R2, format), written.R2);
      const std::optional<long double> L = ExactLOfTexts(texts);
      ASSERT_TRUE(L) << written.R1 << " " << written.R2 << " " << written.H;
      EXPECT_EQ(*L, written.coil.exactL);
      EXPECT_LE(std::fabs(*L / request.targetL - 1), digits == 10 ? kBestCoilTolerance : 2e-3L);
      EXPECT_GE(written.coil.winding.R1, request.R1.kept ? 0 : request.R1.lowest);
      EXPECT_LE(written.coil.winding.R2, request.R2.highest);
    }
  }
}

}  // namespace
}  // namespace tarnel::design
