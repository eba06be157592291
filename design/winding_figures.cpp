#include "design/winding_figures.h"

#include "calc/constants.h"

namespace tarnel::design {

WindingFigures FiguresOf(long double turnCount, long double R1, long double R2, long double D) {
  WindingFigures figures;
  figures.wireLength = (turnCount * kPiApprox) * (R1 + R2);
  const long double wireSection = ((kPiApprox * D) * D) / 4;
  figures.copperMass = (figures.wireLength * wireSection) * kCopperDensity;
  return figures;
}

}  // namespace tarnel::design
