#include "wire/winding_style.h"

#include <cmath>

#include "calc/constants.h"

namespace tarnel::wire {

std::optional<WindingStyle> StyleNamed(std::string_view word) {
  if (word == "layered") {
    return WindingStyle::kLayered;
  }
  if (word == "orthocyclic") {
    return WindingStyle::kOrthocyclic;
  }
  return std::nullopt;
}

std::string_view StyleName(WindingStyle style) {
  return style == WindingStyle::kLayered ? "layered" : "orthocyclic";
}

NumberFormat WireFieldFormat(char mark) {
  NumberFormat format = GeneralFormat(21, mark);
  format.rounding = NumberRounding::kNearest;
  return format;
}

long double PackingFactor(const StandardWire& wire, WindingStyle style) {
  const long double copperDiameter = wire.copperDiameter;
  const long double overallDiameter = wire.overallDiameter;
  // The numerator is grouped as the calculation groups its wire area, so
  // that the two cancel in N.
  const long double wireArea = (kPiApprox * copperDiameter) * copperDiameter;
  // A turn takes p² layered; orthocyclic, a layer of pitch p sits p·√3/2
  // above the one below, so a turn takes p²·√3/2, written as (2√3)·p²/4.
  const long double cellFactor = style == WindingStyle::kLayered ? 4.0L : 2.0L * std::sqrt(3.0L);
  const long double cellArea = (cellFactor * overallDiameter) * overallDiameter;
  return wireArea / cellArea;
}

Winding WoundWith(const Winding& geometry, const StandardWire& wire, WindingStyle style) {
  Winding wound = geometry;
  wound.D = wire.copperDiameter;
  wound.Lambda = PackingFactor(wire, style);
  return wound;
}

}  // namespace tarnel::wire
