// The winder's sheet as the window's dialogs show and copy it.
#pragma once

#include <optional>
#include <string>

#include "calc/calculation_request.h"
#include "wire/winding_sheet.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

namespace tarnel {

// What a dialog shows for a wire and a style.
struct WireSheetAnswer {
  std::string dText;       // D and Lambda as the dialogs write them
  std::string lambdaText;  // (21 digits: wire::WireFieldFormat)
  // The sheet, when the R1, R2 and H texts with the wire pass every rule
  // and a layer holds a turn; else `text` says why.
  std::optional<wire::WindingSheet> sheet;
  std::string text;  // the sheet as the dialogs show and copy it, or the reason
};

// D and Lambda of `wire` wound in `style`, as the dialogs write them; no
// sheet.
WireSheetAnswer WireTexts(const wire::StandardWire& wire, wire::WindingStyle style);

// The sheet of the winding in the R1, R2 and H texts of `fields` wound with
// `wire` in `style`, the texts read as the calculation reads them, numbers
// written with DecimalMark(). Raises nothing.
WireSheetAnswer AnswerWireSheet(const CalculationFields& fields, const wire::StandardWire& wire,
                                wire::WindingStyle style);

}  // namespace tarnel
