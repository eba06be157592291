// The accuracy of each of the calculator's four formulas over the sweep.
#pragma once

#include <optional>
#include <vector>

#include "calc/inductance.h"
#include "tools/accuracy/shape_point.h"

namespace tarnel::accuracy {

struct RegimeSummary {
  InductanceRegime regime = InductanceRegime::kLong;
  int points = 0;                   // points the calculator answered with this formula
  int withinTenthPercent = 0;       // of those, |error| <= 0.1 %
  int withinOnePercent = 0;         // of those, |error| <= 1 %
  std::optional<ShapePoint> worst;  // the largest |error|
};

// One summary per regime, in the order long, short, flat, thick flat.
// Points without an error (the calculator gave no L) count nowhere.
std::vector<RegimeSummary> SummariseRegimes(const std::vector<ShapePoint>& points);

}  // namespace tarnel::accuracy
