// Checked arithmetic, built at the release optimisation level: every fault
// must surface at the operation that caused it, even where a later
// operation would hide it or turn it into another fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "errors.h"
#include "extended.h"

namespace tarnel {
namespace {

// Values the optimiser cannot see through: parsed at run time.
Extended Runtime(const char* text) {
  return std::strtold(text, nullptr);
}

unsigned short StatusWord() {
  unsigned short status = 0;
  asm volatile("fnstsw %0" : "=am"(status));
  return status;
}

unsigned short ControlWord() {
  unsigned short control = 0;
  asm volatile("fnstcw %0" : "=m"(control));
  return control;
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
  EXPECT_EQ(StatusWord() & (fpu::kInvalid | fpu::kZeroDivide | fpu::kOverflow), 0);
  EXPECT_EQ(ControlWord() & 0x1F3F, fpu::kWorkingControlWord & 0x1F3F);
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

TEST(CheckedArithmeticTest, FaultIsRaisedEvenAfterTheSameUncheckedOperation) {
  fpu::SetWorkingMode();
  // The optimiser may not reuse an earlier identical, unchecked result: the
  // checked division must run between its own clear and test.
  const long double plain = one.Value() / zero.Value();
  EXPECT_TRUE(std::isinf(plain));
  EXPECT_THROW(one / zero, EZeroDivide);
}

TEST(CheckedArithmeticTest, FlagsLeftByEarlierCodeDoNotCountAgainstAnOperation) {
  fpu::SetWorkingMode();
  volatile long double sink = one.Value() / zero.Value();  // leaves the zero-divide flag set
  (void)sink;
  EXPECT_NE(StatusWord() & fpu::kZeroDivide, 0);
  EXPECT_NO_THROW(one + one);
}

TEST(CheckedArithmeticTest, ResultsAreExtendedPrecision) {
  const Extended third = one / Runtime("3");
  EXPECT_EQ(third.Value(), 1.0L / 3);
  EXPECT_NE(third.Value(), static_cast<long double>(1.0 / 3));
  EXPECT_EQ((Runtime("2") * Runtime("0.5")).Value(), 1.0L);
  EXPECT_EQ(Sqrt(Runtime("2")).Value(), sqrtl(2.0L));
  EXPECT_NEAR(Ln(Exp(Runtime("1.5"))).Value(), 1.5L, 1e-18L);
}

}  // namespace
}  // namespace tarnel
