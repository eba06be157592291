#include "design/winding_figures.h"

#include "calc/constants.h"

namespace tarnel::design {

WindingFigures FiguresOf(const Winding& winding, long double turnCount) {
  WindingFigures figures;
  figures.wireLength = (turnCount * kPiApprox) * (winding.R1 + winding.R2);
  const long double wireSection = ((kPiApprox * winding.D) * winding.D) / 4;
  figures.copperMass = (figures.wireLength * wireSection) * kCopperDensity;
  return figures;
}

}  // namespace tarnel::design
