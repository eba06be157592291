// What the definitions of the formulas share beyond inductance.h: RealPower
// over any of their number types and the long double Ln, Exp and Sqrt.
//
// Kept out of inductance.h on purpose. There, RealPower(2.0L, 3.0L) and
// Ln(2.0L) must mean the checked Extended functions; with these overloads in
// sight they would pick the unchecked long double ones.
#pragma once

#include <cmath>
#include <type_traits>

#include "constants.h"
#include "extended.h"
#include "inductance.h"
#include "plain_math.h"

namespace tarnel {

// RealPower for the formulas' own number type, which they call unqualified.
// The Extended form is the same function as the non-template RealPower.
template <typename Number>
Number RealPower(const Number& base, std::type_identity_t<Number> exponent);

}  // namespace tarnel
