// Ln, Exp and Sqrt of plain long double: the library functions the checked
// Extended ones wrap, unchecked, under the names the formulas call. Only the
// formulas' long double instantiations need them.
#pragma once

#include <cmath>

namespace tarnel {

inline long double Ln(long double x) {
  return logl(x);
}
inline long double Exp(long double x) {
  return expl(x);
}
inline long double Sqrt(long double x) {
  return sqrtl(x);
}

}  // namespace tarnel
