// What a winder needs beside N, R and L: the length of wire and its mass.
#pragma once

#include "calc/winding.h"

namespace tarnel::design {

// The density of copper, kg/m³.
inline constexpr long double kCopperDensity = 8960.0L;

struct WindingFigures {
  long double wireLength = 0;  // metres: N·PI_APPROX·(R1 + R2), the length the resistance uses
  long double copperMass = 0;  // kilograms: wireLength · PI_APPROX·D²/4 · kCopperDensity
};

// The figures of `winding` (its radii R1, R2 and its wire diameter D) of
// `turnCount` turns, the calculation's N.
WindingFigures FiguresOf(const Winding& winding, long double turnCount);

}  // namespace tarnel::design
