// The winding as a magnet from the window: the context menu of edN and edR
// gets «Ток и магнитное поле…», a dialog that takes a current, a supply
// voltage or a wanted centre field and shows what the winding makes of it,
// with the field drawn along the axis.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/window_fields.h"
#include "calc/calculation_request.h"
#include "field/magnet_figures.h"

class QEvent;
class QLineEdit;
class QPoint;

namespace tarnel {

// One line of the dialog's figures: its caption and its text.
struct FieldLine {
  std::string caption;
  std::string text;
};

// What the dialog answers for a way in and its value.
struct FieldAnswer {
  bool computed = false;
  std::string message;  // not computed: why
  std::vector<FieldLine> lines;
  field::Magnet magnet;
  std::optional<long double> density;  // the mean current density, A/m²
};

// The figures of the winding `fields` describe (its five inputs, read as the
// calculation reads them, with DecimalMark()) driven by the value written in
// `valueText` (amperes, volts or tesla, as `drive` says). Raises nothing.
FieldAnswer AnswerField(const CalculationFields& fields, field::Drive drive,
                        const std::string& valueText);

// The entry in the context menu of `field` (mouse, Menu key or Shift+F10)
// and the dialog it opens. Owned by that field.
class FieldEntry : public QObject {
  Q_OBJECT

 public:
  // `calculate` runs the window's calculation, as its Calculate button does.
  FieldEntry(QLineEdit* field, const WindowFields& window, std::function<void()> calculate);

  static QString EntryText();

 private:
  void OpenDialog();

  QLineEdit* field_;
  WindowFields window_;
  std::function<void()> calculate_;
};

}  // namespace tarnel
