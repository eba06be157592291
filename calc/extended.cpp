#include "calc/extended.h"

#include "calc/errors.h"

namespace tarnel {
namespace fpu {

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
  return fpu::CheckedUnary(x.Value(), [](long double operand) { return sqrtl(operand); });
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
  return fpu::CheckedUnary(x.Value(), [](long double operand) { return logl(operand); });
}

Extended Exp(Extended x) {
  return fpu::CheckedUnary(x.Value(), [](long double operand) { return expl(operand); });
}

}  // namespace tarnel
