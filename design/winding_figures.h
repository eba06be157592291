// What a winder needs beside N, R and L: the length of wire and its mass.
#pragma once

namespace tarnel::design {

// The density of copper, kg/m³.
inline constexpr long double kCopperDensity = 8960.0L;

struct WindingFigures {
  long double wireLength = 0;  // metres: N·PI_APPROX·(R1 + R2), the length the resistance uses
  long double copperMass = 0;  // kilograms: wireLength · PI_APPROX·D²/4 · kCopperDensity
};

// The figures of a winding of `turnCount` turns (the calculation's N) between
// the radii R1 and R2, of wire diameter D.
WindingFigures FiguresOf(long double turnCount, long double R1, long double R2, long double D);

}  // namespace tarnel::design
