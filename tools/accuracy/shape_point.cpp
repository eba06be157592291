#include "tools/accuracy/shape_point.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "calc/calculation_request.h"
#include "calc/errors.h"
#include "calc/number_text.h"
#include "reference/exact_inductance.h"

namespace tarnel::accuracy {

namespace {

// A double as a text the request reads back to the same value, written
// with the current decimal separator.
std::string Text(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  std::string text = buffer;
  for (char& c : text) {
    if (c == '.') {
      c = DecimalMark();
    }
  }
  return text;
}

}  // namespace

ShapePoint EvaluateShape(WindingShape shape) {
  ShapePoint point;
  point.shape = shape;

  CalculationFields fields = StartupFields();
  fields.edR1 = Text(1 - shape.thicknessRatio);
  fields.edR2 = Text(1 + shape.thicknessRatio);
  fields.edH = Text(2 * shape.lengthRatio);
  fields.edD = Text(kWireDiameter);
  fields.edLambda = Text(kPackingFactor);

  point.winding.R1 = TextToNumber(fields.edR1);
  point.winding.R2 = TextToNumber(fields.edR2);
  point.winding.H = TextToNumber(fields.edH);
  point.winding.D = TextToNumber(fields.edD);
  point.winding.Lambda = TextToNumber(fields.edLambda);
  point.regime = ChooseRegime(MakeFormulaInputs<long double>(
      point.winding.R1, point.winding.R2, point.winding.H, point.winding.D, point.winding.Lambda));

  ComputedValues values;
  try {
    RunCalculation(fields, &values);
  } catch (const Exception& error) {
    point.failure = error.Message();
  }
  if (values.N) {
    point.turns = *values.N;
  }
  point.inductance = values.L;
  if (!values.L && point.failure.empty()) {
    point.failure = fields.edMessage;
  }

  const double perTurnSquared = reference::ExactInductancePerTurnSquared(
      static_cast<double>(point.winding.R1), static_cast<double>(point.winding.R2),
      static_cast<double>(point.winding.H));
  point.exactInductance = perTurnSquared * point.turns * point.turns;
  if (values.L && values.N) {
    const long double calculatorPerTurnSquared = *values.L / (point.turns * point.turns);
    point.relativeError = static_cast<double>(calculatorPerTurnSquared / perTurnSquared - 1);
  }
  return point;
}

}  // namespace tarnel::accuracy
