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

// Compares `formulaL` (henries) for the winding R1, R2, H (metres) of
// `turnCount` turns with the exact inductance of the same winding. Works on
// any scale: the shape is evaluated in units of the mean radius.
ExactComparison CompareWithExact(long double R1, long double R2, long double H,
                                 long double turnCount, long double formulaL);

}  // namespace tarnel::reference
