#include "app/window_fields.h"

#include <QDialog>
#include <QLineEdit>

namespace tarnel {

CalculationFields TextsOf(const WindowFields& fields) {
  CalculationFields texts;
  texts.edR1 = fields.R1->text().toStdString();
  texts.edR2 = fields.R2->text().toStdString();
  texts.edH = fields.H->text().toStdString();
  texts.edD = fields.D->text().toStdString();
  texts.edLambda = fields.Lambda->text().toStdString();
  texts.edN = fields.N->text().toStdString();
  texts.edR = fields.R->text().toStdString();
  texts.edL = fields.L->text().toStdString();
  texts.edMessage = fields.Message->text().toStdString();
  return texts;
}

// Swappable parameters: the object name, then the title; the window tests
// find every dialog by its name.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
QDialog* NewWindowDialog(QWidget* window, const QString& name, const QString& title) {
  auto* dialog = new QDialog(window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(name);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  dialog->setFont(window->font());
  dialog->setWindowTitle(title);
  return dialog;
}

}  // namespace tarnel
