#include "app/exact_inductance_tooltip.h"

#include <string>

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

}  // namespace tarnel
