#include "extended.h"

#include "errors.h"

namespace tarnel {
namespace fpu {

void SetWorkingMode() {
  const unsigned short controlWord = kWorkingControlWord;
  asm volatile(
      "fninit\n\t"
      "fldcw %0"
      :
      : "m"(controlWord)
      : "memory");
}

void RaiseInvalidOp() {
  SetWorkingMode();
  throw EInvalidOp();
}

void RaiseZeroDivide() {
  SetWorkingMode();
  throw EZeroDivide();
}

void RaiseFault(unsigned short status, long double result) {
  // The library's ln and exp may signal through the SSE unit rather than the
  // x87 one; a NaN or infinite result from finite operands is a fault as well.
  if ((status & kInvalid) != 0 || std::isnan(result)) {
    RaiseInvalidOp();
  }
  if ((status & kZeroDivide) != 0) {
    RaiseZeroDivide();
  }
  SetWorkingMode();
  throw EOverflow();
}

}  // namespace fpu

Extended Sqrt(Extended x) {
  long double operand = x.Value();
  fpu::ClearFlags();
  fpu::Pin(operand);
  const long double result = sqrtl(operand);
  fpu::Check(fpu::StatusAfter(result), result);
  return result;
}

Extended Ln(Extended x) {
  // The domain is checked here because the library's logl does not report
  // ln(0) and ln(<0) through the x87 flags.
  if (x.Value() == 0.0L) {
    fpu::RaiseZeroDivide();
  }
  if (x.Value() < 0.0L) {
    fpu::RaiseInvalidOp();
  }
  long double operand = x.Value();
  fpu::ClearFlags();
  fpu::Pin(operand);
  const long double result = logl(operand);
  fpu::Check(fpu::StatusAfter(result), result);
  return result;
}

Extended Exp(Extended x) {
  long double operand = x.Value();
  fpu::ClearFlags();
  fpu::Pin(operand);
  const long double result = expl(operand);
  fpu::Check(fpu::StatusAfter(result), result);
  return result;
}

}  // namespace tarnel
