// What a winder needs beside N, R and L, in the calculation's arithmetic
// without its checks: the turn count, the length of wire, its mass and its
// resistance.
#pragma once

#include "calc/winding.h"

namespace tarnel {

// The density of copper, kg/m³.
inline constexpr long double kCopperDensity = 8960.0L;

// The calculation's N of `winding`, grouped as it groups it.
long double TurnCountOf(const Winding& winding);

struct WindingFigures {
  long double wireLength = 0;  // metres: N·PI_APPROX·(R1 + R2), the length the resistance uses
  long double copperMass = 0;  // kilograms: wireLength · PI_APPROX·D²/4 · kCopperDensity
};

// The figures of `winding` (its radii R1, R2 and its wire diameter D) of
// `turnCount` turns, the calculation's N.
WindingFigures FiguresOf(const Winding& winding, long double turnCount);

// The DC resistance of `wireLength` metres of the copper wire of `winding`
// (its diameter D), ohms: 16·rho·length / (4·PI_APPROX·D²), rho·length over
// the wire's section.
long double WireResistance(const Winding& winding, long double wireLength);

}  // namespace tarnel
