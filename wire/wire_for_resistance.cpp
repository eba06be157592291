#include "wire/wire_for_resistance.h"

#include <algorithm>
#include <vector>

#include "calc/winding_figures.h"

namespace tarnel::wire {
namespace {

const char* const kNoLimitMessage = "Введите сопротивление больше 0";
const char* const kTooResistiveMessage =
    "Ни один провод этого ряда не даёт катушку с таким сопротивлением";
const char* const kWrittenOverLimitMessage = "Записанная катушка превышает предел сопротивления";

}  // namespace

long double ResistanceOf(const design::BestCoil& coil) {
  return WireResistance(coil.winding, coil.wireLength);
}

design::BestCoilRequest CoilRequestFor(const WireLimitRequest& request, const StandardWire& wire) {
  design::BestCoilRequest coil = request.coil;
  coil.winding = WoundWith(request.coil.winding, wire, request.style);
  return coil;
}

// The wires are tried from the thinnest up and the first whose best coil
// meets the limit is the answer. Where nothing binds, the best coil's
// resistance falls as the wire thickens (its size grows as (L·p⁴)^(1/5),
// its wire length as L^(3/5)·p^(2/5), so R as p^(2/5)/d², d and p the
// copper and overall diameters, both rising through the table), and a
// bisection would do. But a bound or a kept dimension can leave the
// thickest wires without any coil (too few turns fit the can) and the
// thinnest ones too (a shape outside the verified range), so "meets the
// limit" holds on a run in the middle of the table, not on an end of it,
// and a bisection could step over that run. The scan decides by the
// definition, and a family holds at most a few dozen sizes.
WireForLimit FindWireForResistance(const WireLimitRequest& request) {
  WireForLimit answer;
  if (!(request.maxResistance > 0)) {
    answer.message = kNoLimitMessage;
    return answer;
  }
  std::vector<StandardWire> wires = WiresOf(request.family);
  std::stable_sort(wires.begin(), wires.end(), [](const StandardWire& a, const StandardWire& b) {
    return a.copperDiameter < b.copperDiameter;
  });
  std::string lastMessage;
  bool refused = false;
  for (const StandardWire& wire : wires) {
    const design::BestCoil coil = design::FindBestCoil(CoilRequestFor(request, wire));
    if (!coil.solved) {
      lastMessage = coil.message;
      continue;
    }
    const long double resistance = ResistanceOf(coil);
    if (!answer.leastResistance || resistance < *answer.leastResistance) {
      answer.leastResistance = resistance;
    }
    if (resistance <= request.maxResistance) {
      if (request.accepts && !request.accepts(wire, coil)) {
        refused = true;
        continue;
      }
      answer.found = true;
      answer.wire = wire;
      answer.coil = coil;
      answer.resistance = resistance;
      return answer;
    }
  }
  if (refused) {
    // A coil met the limit: the least resistance would not say why none is given.
    answer.message = kWrittenOverLimitMessage;
    answer.leastResistance.reset();
    return answer;
  }
  answer.message = answer.leastResistance ? std::string(kTooResistiveMessage) : lastMessage;
  return answer;
}

}  // namespace tarnel::wire
