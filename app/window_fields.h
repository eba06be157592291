// The window's fields as its dialogs read and write them, and the dialog
// they open over the window.
#pragma once

#include <QString>

#include "calc/calculation_request.h"

class QDialog;
class QLineEdit;
class QWidget;

namespace tarnel {

// The nine fields of the window, by the quantities they hold.
struct WindowFields {
  QLineEdit* R1 = nullptr;
  QLineEdit* R2 = nullptr;
  QLineEdit* H = nullptr;
  QLineEdit* D = nullptr;
  QLineEdit* Lambda = nullptr;
  QLineEdit* N = nullptr;
  QLineEdit* R = nullptr;
  QLineEdit* L = nullptr;
  QLineEdit* Message = nullptr;
};

// The fields' texts as they stand, as a calculation takes them.
CalculationFields TextsOf(const WindowFields& fields);

// A dialog over `window`, in its font, with only a title and a close button,
// deleted when it closes; `name` is its object name.
QDialog* NewWindowDialog(QWidget* window, const QString& name, const QString& title);

}  // namespace tarnel
