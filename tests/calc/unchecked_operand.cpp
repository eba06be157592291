// Compiled, never run, once for each value of OPERAND by the calc.unchecked
// tests: an unchecked operand on its bound compiles, one just past it must
// not.
#include "calc/extended.h"

namespace tarnel {

Extended Use(Extended x) {
  return OPERAND;
}

}  // namespace tarnel
