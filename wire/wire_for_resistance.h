// The wire from a resistance limit: the thinnest wire of a family, wound in
// a style, whose coil of least resistance for the inductance wanted (the
// best coil, with the same kept and bounded R1, R2 and H) has a DC
// resistance within the limit.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "design/best_coil.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

namespace tarnel::wire {

struct WireLimitRequest {
  // R1, R2 and H kept or bounded as in a best-coil request, and the target
  // L; its D and Lambda are those of each wire tried.
  design::BestCoilRequest coil;
  WireFamily family = WireFamily::kIecGrade1;
  WindingStyle style = WindingStyle::kLayered;
  long double maxResistance = 0;  // ohms
  // Where given, a wire whose coil meets the limit is the answer only if
  // this accepts it too: the coil as its caller writes it may lose digits
  // and, with them, the limit.
  std::function<bool(const StandardWire&, const design::BestCoil&)> accepts;
};

struct WireForLimit {
  bool found = false;
  StandardWire wire;           // found: the thinnest wire that meets the limit
  design::BestCoil coil;       // found: its coil of least resistance
  long double resistance = 0;  // found: that coil's resistance, ohms
  // Not found: why, in the window's words.
  std::string message;
  // Not found, where some wire of the family gave a coil: the least
  // resistance any of them reached, ohms.
  std::optional<long double> leastResistance;
};

// The resistance of a coil's wire length of copper diameter D, ohms, as the
// calculation gives R for that winding.
long double ResistanceOf(const design::BestCoil& coil);

// The best-coil request for `request` wound with `wire`.
design::BestCoilRequest CoilRequestFor(const WireLimitRequest& request, const StandardWire& wire);

// The thinnest wire of the family whose best coil meets the limit, with that
// coil. Raises nothing.
WireForLimit FindWireForResistance(const WireLimitRequest& request);

}  // namespace tarnel::wire
