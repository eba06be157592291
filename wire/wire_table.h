// The standard wires built into the program: IEC 60317-0-1 enamelled round
// copper wire of grades 1 and 2, and AWG magnet wire of single and heavy
// build. Every figure and its source is in wire_table.cpp.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel::wire {

enum class WireFamily { kIecGrade1, kIecGrade2, kAwgSingle, kAwgHeavy };

inline constexpr WireFamily kWireFamilies[] = {WireFamily::kIecGrade1, WireFamily::kIecGrade2,
                                               WireFamily::kAwgSingle, WireFamily::kAwgHeavy};

struct StandardWire {
  WireFamily family = WireFamily::kIecGrade1;
  // The size as the family names it: the nominal copper diameter in mm for
  // IEC ("0.5"), the gauge for AWG ("24").
  std::string size;
  long double copperDiameter = 0;   // metres: the diameter the resistance uses
  long double overallDiameter = 0;  // metres: the maximum over the enamel
};

// Every wire of a family, thinnest last for AWG and thinnest first for IEC,
// in the order of the table.
std::vector<StandardWire> WiresOf(WireFamily family);

// The wire of `family` whose size is `size` (a number: "0.500" finds the
// 0.5 mm wire, "24" AWG 24); nothing when the table has no such size.
std::optional<StandardWire> FindWire(WireFamily family, std::string_view size);

// The bare diameter of AWG gauge n, metres: 0.127 mm · 92^((36 − n)/39).
long double AwgBareDiameter(int gauge);

// True for the two IEC grades, false for the two AWG builds.
bool IsIecFamily(WireFamily family);

// The family's name as a person reads it ("IEC 60317-0-1 grade 1") and the
// public source its figures are taken from.
std::string FamilyName(WireFamily family);
std::string SourceOf(WireFamily family);

}  // namespace tarnel::wire
