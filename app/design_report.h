// What the design dialog tells about a winding: the inductance it offers as
// the target, and the note left on a field it solved.
#pragma once

#include <QString>
#include <optional>

#include "calc/calculation_request.h"

namespace tarnel {

// The inductance of the winding the five input texts describe.
struct TextsInductance {
  long double value = 0;
  bool exact = false;  // the exact value; otherwise the formula's, the exact one not evaluated
};

// Nothing when the calculation on `fields` gives no L. Raises nothing.
std::optional<TextsInductance> InductanceOfTexts(CalculationFields fields);

// The target the dialog offers: that inductance to 10 digits, with
// DecimalMark(), so that solving for it changes nothing; empty without one.
QString OfferedTarget(const CalculationFields& fields);

// The solved field's tooltip: the target, the value solved, the text written
// and the inductance of the winding with that text.
QString SolvedFieldNote(const QString& name, const QString& target, long double solved,
                        const QString& written, const std::optional<TextsInductance>& reached);

}  // namespace tarnel
