#include "cli/wire_texts.h"

#include <string_view>

#include "calc/number_text.h"
#include "wire/winding_sheet.h"

namespace tarnel::cli {
namespace {

using wire::WireFamily;

// "IEC:<size>:<grade>" or "AWG:<gauge>:<build>"; nothing for a text of
// another form. An unknown wire of that form sets `error`.
std::optional<wire::StandardWire> WireNamed(std::string_view text, std::string& error) {
  const bool iec = text.substr(0, 4) == "IEC:";
  const bool awg = text.substr(0, 4) == "AWG:";
  if (!iec && !awg) {
    return std::nullopt;
  }
  const std::string_view rest = text.substr(4);
  const std::size_t colon = rest.find(':');
  const std::string_view size = rest.substr(0, colon);
  const std::string_view kind = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
  std::optional<WireFamily> family;
  if (iec && kind == "1") {
    family = WireFamily::kIecGrade1;
  } else if (iec && kind == "2") {
    family = WireFamily::kIecGrade2;
  } else if (awg && kind == "single") {
    family = WireFamily::kAwgSingle;
  } else if (awg && kind == "heavy") {
    family = WireFamily::kAwgHeavy;
  }
  std::optional<wire::StandardWire> found;
  if (family) {
    found = wire::FindWire(*family, size);
  }
  if (!found) {
    error = "unknown wire '" + std::string(text) +
            "': IEC:<mm>:<grade 1 or 2> or AWG:<gauge>:<single or heavy> of the table "
            "(tarnel-calc --wires)";
  }
  return found;
}

std::string TypeName(WireFamily family) {
  switch (family) {
    case WireFamily::kIecGrade1:
      return ":1";
    case WireFamily::kIecGrade2:
      return ":2";
    case WireFamily::kAwgSingle:
      return ":single";
    case WireFamily::kAwgHeavy:
      return ":heavy";
  }
  return {};
}

}  // namespace

std::optional<LineWire> SubstituteWireTexts(std::string& dText, std::string& lambdaText, char mark,
                                            std::string& error) {
  const std::string dWord = TrimBlanks(dText);
  const std::string lambdaWord = TrimBlanks(lambdaText);
  const std::optional<wire::WindingStyle> style = wire::StyleNamed(lambdaWord);
  const std::optional<wire::StandardWire> named = WireNamed(dWord, error);
  if (!error.empty()) {
    return std::nullopt;
  }
  if (!named) {
    if (style) {
      error = "Lambda '" + lambdaWord + "' needs a wire in D, such as IEC:0.500:2 or AWG:24:heavy";
    }
    return std::nullopt;
  }
  const NumberFormat format = wire::WireFieldFormat(mark);
  dText = FormatNumber(named->copperDiameter, format);
  if (style) {
    lambdaText = FormatNumber(wire::PackingFactor(*named, *style), format);
  }
  return LineWire{*named, style};
}

std::optional<wire::WireFamily> FamilyAsked(const std::string& dText) {
  for (const WireFamily family : wire::kWireFamilies) {
    const std::string asked =
        std::string(wire::IsIecFamily(family) ? "IEC" : "AWG") + ":?" + TypeName(family);
    if (TrimBlanks(dText) == asked) {
      return family;
    }
  }
  return std::nullopt;
}

std::string WireText(const wire::StandardWire& wire) {
  return std::string(wire::IsIecFamily(wire.family) ? "IEC:" : "AWG:") + wire.size +
         TypeName(wire.family);
}

void AppendSheetColumns(const std::optional<LineWire>& lineWire, const ComputedValues& values,
                        bool full, char mark, std::string& out) {
  if (!values.N || !values.winding || !lineWire || !lineWire->style) {
    out += "\t\t\t\t";
    return;
  }
  const Winding& winding = *values.winding;
  const auto sheet =
      wire::SheetOf(winding, *values.N, lineWire->wire.overallDiameter, *lineWire->style);
  if (!sheet) {
    out += "NA\tNA\tNA\tNA\tNA";
    return;
  }
  auto length = [&](long double value) {
    out += full ? FormatNumber(value, CScientificFormat(21, '.'))
                : FormatNumber(value, GeneralFormat(4, mark));
  };
  out += std::to_string(sheet->wholeTurns);
  out += '\t';
  out += std::to_string(sheet->turnsPerLayer);
  if (*lineWire->style == wire::WindingStyle::kOrthocyclic) {
    out += '/';
    out += std::to_string(sheet->turnsPerOtherLayer);
  }
  out += '\t';
  out += std::to_string(sheet->layers);
  out += '\t';
  length(sheet->buildDepth);
  out += '\t';
  length(sheet->outerDiameter);
}

std::string WireTableText(char mark) {
  std::string text = "Wire\tCopperDiameter\tOverallDiameter\n";
  const NumberFormat format = CScientificFormat(10, mark);
  for (WireFamily family : wire::kWireFamilies) {
    text += "# " + wire::FamilyName(family) + "; " + wire::SourceOf(family) + "\n";
    const bool iec = family == WireFamily::kIecGrade1 || family == WireFamily::kIecGrade2;
    for (const wire::StandardWire& w : wire::WiresOf(family)) {
      text += (iec ? "IEC:" : "AWG:") + w.size + TypeName(family) + '\t';
      text += FormatNumber(w.copperDiameter, format) + '\t';
      text += FormatNumber(w.overallDiameter, format) + '\n';
    }
  }
  return text;
}

}  // namespace tarnel::cli
