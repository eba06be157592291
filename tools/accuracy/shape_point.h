// One point of the accuracy sweep: the calculator's inductance for a
// winding shape, obtained through the very request the window runs, beside
// the exact inductance of the same winding.
#pragma once

#include <optional>
#include <string>

#include "calc/inductance.h"
#include "calc/winding.h"
#include "tools/accuracy/sweep_grid.h"

namespace tarnel::accuracy {

// The winding behind every shape: mean radius 1 m, so R1 = 1 - thickness
// ratio, R2 = 1 + thickness ratio, H = 2 length ratio; a wire of 1 mm (thin
// enough for every shape of the grid) with packing factor 0.5.
inline constexpr double kWireDiameter = 1e-3;
inline constexpr double kPackingFactor = 0.5;

struct ShapePoint {
  WindingShape shape;
  // The dimensions as the calculator read them from its texts.
  Winding winding;
  // The formula the calculator chose.
  std::optional<InductanceRegime> regime;
  long double turns = 0;                  // N from the request
  std::optional<long double> inductance;  // L from the request, henries
  long double exactInductance = 0;        // exact L/N^2 times N^2, henries
  // (L - exact)/exact; empty when the calculator gave no L.
  std::optional<double> relativeError;
  // Why the calculator gave no L: its message or its error.
  std::string failure;
};

// Runs the calculation request on the texts of `shape` and the exact
// inductance on the dimensions it read. The decimal separator is the
// current DecimalMark().
ShapePoint EvaluateShape(WindingShape shape);

}  // namespace tarnel::accuracy
