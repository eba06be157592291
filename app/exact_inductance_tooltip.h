// The text of edL's tooltip: the exact inductance of the winding the shown L
// was computed for, and how far the formula's L lies from it.
#pragma once

#include <QString>

#include "reference/exact_comparison.h"

namespace tarnel {

// The tooltip's text for a comparison, numbers written with DecimalMark().
QString ExactInductanceTooltipText(const reference::ExactComparison& comparison);

}  // namespace tarnel
