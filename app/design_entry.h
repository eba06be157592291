// Design for a target inductance from the window: the context menu of edR2,
// edH and edD gets an entry that asks for the inductance the winding should
// have, solves the field's dimension for it (the other four inputs as they
// stand) and runs the calculation on the result.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "app/window_fields.h"
#include "calc/calculation_request.h"
#include "design/design_request.h"

class QEvent;
class QLineEdit;
class QPoint;

namespace tarnel {

// The significant digits of a solved dimension in its field.
inline constexpr int kSolvedDigits = 7;

// What the dialog shows of a design: the solved field's new text, or why
// there is none.
struct DialogAnswer {
  bool solved = false;
  std::string text;       // solved: the dimension; otherwise the message for the dialog
  long double value = 0;  // solved: the dimension unrounded
};

// Designs `unknown` for the target inductance written in `targetText`
// (henries) from the other four inputs of `fields` (design/design_request.h)
// and words the answer for the dialog. Raises nothing.
DialogAnswer AnswerInDialog(const CalculationFields& fields, design::Unknown unknown,
                            const std::string& targetText);

// The entry in the context menu of the unknown's field (mouse, Menu key or
// Shift+F10) and the dialog it opens. Owned by that field.
class DesignEntry : public QObject {
  Q_OBJECT

 public:
  // `calculate` runs the window's calculation, as its Calculate button does.
  DesignEntry(design::Unknown unknown, const WindowFields& fields, std::function<void()> calculate);

  // The entry's text in the menu.
  [[nodiscard]] QString EntryText() const;

 private:
  [[nodiscard]] QLineEdit* Field() const;
  void OpenDialog();

  design::Unknown unknown_;
  WindowFields fields_;
  std::function<void()> calculate_;
};

}  // namespace tarnel
