// The magnet a calculation describes: what the window and tarnel-calc hand
// to the field figures.
#pragma once

#include <optional>

#include "calc/calculation_request.h"
#include "field/magnet_figures.h"

namespace tarnel::field {

// The winding, N and R of a calculation that computed them, with the exact
// inductance where the calculation gave an L and the exact value is verified
// for the shape; nothing without N and R.
std::optional<Magnet> CalculatedMagnet(const ComputedValues& values);

}  // namespace tarnel::field
