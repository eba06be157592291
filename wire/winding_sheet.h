// The winder's sheet: how many whole turns in how many layers, the depth
// they build and the wire they take.
#pragma once

#include <optional>

#include "calc/winding.h"
#include "wire/winding_style.h"

namespace tarnel::wire {

struct WindingSheet {
  long long wholeTurns = 0;          // the calculation's N rounded down
  long long turnsPerLayer = 0;       // the first layer's; layered: every layer's
  long long turnsPerOtherLayer = 0;  // orthocyclic: the second layer's, one groove short
  long long layers = 0;
  long double buildDepth = 0;     // metres the layers take from R1 outwards
  long double depth = 0;          // R2 − R1, what the winding was given
  long double outerDiameter = 0;  // 2·(R1 + buildDepth)
  long double wireLength = 0;     // metres of the whole turns
  long double copperMass = 0;     // kilograms
  long double resistance = 0;     // ohms, resistivity 1.67e-8 ohm·metre
};

// The sheet of `winding` (R1, R2, H, and D the copper diameter) of
// `turnCount` turns (the calculation's N) wound in `style` from wire of
// maximum overall diameter `overallDiameter`. Nothing when a layer holds no
// turn (H below the overall diameter) while there are turns to wind.
std::optional<WindingSheet> SheetOf(const Winding& winding, long double turnCount,
                                    long double overallDiameter, WindingStyle style);

}  // namespace tarnel::wire
