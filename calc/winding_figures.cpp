#include "calc/winding_figures.h"

#include "calc/constants.h"

namespace tarnel {

long double TurnCountOf(const Winding& winding) {
  const long double windingArea = (winding.H * 4) * (winding.R2 - winding.R1);
  return (windingArea * winding.Lambda) / ((kPiApprox * winding.D) * winding.D);
}

WindingFigures FiguresOf(const Winding& winding, long double turnCount) {
  WindingFigures figures;
  figures.wireLength = (turnCount * kPiApprox) * (winding.R1 + winding.R2);
  const long double wireSection = ((kPiApprox * winding.D) * winding.D) / 4;
  figures.copperMass = (figures.wireLength * wireSection) * kCopperDensity;
  return figures;
}

long double WireResistance(const Winding& winding, long double wireLength) {
  const long double section = ((4 * kPiApprox) * winding.D) * winding.D;
  return (kResistivityFactor * wireLength) / section;
}

}  // namespace tarnel
