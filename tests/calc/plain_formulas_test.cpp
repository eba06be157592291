// The inductance formulas on plain long double, the baseline of tarnel-bench:
// they must give the checked Extended results bit for bit, intermediate by
// intermediate, wherever no fault occurs, and run on through faults.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/inductance.h"

namespace tarnel {
namespace {

long double ValueOf(Extended x) {
  return x.Value();
}
long double ValueOf(long double x) {
  return x;
}

// The 80 bits of the extended format; the padding bytes are left out.
bool SameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;
}

std::string Hex(long double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%La", x);
  return buffer;
}

void ExpectSameBits(const std::vector<long double>& checked,
                    const std::vector<long double>& plain) {
  ASSERT_EQ(checked.size(), plain.size());
  for (std::size_t i = 0; i < checked.size(); ++i) {
    EXPECT_TRUE(SameBits(checked[i], plain[i]))
        << "value " << i << ": checked " << Hex(checked[i]) << ", plain " << Hex(plain[i]);
  }
}

struct Input {
  long double R1, R2, H, D, Lambda;
};

template <typename Number>
BasicFormulaInputs<Number> InputsOf(const Input& x) {
  return MakeFormulaInputs<Number>(x.R1, x.R2, x.H, x.D, x.Lambda);
}

template <typename Number>
Number EvaluationOf(const Input& x) {
  return EvaluateInductance<Number>(x.R1, x.R2, x.H, x.D, x.Lambda);
}

// The formula inputs and every intermediate the chosen formula returns.
template <typename Number>
std::vector<long double> Intermediates(const Input& x) {
  const BasicFormulaInputs<Number> in = InputsOf<Number>(x);
  std::vector<long double> values;
  const auto add = [&values](auto... numbers) { (values.push_back(ValueOf(numbers)), ...); };
  const auto addCorrection = [&add](const BasicFlatCorrectionTerms<Number>& c) {
    add(c.c1, c.c2, c.logDepthRatio, c.c3, c.flatCorrection);
  };
  add(in.R1, in.R2, in.H, in.D, in.Lambda, in.TurnCount, in.lengthRatio, in.kFactor, in.depthRatio,
      in.radiusRatio, in.thicknessRatio);
  switch (ChooseRegime(in)) {
    case InductanceRegime::kLong: {
      const auto t = LongTerms(in);
      add(t.sheetSeries, t.longMainTerm, t.logFourOverThickness, t.thicknessSeries2,
          t.thicknessSeries4, t.thicknessSeries6, t.longCorrection, t.longCorrectionTerm, t.L);
      break;
    }
    case InductanceRegime::kShort: {
      const auto t = ShortTerms(in);
      add(t.logFourOverLength, t.shortSeries, t.shortMainTerm, t.shortCorrection,
          t.shortCorrectionTerm, t.L);
      break;
    }
    case InductanceRegime::kFlat: {
      const auto t = FlatTerms(in);
      add(t.logFourOverThickness, t.flatSeries, t.flatMainTerm);
      addCorrection(t.correction);
      add(t.flatCorrectionTerm, t.L);
      break;
    }
    case InductanceRegime::kThickFlat: {
      const auto t = ThickFlatTerms(in);
      add(t.thickShapeFactor, t.radiusLogTerm, t.radiusSeries, t.thickMainTerm,
          t.logFourOverThickness);
      addCorrection(t.correction);
      add(t.thickCorrectionTerm, t.L);
      break;
    }
  }
  return values;
}

struct RegimeCase {
  const char* name;
  Input input;
  InductanceRegime regime;
};

void PrintTo(const RegimeCase& c, std::ostream* os) {
  *os << c.name;
}

class PlainFormulas : public testing::TestWithParam<RegimeCase> {};

TEST_P(PlainFormulas, ChooseTheSameRegime) {
  const RegimeCase& c = GetParam();
  EXPECT_EQ(ChooseRegime(InputsOf<Extended>(c.input)), c.regime);
  EXPECT_EQ(ChooseRegime(InputsOf<long double>(c.input)), c.regime);
}

TEST_P(PlainFormulas, GiveTheCheckedIntermediatesBitForBit) {
  ExpectSameBits(Intermediates<Extended>(GetParam().input),
                 Intermediates<long double>(GetParam().input));
}

TEST_P(PlainFormulas, GiveTheCheckedInductanceBitForBit) {
  const Input& x = GetParam().input;
  const long double checked = EvaluationOf<Extended>(x).Value();
  const long double plain = EvaluationOf<long double>(x);
  EXPECT_TRUE(SameBits(checked, plain)) << Hex(checked) << " " << Hex(plain);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Regimes, PlainFormulas, testing::Values(
    RegimeCase{"Long", {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, InductanceRegime::kLong},
    RegimeCase{"Short", {0.01L, 0.02L, 0.015L, 0.001L, 0.6L}, InductanceRegime::kShort},
    RegimeCase{"Flat", {0.02L, 0.03L, 0.004L, 0.001L, 0.6L}, InductanceRegime::kFlat},
    RegimeCase{"ThickFlat", {0.005L, 0.03L, 0.01L, 0.001L, 0.6L}, InductanceRegime::kThickFlat},
    RegimeCase{"ThickFlatZeroInnerRadius", {0.0L, 0.03L, 0.01L, 0.001L, 0.6L},
               InductanceRegime::kThickFlat}),
    [](const testing::TestParamInfo<RegimeCase>& info) { return std::string(info.param.name); });
// clang-format on

// Over a grid of coils of every shape: wherever the checked evaluation
// raises nothing, the plain one gives the same L.
TEST(PlainFormulasGrid, GiveTheCheckedInductanceWhereNothingFaults) {
  const long double innerRadii[] = {0.0L, 0.001L, 0.005L, 0.01L, 0.02L, 0.05L};
  const long double outerRadii[] = {0.002L, 0.012L, 0.03L, 0.06L, 0.2L};
  const long double heights[] = {0.001L, 0.004L, 0.01L, 0.015L, 0.03L, 0.1L, 0.5L};
  const long double wires[] = {0.001L, 0.0003L};
  std::map<InductanceRegime, int> compared;
  for (const long double R1 : innerRadii) {
    for (const long double R2 : outerRadii) {
      for (const long double H : heights) {
        for (const long double D : wires) {
          const Input x{R1, R2, H, D, 0.6L};
          long double checked = 0.0L;
          try {
            checked = EvaluationOf<Extended>(x).Value();
          } catch (const EMathError&) {
            continue;
          }
          const long double plain = EvaluationOf<long double>(x);
          EXPECT_TRUE(SameBits(checked, plain)) << R1 << " " << R2 << " " << H << " " << D << ": "
                                                << Hex(checked) << " " << Hex(plain);
          ++compared[ChooseRegime(InputsOf<Extended>(x))];
        }
      }
    }
  }
  EXPECT_EQ(compared.size(), 4U) << "a regime the grid never reached";
}

// The baseline does no checking: where the checked evaluation raises, the
// plain one returns the non-finite value the operations produce.
TEST(PlainFormulasFault, RunOnWhereTheCheckedOnesRaise) {
  const Input zeroWire{0.01L, 0.02L, 0.03L, 0.0L, 0.6L};
  EXPECT_THROW(EvaluationOf<Extended>(zeroWire), EZeroDivide);
  long double plain = 0.0L;
  EXPECT_NO_THROW(plain = EvaluationOf<long double>(zeroWire));
  EXPECT_FALSE(std::isfinite(plain));
  fpu::SetWorkingMode();
}

// Fault flags an earlier unchecked calculation left set do not make a valid
// coil raise.
TEST(ComputeInductance, IgnoresFlagsLeftByAnUncheckedCalculation) {
  const Input zeroWire{0.01L, 0.02L, 0.03L, 0.0L, 0.6L};
  const Input coil{0.01L, 0.02L, 0.03L, 0.001L, 0.6L};
  const long double expected = EvaluationOf<Extended>(coil).Value();
  EvaluationOf<long double>(zeroWire);
  long double L = 0.0L;
  ASSERT_NO_THROW(L = ComputeInductance(coil.R1, coil.R2, coil.H, coil.D, coil.Lambda).Value());
  EXPECT_TRUE(SameBits(L, expected)) << Hex(L) << " " << Hex(expected);
}

}  // namespace
}  // namespace tarnel
