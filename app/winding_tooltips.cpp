#include "app/winding_tooltips.h"

#include <QLineEdit>

#include "calc/number_text.h"
#include "calc/winding_figures.h"

namespace tarnel {

QString WindingTooltipText(const Winding& winding, long double turnCount) {
  const WindingFigures figures = FiguresOf(winding, turnCount);
  return QStringLiteral("Длина провода: %1 м; масса меди: %2 кг")
      .arg(QString::fromStdString(FormatNumber(figures.wireLength, FigureFormat(4))),
           QString::fromStdString(FormatNumber(figures.copperMass, FigureFormat(4))));
}

WindingTooltips::WindingTooltips(const WindingTooltipFields& fields)
    : QObject(fields.edN), turnsField_(fields.edN), resistanceField_(fields.edR) {
  // A value typed by hand is not the calculated one: its figures go with it.
  connect(turnsField_, &QLineEdit::textEdited, this, [this] { turnsField_->setToolTip({}); });
  connect(resistanceField_, &QLineEdit::textEdited, this,
          [this] { resistanceField_->setToolTip({}); });
}

void WindingTooltips::Show(const Winding& winding, long double turnCount) {
  const QString text = WindingTooltipText(winding, turnCount);
  turnsField_->setToolTip(text);
  resistanceField_->setToolTip(text);
}

void WindingTooltips::Forget() {
  turnsField_->setToolTip({});
  resistanceField_->setToolTip({});
}

}  // namespace tarnel
