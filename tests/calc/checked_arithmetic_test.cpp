// Checked arithmetic, built at the release optimisation level: every fault
// must surface at the operation that caused it, even where a later
// operation would hide it or turn it into another fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "calc/calculation_request.h"
#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/inductance.h"
#include "calc/number_text.h"
#include "calc/x87.h"

namespace tarnel {
namespace {

// Values the optimiser cannot see through: parsed at run time.
Extended Runtime(const char* text) {
  return std::strtold(text, nullptr);
}

enum class Fault { kNone, kInvalid, kZeroDivide, kOverflow };

Fault FaultOf(const std::function<Extended()>& operation) {
  try {
    operation();
  } catch (const EInvalidOp&) {
    return Fault::kInvalid;
  } catch (const EZeroDivide&) {
    return Fault::kZeroDivide;
  } catch (const EOverflow&) {
    return Fault::kOverflow;
  }
  return Fault::kNone;
}

struct FaultCase {
  const char* name;
  std::function<Extended()> operation;
  Fault expected;
  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class CheckedArithmeticTest : public testing::TestWithParam<FaultCase> {
 protected:
  void SetUp() override { fpu::SetWorkingMode(); }
};

TEST_P(CheckedArithmeticTest, RaisesTheFirstFault) {
  EXPECT_EQ(FaultOf(GetParam().operation), GetParam().expected);
  // Whatever happened, no fault is left pending for the next calculation.
  EXPECT_EQ(fpu::StatusWord() & fpu::kFaultFlags, 0);
  EXPECT_EQ(fpu::ControlWord() & 0x1F3F, fpu::kWorkingControlWord & 0x1F3F);
}

const Extended one = Runtime("1");
const Extended zero = Runtime("0");
const Extended huge = Runtime("1e4000");
const Extended tiny = Runtime("1e-4000");
const Extended denormal = Runtime("1e-4940");

INSTANTIATE_TEST_SUITE_P(
    Operations, CheckedArithmeticTest,
    testing::Values(
        FaultCase{"divide_by_zero", [] { return one / zero; }, Fault::kZeroDivide},
        FaultCase{"zero_by_zero", [] { return zero / zero; }, Fault::kInvalid},
        FaultCase{"multiply_overflow", [] { return huge * huge; }, Fault::kOverflow},
        FaultCase{"add_overflow", [] { return Runtime("1e4932") + Runtime("1e4932"); },
                  Fault::kOverflow},
        FaultCase{"subtract_overflow", [] { return Runtime("-1e4932") - Runtime("1e4932"); },
                  Fault::kOverflow},
        FaultCase{"divide_overflow", [] { return huge / tiny; }, Fault::kOverflow},
        FaultCase{"underflow_is_silent", [] { return tiny * tiny; }, Fault::kNone},
        FaultCase{"denormal_operand_is_silent", [] { return denormal * one; }, Fault::kNone},
        FaultCase{"inexact_is_silent", [] { return one / Runtime("3"); }, Fault::kNone},
        FaultCase{"sqrt_of_negative", [] { return Sqrt(-one); }, Fault::kInvalid},
        FaultCase{"ln_of_zero", [] { return Ln(zero); }, Fault::kZeroDivide},
        FaultCase{"ln_of_negative_zero", [] { return Ln(-zero); }, Fault::kZeroDivide},
        FaultCase{"ln_of_negative", [] { return Ln(-one); }, Fault::kInvalid},
        FaultCase{"exp_overflow", [] { return Exp(Runtime("11357")); }, Fault::kOverflow},
        FaultCase{"exp_underflow_is_silent", [] { return Exp(Runtime("-12000")); }, Fault::kNone},
        // A Whole divisor and a Fraction factor skip the test; plain
        // divisors and factors keep it.
        FaultCase{"divide_by_whole_zero", [] { return one / 0; }, Fault::kZeroDivide},
        FaultCase{"divide_by_whole_number", [] { return Runtime("1e4932") / Whole(3); },
                  Fault::kNone},
        FaultCase{"divide_by_negative_whole", [] { return Runtime("1e4932") / Whole(-1); },
                  Fault::kNone},
        FaultCase{"divide_by_half_overflows", [] { return Runtime("1e4932") / 0.5L; },
                  Fault::kOverflow},
        FaultCase{"fraction_minus_one", [] { return Fraction(-1.0L) * Runtime("1e4932"); },
                  Fault::kNone},
        FaultCase{"fraction_one", [] { return Fraction(1.0L) * Runtime("1e4932"); }, Fault::kNone},
        FaultCase{"plain_small_factor_is_checked", [] { return 0.5L * (huge * huge); },
                  Fault::kOverflow},
        FaultCase{"factor_above_one_overflows", [] { return 1.5L * Runtime("1e4932"); },
                  Fault::kOverflow},
        FaultCase{"whole_factor_overflows", [] { return 2 * Runtime("1e4932"); }, Fault::kOverflow},
        // A later operation would turn the first fault into another one:
        // inf - inf is invalid, inf * 0 is invalid, inf / inf is invalid.
        FaultCase{"zero_divide_before_invalid", [] { return (one / zero) - (one / zero); },
                  Fault::kZeroDivide},
        FaultCase{"overflow_before_invalid", [] { return (huge * huge) * zero; }, Fault::kOverflow},
        FaultCase{"overflow_before_masking_divide",
                  [] {
                    const Extended first = huge * huge;
                    return first / first;
                  },
                  Fault::kOverflow},
        // A later operation would hide it: x / 0 then 1 / that gives 0.
        FaultCase{"zero_divide_hidden_by_reciprocal", [] { return one / (one / zero); },
                  Fault::kZeroDivide},
        FaultCase{"overflow_hidden_by_reciprocal", [] { return one / (huge * huge); },
                  Fault::kOverflow}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// Two operands of one operation that both fault, each a quotient a / b:
// whatever order the compiler prefers, the fault of the one written first
// is raised. The function is not inlined, so its operands and results stay
// in x87 registers across the checks; there only the pins of each checked
// operation keep it after the start of the calculation (which clears the
// flags) and apart from the other operation.
struct PairCase {
  const char* name;
  long double a, b, c, d;  // (a / b) + (c / d)
  Fault expected;
  friend void PrintTo(const PairCase& p, std::ostream* os) { *os << p.name; }
};

[[gnu::noinline]] Extended SumOfQuotients(Extended a, Extended b, Extended c, Extended d) {
  fpu::ClearFaultFlags();
  Extended sum = a / b;
  sum += c / d;
  return sum;
}

[[gnu::noinline]] Extended QuotientOfQuotients(Extended a, Extended b, Extended c, Extended d) {
  fpu::ClearFaultFlags();
  const Extended numerator = a / b;
  const Extended denominator = c / d;
  return numerator / denominator;
}

class WrittenOrderTest : public testing::TestWithParam<PairCase> {
 protected:
  void SetUp() override {
    fpu::SetWorkingMode();
    // A fault flag left set by earlier code: the calculation clears it.
    volatile long double sink = one.Value() / zero.Value();
    (void)sink;
  }
};

TEST_P(WrittenOrderTest, TheFirstWrittenFaultWins) {
  const PairCase& p = GetParam();
  EXPECT_EQ(FaultOf([&p] { return SumOfQuotients(p.a, p.b, p.c, p.d); }), p.expected);
  EXPECT_EQ(FaultOf([&p] { return QuotientOfQuotients(p.a, p.b, p.c, p.d); }), p.expected);
}

// 1 / 0 divides by zero, 0 / 0 is invalid, 1e4000 / 1e-4000 overflows.
INSTANTIATE_TEST_SUITE_P(
    Pairs, WrittenOrderTest,
    testing::Values(
        PairCase{"zero_divide_then_overflow", 1, 0, 1e4000L, 1e-4000L, Fault::kZeroDivide},
        PairCase{"overflow_then_zero_divide", 1e4000L, 1e-4000L, 1, 0, Fault::kOverflow},
        PairCase{"invalid_then_zero_divide", 0, 0, 1, 0, Fault::kInvalid},
        PairCase{"zero_divide_then_invalid", 1, 0, 0, 0, Fault::kZeroDivide},
        PairCase{"invalid_then_overflow", 0, 0, 1e4000L, 1e-4000L, Fault::kInvalid},
        PairCase{"overflow_then_invalid", 1e4000L, 1e-4000L, 0, 0, Fault::kOverflow}),
    [](const testing::TestParamInfo<PairCase>& info) { return std::string(info.param.name); });

// The same quotient plain, then checked once a calculation has started,
// with the operands and both results in x87 registers. The pins keep the
// checked division after the start: were it merged with the plain one, the
// start would have cleared its flag and the infinity would pass for an
// overflow.
[[gnu::noinline]] long double PlainThenChecked(long double a, long double b) {
  const long double plain = a / b;
  fpu::ClearFaultFlags();
  const Extended checked = Extended(a) / Extended(b);
  return plain + checked.Value();
}

TEST(CheckedArithmeticTest, FaultIsRaisedEvenAfterTheSameUncheckedOperation) {
  fpu::SetWorkingMode();
  EXPECT_THROW(PlainThenChecked(one.Value(), zero.Value()), EZeroDivide);
}

TEST(CheckedArithmeticTest, FlagsLeftByEarlierCodeDoNotCountAgainstACalculation) {
  SetDecimalMark('.');
  const auto leaveAFlagSet = [] {
    fpu::SetWorkingMode();
    volatile long double sink = one.Value() / zero.Value();
    (void)sink;
    ASSERT_NE(fpu::StatusWord() & fpu::kZeroDivide, 0);
  };
  leaveAFlagSet();
  EXPECT_NO_THROW(ComputeInductance(0.01L, 0.02L, 0.03L, 0.001L, 0.6L));
  leaveAFlagSet();
  CalculationFields fields = StartupFields();
  EXPECT_NO_THROW(RunCalculation(fields));
  EXPECT_EQ(fields.edMessage, kReadyMessage);
}

TEST(CheckedArithmeticTest, ResultsAreExtendedPrecision) {
  const Extended third = one / Runtime("3");
  EXPECT_EQ(third.Value(), 1.0L / 3);
  EXPECT_NE(third.Value(), static_cast<long double>(1.0 / 3));
  EXPECT_EQ((Runtime("2") * Runtime("0.5")).Value(), 1.0L);
  EXPECT_EQ((one / 3).Value(), 1.0L / 3);
  EXPECT_EQ(((1.0L / 3) * Runtime("3")).Value(), (1.0L / 3) * 3);
  EXPECT_EQ(Sqrt(Runtime("2")).Value(), sqrtl(2.0L));
  EXPECT_NEAR(Ln(Exp(Runtime("1.5"))).Value(), 1.5L, 1e-18L);
}

}  // namespace
}  // namespace tarnel
