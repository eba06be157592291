#include "field/calculated_magnet.h"

#include "calc/errors.h"
#include "calc/number_text.h"
#include "reference/exact_comparison.h"

namespace tarnel::field {

std::optional<Magnet> CalculatedMagnet(const CalculationFields& fields,
                                       const ComputedValues& values) {
  if (!values.N || !values.R || !values.R1 || !values.R2 || !values.H || !values.D) {
    return std::nullopt;
  }
  Magnet magnet;
  // A calculation that computed N read its Lambda text as a number.
  try {
    magnet.winding.Lambda = TextToNumber(TrimBlanks(fields.edLambda));
  } catch (const Exception&) {
    return std::nullopt;
  }
  magnet.winding.R1 = *values.R1;
  magnet.winding.R2 = *values.R2;
  magnet.winding.H = *values.H;
  magnet.winding.D = *values.D;
  magnet.turnCount = *values.N;
  magnet.resistance = *values.R;
  if (values.L) {
    const reference::ExactComparison comparison =
        reference::CompareWithExact(*values.R1, *values.R2, *values.H, *values.N, *values.L);
    if (comparison.evaluated) {
      magnet.exactL = comparison.exactL;
    }
  }
  return magnet;
}

}  // namespace tarnel::field
