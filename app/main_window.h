// TfmTarnel: the one window of Tarnel. Its controls come from main_window.ui;
// the Calculate button hands the texts of its fields to the calculation core.
#pragma once

#include <QWidget>
#include <memory>

#include "calc/calculation_request.h"

namespace Ui {
class TfmTarnel;
}

namespace tarnel {

class InductanceWarning;
class WindingTooltips;

class TfmTarnel : public QWidget {
  Q_OBJECT

 public:
  explicit TfmTarnel(QWidget* parent = nullptr);
  ~TfmTarnel() override;

 public slots:
  // Runs one calculation on the texts of the window's fields and shows the
  // error box when it ends with an error.
  void btProcessClick();

 private:
  [[nodiscard]] CalculationFields FieldTexts() const;
  void ShowFieldTexts(const CalculationFields& fields);
  // What the window tells about the numbers a calculation wrote, beside them.
  void ShowNotes(const ComputedValues& values);

  std::unique_ptr<Ui::TfmTarnel> ui_;
  InductanceWarning* inductanceWarning_;  // owned by edL
  WindingTooltips* windingTooltips_;      // owned by edN
};

}  // namespace tarnel
