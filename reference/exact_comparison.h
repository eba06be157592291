// The exact inductance of a winding beside the value a formula gave for it:
// what the window's L tooltip and `tarnel-calc --exact` show.
#pragma once

#include "calc/winding.h"

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
// R2, H > 0, all finite, a normal mean radius and a verified shape. D and
// Lambda play no part.
bool IsVerifiedShape(const Winding& winding);
// NOLINTBEGIN(bugprone-easily-swappable-parameters): lengths in the order
// a Winding holds them, for a shape that is not quite one: the same radii
// with a height of the caller's choosing, or a winding scaled to a mean
// radius of 1.

// The same for the radii and a height of the caller's choosing.
bool IsVerifiedShape(long double R1, long double R2, long double H);

// L/N^2 (henries) of the winding r1, r2, h in units of its mean radius: the
// exact value at a mean radius of 1 m.
using PerTurnSquaredAtUnitRadius = long double (*)(long double r1, long double r2, long double h);
long double ExactPerTurnSquaredAtUnitRadius(long double r1, long double r2, long double h);

// NOLINTEND(bugprone-easily-swappable-parameters)

// Compares `formulaL` (henries) for `winding` of `turnCount` turns with the
// exact inductance of the same winding (R1, R2 and H; D and Lambda play no
// part). Works on any scale: the shape is evaluated in units of the mean
// radius, by `evaluate` (the reference itself; tests put a stand-in there).
//
// What it raises, and what a caller does:
// - nothing for a winding it does not evaluate: outside the verified shapes,
//   a number beyond the range, or an evaluation that raises
//   std::runtime_error (an integral that does not converge). All of these
//   give `evaluated` false, here and nowhere else; a caller shows "not
//   evaluated" (the window's tooltip text, NA in tarnel-calc) and goes on.
// - std::logic_error (std::invalid_argument and std::domain_error among
//   them) for a fault in the program: a verified shape handed on to a part
//   of the reference outside its domain. It is passed on unchanged; a caller
//   does not turn it into "not evaluated" but reports it as the error it is,
//   from the handler that reports its other errors.
ExactComparison CompareWithExact(
    const Winding& winding, long double turnCount, long double formulaL,
    PerTurnSquaredAtUnitRadius evaluate = ExactPerTurnSquaredAtUnitRadius);

}  // namespace tarnel::reference
