// How a wire is laid: turn on turn (square packing) or orthocyclic
// (each turn in the groove of the layer below, hexagonal packing).
#pragma once

#include <optional>
#include <string_view>

#include "calc/number_text.h"
#include "calc/winding.h"
#include "wire/wire_table.h"

namespace tarnel::wire {

enum class WindingStyle { kLayered, kOrthocyclic };

// "layered" or "orthocyclic"; nothing for another word.
std::optional<WindingStyle> StyleNamed(std::string_view word);
std::string_view StyleName(WindingStyle style);

// `geometry` (its R1, R2 and H) wound with `wire` in `style`: D is the
// copper diameter d and Lambda the copper area over the area each turn
// takes, PI_APPROX/4·(d/p)² layered and PI_APPROX/(2√3)·(d/p)² orthocyclic,
// p the maximum overall diameter. Lambda is the calculation's wire area
// (PI_APPROX·d)·d divided by the area a turn takes, so the calculation's
// N = 4·H·(R2 − R1)·Lambda/((PI_APPROX·d)·d) comes out as (R2 − R1)·H/p²
// (layered) or 2/√3 of it (orthocyclic) to a few units of the last place.
Winding WoundWith(const Winding& geometry, const StandardWire& wire, WindingStyle style);

// The form D and Lambda are written in when they stand in for a wire: 21
// significant digits, the most an 80-bit value needs, so the text reads back
// within a unit or two of the last place (the reading of texts is not
// correctly rounded in every case) and the N the calculation gets from the
// texts stays within a few units of the last place of the N promised.
NumberFormat WireFieldFormat(char mark);

// The packing factor of `wire` wound in `style`: its copper area over the
// area a turn takes.
long double PackingFactor(const StandardWire& wire, WindingStyle style);

}  // namespace tarnel::wire
