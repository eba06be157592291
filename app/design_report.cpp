#include "app/design_report.h"

#include <exception>
#include <string>

#include "calc/extended.h"
#include "calc/number_text.h"
#include "reference/exact_comparison.h"

namespace tarnel {
namespace {

constexpr int kStatedDigits = 10;

QString Figure(long double value) {
  return QString::fromStdString(FormatNumber(value, FigureFormat(kStatedDigits)));
}

}  // namespace

std::optional<TextsInductance> InductanceOfTexts(CalculationFields fields) {
  std::optional<TextsInductance> answer;
  // Errors stop here: the dialog calls this from the toolkit's event handling.
  try {
    ComputedValues values;
    RunCalculation(fields, &values);
    if (values.L) {
      answer = TextsInductance{*values.L, false};
      const reference::ExactComparison comparison =
          reference::CompareWithExact(*values.winding, *values.N, *values.L);
      if (comparison.evaluated) {
        answer = TextsInductance{comparison.exactL, true};
      }
    }
  } catch (const std::exception&) {
  }
  // The next calculation starts from clean flags and the working control word.
  fpu::SetWorkingMode();
  return answer;
}

QString OfferedTarget(const CalculationFields& fields) {
  const std::optional<TextsInductance> inductance = InductanceOfTexts(fields);
  return inductance ? Figure(inductance->value) : QString();
}

QString SolvedFieldNote(const QString& name, const QString& target, long double solved,
                        const QString& written, const std::optional<TextsInductance>& reached) {
  QString note = QStringLiteral("Подобрано для L = %1 Гн: %2 = %3 м\nЗаписано %2 = %4 м; ")
                     .arg(target, name, Figure(solved), written);
  if (reached && reached->exact) {
    note += QStringLiteral("точная индуктивность с ним: %1 Гн").arg(Figure(reached->value));
  } else if (reached) {
    note += QStringLiteral("точная индуктивность с ним не вычисляется, по формуле: %1 Гн")
                .arg(Figure(reached->value));
  } else {
    note += QStringLiteral("индуктивность с ним не вычисляется");
  }
  return note;
}

}  // namespace tarnel
