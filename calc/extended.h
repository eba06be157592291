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
// operation are those it raised, provided none was set before it. The
// validation rules of a calculation run checked operations (R2 - R1) right
// after TextToNumber, which leaves no flag set; before the turn count and
// the formulas the calculation calls fpu::ClearFaultFlags.
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

#include "calc/x87.h"

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

  // The written order. C++ leaves unspecified which operand of an
  // overloaded operator is evaluated first: in (a / b) + (c / d) the
  // compiler may divide c by d first, and the error would name that fault
  // where a / b faulted first. So a sum whose terms can fault is written one
  // term per statement, s = a / b; s += c / d; ..., and each statement ends
  // before the next begins. Within a term at most one operand of each
  // operation can fault. Both operators are checked.
  Extended& operator+=(Extended term);
  Extended& operator-=(Extended term);

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

inline Extended& Extended::operator+=(Extended term) {
  return *this = *this + term;
}
inline Extended& Extended::operator-=(Extended term) {
  return *this = *this - term;
}

// Arithmetic on Extended values that runs unchecked, where the reader sees
// it: a product with a Fraction, a constant of magnitude at most 1, is no
// larger than its other factor, and a quotient by a Whole, a whole constant
// other than 0, is no larger than its dividend; on a finite operand neither
// can overflow, divide by zero or be invalid. Both constructors are
// consteval and refuse any other value, NaN included, at compile time.
// Every other operation on an Extended is checked, but for RealPower, which
// leaves the checks only within a bound it tests at run time
// (Math<Extended>::PowerOfMagnitude, inductance.cpp).
class Fraction {
 public:
  consteval explicit Fraction(long double value) : value_(value) {
    // A NaN fails both comparisons.
    if (!(value >= -1.0L && value <= 1.0L)) {
      throw "a Fraction has a magnitude of at most 1";
    }
  }
  [[nodiscard]] constexpr long double Value() const { return value_; }

 private:
  long double value_;
};

class Whole {
 public:
  consteval explicit Whole(int value) : value_(value) {
    if (value == 0) {
      throw "a Whole divisor is not 0";
    }
  }
  [[nodiscard]] constexpr int Value() const { return value_; }

 private:
  int value_;
};

inline Extended operator*(Fraction factor, Extended x) {
  return factor.Value() * x.Value();
}
inline long double operator*(Fraction factor, long double x) {
  return factor.Value() * x;
}
inline Extended operator/(Extended dividend, Whole divisor) {
  return dividend.Value() / divisor.Value();
}
inline long double operator/(long double dividend, Whole divisor) {
  return dividend / divisor.Value();
}

Extended Sqrt(Extended x);
Extended Ln(Extended x);
Extended Exp(Extended x);

}  // namespace tarnel
