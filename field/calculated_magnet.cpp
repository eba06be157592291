#include "field/calculated_magnet.h"

#include "reference/exact_comparison.h"

namespace tarnel::field {

std::optional<Magnet> CalculatedMagnet(const ComputedValues& values) {
  if (!values.N || !values.R || !values.winding) {
    return std::nullopt;
  }
  Magnet magnet;
  magnet.winding = *values.winding;
  magnet.turnCount = *values.N;
  magnet.resistance = *values.R;
  if (values.L) {
    const reference::ExactComparison comparison =
        reference::CompareWithExact(*values.winding, *values.N, *values.L);
    if (comparison.evaluated) {
      magnet.exactL = comparison.exactL;
    }
  }
  return magnet;
}

}  // namespace tarnel::field
