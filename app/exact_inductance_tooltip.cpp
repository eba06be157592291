#include "app/exact_inductance_tooltip.h"

#include <QEvent>
#include <QLineEdit>
#include <exception>
#include <string>

#include "calc/extended.h"
#include "calc/number_text.h"

namespace tarnel {

QString ExactInductanceTooltipText(const reference::ExactComparison& comparison) {
  if (!comparison.evaluated) {
    return QStringLiteral(
        "Точное значение для этой обмотки не вычисляется: её форма или размер вне "
        "проверенной области");
  }
  const std::string exact = FormatNumber(comparison.exactL, FigureFormat(4));
  const long double percent = comparison.deviation * 100;
  const std::string deviation = FormatNumber(percent, SignedFigureFormat(4));
  return QStringLiteral("Точно (равномерная плотность тока): %1 Гн; формула отличается на %2 %")
      .arg(QString::fromStdString(exact), QString::fromStdString(deviation));
}

ExactInductanceTooltip::ExactInductanceTooltip(QLineEdit* field) : QObject(field), field_(field) {
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textEdited, this, &ExactInductanceTooltip::Forget);
}

void ExactInductanceTooltip::Show(long double R1, long double R2, long double H,
                                  long double turnCount, long double formulaL) {
  winding_ = Winding{R1, R2, H, turnCount, formulaL};
  field_->setToolTip(QString());
}

void ExactInductanceTooltip::Forget() {
  winding_.reset();
  field_->setToolTip(QString());
}

bool ExactInductanceTooltip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::ToolTip && winding_ &&
      field_->toolTip().isEmpty()) {
    reference::ExactComparison comparison;
    // Errors stop here: none may unwind through the toolkit's event handling.
    try {
      comparison = reference::CompareWithExact(winding_->R1, winding_->R2, winding_->H,
                                               winding_->turnCount, winding_->formulaL);
    } catch (const std::exception&) {
      comparison.evaluated = false;
    }
    // The next calculation starts from clean flags and the working control word.
    fpu::SetWorkingMode();
    field_->setToolTip(ExactInductanceTooltipText(comparison));
  }
  // The field shows its tooltip, if it now has one, the usual way.
  return QObject::eventFilter(watched, event);
}

}  // namespace tarnel
