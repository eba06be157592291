#include "app/winding_tooltips.h"

#include <QLineEdit>

#include "calc/number_text.h"
#include "design/winding_figures.h"

namespace tarnel {

QString WindingTooltipText(long double turnCount, long double R1, long double R2, long double D) {
  const design::WindingFigures figures = design::FiguresOf(turnCount, R1, R2, D);
  return QStringLiteral("Длина провода: %1 м; масса меди: %2 кг")
      .arg(QString::fromStdString(FormatNumber(figures.wireLength, FigureFormat(4))),
           QString::fromStdString(FormatNumber(figures.copperMass, FigureFormat(4))));
}

WindingTooltips::WindingTooltips(QLineEdit* turnsField, QLineEdit* resistanceField)
    : QObject(turnsField), turnsField_(turnsField), resistanceField_(resistanceField) {
  // A value typed by hand is not the calculated one: its figures go with it.
  connect(turnsField_, &QLineEdit::textEdited, this, [this] { turnsField_->setToolTip({}); });
  connect(resistanceField_, &QLineEdit::textEdited, this,
          [this] { resistanceField_->setToolTip({}); });
}

void WindingTooltips::Show(long double turnCount, long double R1, long double R2, long double D) {
  const QString text = WindingTooltipText(turnCount, R1, R2, D);
  turnsField_->setToolTip(text);
  resistanceField_->setToolTip(text);
}

void WindingTooltips::Forget() {
  turnsField_->setToolTip({});
  resistanceField_->setToolTip({});
}

}  // namespace tarnel
