// Standard wires on the command line: a D text "IEC:0.500:2" or
// "AWG:24:heavy" and a Lambda text "layered" or "orthocyclic" stand for the
// wire's numbers, and the columns of the winder's sheet.
#pragma once

#include <optional>
#include <string>

#include "calc/calculation_request.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

namespace tarnel::cli {

// The wire a line named, and the style when its Lambda text named one.
struct LineWire {
  wire::StandardWire wire;
  std::optional<wire::WindingStyle> style;
};

// Replaces a wire D text by the wire's copper diameter and a style Lambda
// text by the wire's packing factor, both written with `mark` in the form
// that keeps N (wire::WireFieldFormat). A wire with a numeric Lambda keeps
// that Lambda. Other texts stay as they are. Gives the wire named, or the
// reason the texts name none in `error` (an unknown wire, or a style word
// without a wire).
std::optional<LineWire> SubstituteWireTexts(std::string& dText, std::string& lambdaText, char mark,
                                            std::string& error);

// The family a D text "IEC:?:1", "IEC:?:2", "AWG:?:single" or
// "AWG:?:heavy" asks a wire of; nothing for another text.
std::optional<wire::WireFamily> FamilyAsked(const std::string& dText);

// The D text that names `wire`, such as "IEC:0.5:2" or "AWG:16:single".
std::string WireText(const wire::StandardWire& wire);

// The sheet's column names, tab-separated, without a leading tab.
inline constexpr const char* kSheetColumns =
    "WholeTurns\tTurnsPerLayer\tLayers\tBuildDepth\tOuterDiameter";

// The five sheet columns, tab-separated: empty without an N or without a
// wire and a style, "NA" in each when no layer holds a turn of the wire.
// TurnsPerLayer is "a/b" for orthocyclic, the first layer's count and the
// next one's, "a" layered. Depths are written as N is: `full` as %.20Le,
// else in the window's 4-digit form with `mark`.
void AppendSheetColumns(const std::optional<LineWire>& lineWire, const ComputedValues& values,
                        bool full, char mark, std::string& out);

// What --wires prints: every wire of the table with its source.
std::string WireTableText(char mark);

}  // namespace tarnel::cli
