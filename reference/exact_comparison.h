// The exact inductance of a winding beside the value a formula gave for it:
// what the window's L tooltip and `tarnel-calc --exact` show.
#pragma once

namespace tarnel::reference {

struct ExactComparison {
  // False when the winding lies outside the shapes and sizes on which the
  // exact value is verified to its stated accuracy; the two numbers are then
  // meaningless.
  bool evaluated = false;
  long double exactL = 0;     // henries, for N turns and uniform current density
  long double deviation = 0;  // formulaL / exactL - 1
};

// The shapes on which the exact value is verified to 1e-9 (docs/accuracy.md;
// its time per winding in docs/performance.md): lengthRatio H/(R1 + R2) and
// thicknessRatio (R2 - R1)/(R2 + R1) within these bounds. Beyond them the
// closed-form tail of the integral cancels to fewer and fewer digits, and
// longer windings are checked against the infinite solenoid only up to here.
inline constexpr long double kSmallestLengthRatio = 1e-7L;
inline constexpr long double kLargestLengthRatio = 1e6L;
inline constexpr long double kSmallestThicknessRatio = 1e-6L;

// True when CompareWithExact takes the winding R1, R2, H (metres): 0 <= R1 <
// R2, H > 0, all finite, a normal mean radius and a verified shape.
bool IsVerifiedShape(long double R1, long double R2, long double H);

// Compares `formulaL` (henries) for the winding R1, R2, H (metres) of
// `turnCount` turns with the exact inductance of the same winding. Works on
// any scale: the shape is evaluated in units of the mean radius.
ExactComparison CompareWithExact(long double R1, long double R2, long double H,
                                 long double turnCount, long double formulaL);

}  // namespace tarnel::reference
