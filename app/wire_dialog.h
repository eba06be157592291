// Standard wire from the window: the context menu of edD gets «Выбрать
// провод…», a dialog that picks a wire, its size and the winding style,
// shows the winder's sheet for the window's R1, R2 and H and draws its
// layers, and on OK writes D and Lambda and runs the calculation.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/window_fields.h"
#include "calc/calculation_request.h"
#include "wire/winding_sheet.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

class QLineEdit;

namespace tarnel {

// What the dialog shows for a wire and a style.
struct WireSheetAnswer {
  std::string dText;       // D and Lambda as the dialog writes them
  std::string lambdaText;  // (21 digits: wire::WireFieldFormat)
  // The sheet, when the window's R1, R2 and H with the wire pass every rule
  // and a layer holds a turn; else `text` says why.
  std::optional<wire::WindingSheet> sheet;
  std::string text;  // the sheet as the dialog shows and copies it, or the reason
};

// The sheet of the winding in the R1, R2 and H texts of `fields` wound with
// `wire` in `style`, the texts read as the calculation reads them, numbers
// written with DecimalMark(). Raises nothing.
WireSheetAnswer AnswerWireSheet(const CalculationFields& fields, const wire::StandardWire& wire,
                                wire::WindingStyle style);

// The cross-section of a winding beside the axis, to scale: the space from
// R1 to R2 over H, and every whole turn of the sheet in its layer.
class WindingPicture : public QWidget {
 public:
  explicit WindingPicture(QWidget* parent);
  void Show(const std::optional<wire::WindingSheet>& sheet, const Winding& winding,
            long double overallDiameter, wire::WindingStyle style);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<wire::WindingSheet> sheet_;
  Winding winding_;
  long double overallDiameter_ = 0;
  wire::WindingStyle style_ = wire::WindingStyle::kLayered;
};

// The entry «Выбрать провод…», an action of edD that its context menu shows,
// and the dialog it opens. Owned by edD.
class WireEntry : public QObject {
  Q_OBJECT

 public:
  // `calculate` runs the window's calculation, as its Calculate button does.
  WireEntry(const WindowFields& fields, std::function<void()> calculate);

 private:
  void OpenDialog();

  WindowFields fields_;
  std::function<void()> calculate_;
};

}  // namespace tarnel
