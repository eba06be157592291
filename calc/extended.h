// Extended: an 80-bit floating-point value whose every arithmetic operation
// is checked. An operation that is invalid (0/0, the logarithm of a negative
// number), divides a non-zero number by zero (or takes the logarithm of zero)
// or overflows raises EInvalidOp, EZeroDivide or EOverflow before any later
// operation runs, so the error names the first fault. Underflow, denormal
// operands and inexact results raise nothing.
//
// How a fault is found. The x87 unit runs with every exception masked, and
// the masked response of a faulting +, -, * or / on finite operands is never
// finite: NaN for an invalid operation, an infinity for a division by zero
// or an overflow. So these four test their result alone, which costs no
// more than a comparison, and read the status word only to name a fault. A
// library function (ln, exp, the square root) may signal through the flags
// with a finite result, so it reads the status word once after it runs.
//
// The fault flags are sticky and no checked operation leaves one set (a
// fault resets the unit before it raises), so the flags read after an
// operation are those it raised, provided none was set when the calculation
// started: a calculation calls fpu::ClearFaultFlags once, first.
//
// Each operation pins its operands with empty volatile asm statements that
// take them as register operands, so it runs after every asm statement
// before it: without them the optimiser may run it before the calculation
// clears the flags, or merge it with an earlier identical unchecked
// operation whose flag that clear has removed, so that a division by zero
// would pass for an overflow.
#pragma once

#include <cmath>
#include <concepts>
#include <limits>

#include "x87.h"

namespace tarnel {

static_assert(std::numeric_limits<long double>::digits == 64,
              "Tarnel computes in the x87 80-bit extended format (64-bit mantissa)");

namespace fpu {

// Resets the FPU to its working mode and raises the error of the first fault
// the status word (or a non-finite result) shows.
[[noreturn]] void RaiseFault(unsigned short status, long double result);

[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();

}  // namespace fpu

class Extended {
 public:
  constexpr Extended() = default;
  constexpr Extended(long double value) : value_(value) {}  // NOLINT(google-explicit-constructor)
  constexpr Extended(int value) : value_(value) {}          // NOLINT(google-explicit-constructor)
  // A double literal has already lost the bits the extended format would keep.
  Extended(double) = delete;
  Extended(float) = delete;

  [[nodiscard]] constexpr long double Value() const { return value_; }

  friend Extended operator+(Extended a, Extended b);
  friend Extended operator-(Extended a, Extended b);
  friend Extended operator*(Extended a, Extended b);
  friend Extended operator/(Extended a, Extended b);
  friend constexpr Extended operator-(Extended a) { return Extended(-a.value_); }

  friend constexpr bool operator==(Extended a, Extended b) { return a.value_ == b.value_; }
  friend constexpr bool operator<(Extended a, Extended b) { return a.value_ < b.value_; }
  friend constexpr bool operator<=(Extended a, Extended b) { return a.value_ <= b.value_; }
  friend constexpr bool operator>(Extended a, Extended b) { return a.value_ > b.value_; }
  friend constexpr bool operator>=(Extended a, Extended b) { return a.value_ >= b.value_; }

 private:
  long double value_ = 0.0L;
};

namespace fpu {

// One checked +, -, * or /: pin the operands, operate, test the result. The
// operands are finite, so a non-finite result is a fault.
template <typename Operation>
inline Extended CheckedBinary(long double left, long double right, Operation operation) {
  Pin(left);
  Pin(right);
  const long double result = operation(left, right);
  if (!std::isfinite(result)) {
    RaiseFault(StatusAfter(result), result);
  }
  return result;
}

// One checked library function of a single operand: the status word and the
// result, read once it has run.
template <typename Operation>
inline Extended CheckedUnary(long double operand, Operation operation) {
  Pin(operand);
  const long double result = operation(operand);
  const unsigned short status = StatusAfter(result);
  if ((status & kFaultFlags) != 0 || !std::isfinite(result)) {
    RaiseFault(status, result);
  }
  return result;
}

}  // namespace fpu

inline Extended operator+(Extended a, Extended b) {
  return fpu::CheckedBinary(a.value_, b.value_, [](long double x, long double y) { return x + y; });
}
inline Extended operator-(Extended a, Extended b) {
  return fpu::CheckedBinary(a.value_, b.value_, [](long double x, long double y) { return x - y; });
}
inline Extended operator*(Extended a, Extended b) {
  return fpu::CheckedBinary(a.value_, b.value_, [](long double x, long double y) { return x * y; });
}
inline Extended operator/(Extended a, Extended b) {
  return fpu::CheckedBinary(a.value_, b.value_, [](long double x, long double y) { return x / y; });
}

// Two operations that cannot fault on a finite operand, so they skip the
// test: a division by a whole number other than 0, whose quotient is no
// larger than the dividend, and a product with a factor of magnitude at most
// 1, which is no larger than the other factor. The formulas' coefficients,
// such as x / 8 and (2.0L / 35) * x, are of these kinds; the test of the
// divisor or factor folds away where it is a constant. The parameter types
// are exact: a long double divisor or an int factor takes the checked forms.
template <std::same_as<int> Int>
Extended operator/(Extended dividend, Int divisor) {
  if (divisor == 0) {
    return dividend / Extended(divisor);
  }
  return dividend.Value() / divisor;
}
template <std::same_as<long double> LongDouble>
Extended operator*(LongDouble factor, Extended x) {
  if (factor < -1.0L || factor > 1.0L) {
    return Extended(factor) * x;
  }
  return factor * x.Value();
}

Extended Sqrt(Extended x);
Extended Ln(Extended x);
Extended Exp(Extended x);

}  // namespace tarnel
