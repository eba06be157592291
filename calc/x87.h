// The x87 status and control words: the only place the program reads or
// writes them.
//
// The compiler does not model the x87 control word or the fault flags, so
// each statement here is volatile (never dropped, never moved across another
// volatile statement) and clobbers memory. The ones that reset the register
// stack also declare every stack register clobbered, so that no value the
// compiler keeps there survives them, inlined or not.
#pragma once

namespace tarnel::fpu {

// Fault flags of the status word; the same bits mask them in the control word.
inline constexpr unsigned short kInvalid = 0x01;
inline constexpr unsigned short kZeroDivide = 0x04;
inline constexpr unsigned short kOverflow = 0x08;
inline constexpr unsigned short kFaultFlags = kInvalid | kZeroDivide | kOverflow;

// The working control word: every exception masked (faults are found by
// reading the flags, not by traps), 64-bit mantissa, round to nearest.
inline constexpr unsigned short kWorkingControlWord = 0x037F;

inline unsigned short StatusWord() {
  unsigned short status;
  asm volatile("fnstsw %0" : "=am"(status)::"memory");
  return status;
}

// The status word once `result` exists: the operation that produced it has
// run before the read, whatever the optimiser schedules.
inline unsigned short StatusAfter(long double result) {
  unsigned short status;
  asm volatile("fnstsw %0" : "=am"(status) : "f"(result) : "memory");
  return status;
}

inline unsigned short ControlWord() {
  unsigned short controlWord;
  asm volatile("fnstcw %0" : "=m"(controlWord)::"memory");
  return controlWord;
}

inline void LoadControlWord(unsigned short controlWord) {
  asm volatile("fldcw %0" ::"m"(controlWord) : "memory");
}

// Clears every exception flag of the status word.
inline void ClearFlags() {
  asm volatile("fnclex" ::: "memory");
}

// Clears the fault flags when one is set; reading the status word costs less
// than clearing it.
inline void ClearFaultFlags() {
  if ((StatusWord() & kFaultFlags) != 0) {
    ClearFlags();
  }
}

// Makes `value` opaque to the optimiser at this point of the program: it is
// computed before and used after, in an x87 register.
inline void Pin(long double& value) {
  asm volatile("" : "+t"(value));
}

// Puts the FPU into the working mode: an empty register stack, no pending
// flags, the working control word.
inline void SetWorkingMode() {
  const unsigned short controlWord = kWorkingControlWord;
  asm volatile(
      "fninit\n\t"
      "fldcw %0"
      :
      : "m"(controlWord)
      : "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
}

}  // namespace tarnel::fpu
