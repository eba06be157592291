// What the definitions of the formulas share beyond inductance.h: the
// functions of each number type, RealPower over both and the scale every term
// in henries starts from.
//
// The formulas take each square once, as a named value where it is first
// written (l2 = l * l). A square can only overflow, like the products and
// sums it is taken ahead of, so the first fault stays the same.
#pragma once

#include <cmath>
#include <type_traits>

#include "calc/constants.h"
#include "calc/extended.h"
#include "calc/inductance.h"

namespace tarnel {

// The library functions the formulas call, for each of their number types,
// named where they are called (Math<Number>::Ln) so that the arithmetic of a
// call never depends on which overloads are in sight.
template <typename Number>
struct Math;

// Checked: the first fault raises.
template <>
struct Math<Extended> {
  static Extended Ln(Extended x) { return tarnel::Ln(x); }
  static Extended Exp(Extended x) { return tarnel::Exp(x); }
  static Extended Sqrt(Extended x) { return tarnel::Sqrt(x); }
  // e^(exponent·ln(magnitude)) for magnitude > 0.
  static Extended PowerOfMagnitude(Extended magnitude, Extended exponent);
};

// Unchecked: the library's own functions, running on through faults.
template <>
struct Math<long double> {
  static long double Ln(long double x) { return logl(x); }
  static long double Exp(long double x) { return expl(x); }
  static long double Sqrt(long double x) { return sqrtl(x); }
  // NOLINTNEXTLINE(bugprone-easily-swappable-parameters): base then exponent, as in the formulas
  static long double PowerOfMagnitude(long double magnitude, long double exponent) {
    const long double logMagnitude = logl(magnitude);
    return expl(exponent * logMagnitude);
  }
};

// RealPower for the formulas' own number type, which they call unqualified.
// The Extended form is the same function as the non-template RealPower.
template <typename Number>
Number RealPower(const Number& base, std::type_identity_t<Number> exponent);

// ((factor·N)·N)·(R1 + R2): the start of every term in henries, the square
// of N formed before the sum of the radii.
template <typename Number>
Number TurnsScale(Fraction factor, const BasicFormulaInputs<Number>& in) {
  const Number scaledSquare = (factor * in.TurnCount) * in.TurnCount;
  const Number radiusSum = in.R1 + in.R2;
  return scaledSquare * radiusSum;
}

}  // namespace tarnel
