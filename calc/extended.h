// Extended: an 80-bit floating-point value whose every arithmetic operation
// is checked. An operation that is invalid (0/0, the logarithm of a negative
// number), divides a non-zero number by zero (or takes the logarithm of zero)
// or overflows raises EInvalidOp, EZeroDivide or EOverflow at once, so no
// later operation of the calculation runs and the error names the first
// fault. Underflow, denormal operands and inexact results raise nothing.
//
// The x87 fault flags are cleared before each operation and read right
// after it. Each operation is pinned between the two with empty asm
// statements that take its operands and its result as register operands:
// without them GCC may move a long double division past the flag test, or
// reuse an earlier identical result so the operation never runs in between.
#pragma once

#include <cmath>
#include <limits>

namespace tarnel {

static_assert(std::numeric_limits<long double>::digits == 64,
              "Tarnel computes in the x87 80-bit extended format (64-bit mantissa)");

namespace fpu {

// x87 status word bits.
inline constexpr unsigned short kInvalid = 0x01;
inline constexpr unsigned short kZeroDivide = 0x04;
inline constexpr unsigned short kOverflow = 0x08;

// The working control word: every exception masked (faults are found by
// reading the flags, not by traps), 64-bit mantissa, round to nearest.
inline constexpr unsigned short kWorkingControlWord = 0x037F;

// Clears fault flags left by earlier code, so that the test after an
// operation sees only what that operation raised. Reading the status word is
// cheap and clearing it is not, and a checked operation never leaves a fault
// flag set, so the clear itself rarely runs. Underflow, denormal and inexact
// flags may stay set: they are never tested.
inline void ClearFlags() {
  unsigned short status;
  asm volatile("fnstsw %0" : "=am"(status)::"memory");
  if ((status & (kInvalid | kZeroDivide | kOverflow)) != 0) {
    asm volatile("fnclex" ::: "memory");
  }
}

// Makes `value` opaque to the optimiser at this point of the program.
inline void Pin(long double& value) {
  asm volatile("" : "+t"(value)::"memory");
}

// Reads the status word once `result` exists.
inline unsigned short StatusAfter(long double result) {
  unsigned short status;
  asm volatile("fnstsw %0" : "=am"(status) : "f"(result) : "memory");
  return status;
}

// Puts the FPU into the working mode: no pending flags, working control word.
void SetWorkingMode();

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

// Raises the error of a faulted operation; returns when it did not fault.
inline void Check(unsigned short status, long double result) {
  if ((status & (kInvalid | kZeroDivide | kOverflow)) != 0 || !std::isfinite(result)) {
    RaiseFault(status, result);
  }
}

// One checked binary operation: clear the flags, pin the operands, operate,
// then read the flags that this operation alone may have set.
template <typename Operation>
inline Extended CheckedBinary(long double left, long double right, Operation operation) {
  ClearFlags();
  Pin(left);
  Pin(right);
  const long double result = operation(left, right);
  Check(StatusAfter(result), result);
  return result;
}

// One checked operation of a single operand, such as a library function.
template <typename Operation>
inline Extended CheckedUnary(long double operand, Operation operation) {
  ClearFlags();
  Pin(operand);
  const long double result = operation(operand);
  Check(StatusAfter(result), result);
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

Extended Sqrt(Extended x);
Extended Ln(Extended x);
Extended Exp(Extended x);

}  // namespace tarnel
