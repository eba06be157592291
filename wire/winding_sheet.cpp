#include "wire/winding_sheet.h"

#include <cmath>

#include "calc/winding_figures.h"

namespace tarnel::wire {
namespace {

// Layers needed for `turns` turns when the layers hold `first`, `second`,
// `first`, ... turns.
long long LayersFor(long long turns, long long first, long long second) {
  const long long pair = first + second;
  const long long pairs = turns / pair;
  const long long left = turns - pairs * pair;
  long long layers = 2 * pairs;
  if (left > 0) {
    layers += left <= first ? 1 : 2;
  } else if (second == 0 && pairs > 0) {
    layers -= 1;  // the last pair's second layer would be empty
  }
  return layers;
}

// The whole part of a figure computed in a few roundings: one that falls a
// few units of the last place short of a whole number counts as that
// number, so 300 turns computed as 299.99999999999999999 stay 300.
long double WholePart(long double value) {
  return std::floor(value * (1.0L + 1e-15L));
}

}  // namespace

// Swappable parameters: the turns, then the wire's overall diameter.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
std::optional<WindingSheet> SheetOf(const Winding& winding, long double turnCount,
                                    long double overallDiameter, WindingStyle style) {
  WindingSheet sheet;
  const long double p = overallDiameter;
  sheet.wholeTurns = static_cast<long long>(WholePart(turnCount));
  const long double perLayer = WholePart(winding.H / p);
  sheet.turnsPerLayer = static_cast<long long>(perLayer);
  if (style == WindingStyle::kLayered) {
    sheet.turnsPerOtherLayer = sheet.turnsPerLayer;
  } else {
    sheet.turnsPerOtherLayer = static_cast<long long>(WholePart(winding.H / p - 0.5L));
  }
  if (sheet.wholeTurns > 0 && sheet.turnsPerLayer <= 0) {
    return std::nullopt;
  }
  if (sheet.wholeTurns > 0) {
    sheet.layers = LayersFor(sheet.wholeTurns, sheet.turnsPerLayer, sheet.turnsPerOtherLayer);
  }
  if (sheet.layers > 0) {
    if (style == WindingStyle::kLayered) {
      sheet.buildDepth = static_cast<long double>(sheet.layers) * p;
    } else {
      const long double rise = p * std::sqrt(3.0L) / 2.0L;
      sheet.buildDepth = p + static_cast<long double>(sheet.layers - 1) * rise;
    }
  }
  sheet.depth = winding.R2 - winding.R1;
  sheet.outerDiameter = 2.0L * (winding.R1 + sheet.buildDepth);
  const WindingFigures figures = FiguresOf(winding, static_cast<long double>(sheet.wholeTurns));
  sheet.wireLength = figures.wireLength;
  sheet.copperMass = figures.copperMass;
  sheet.resistance = WireResistance(winding, sheet.wireLength);
  return sheet;
}

}  // namespace tarnel::wire
