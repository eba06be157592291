#include "exact_inductance_tooltip.h"

#include <QEvent>
#include <QLineEdit>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "extended.h"
#include "number_text.h"

namespace tarnel {
namespace {

struct Decimal {
  std::string digits;  // the significant digits, without a point
  int exponent;        // of the first digit
};

// |value| rounded to `digits` significant digits. Only the digits and the
// exponent are taken from printf, whose decimal point follows the C locale.
Decimal RoundedDecimal(long double value, int digits) {
  std::array<char, 64> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.*Le", digits - 1, std::fabs(value));
  Decimal decimal{"", 0};
  const char* at = buffer.data();
  for (; *at != 'e' && *at != '\0'; ++at) {
    if (*at >= '0' && *at <= '9') {
      decimal.digits += *at;
    }
  }
  if (*at == 'e') {
    decimal.exponent = std::atoi(at + 1);
  }
  return decimal;
}

// d.dddEx
std::string ExponentText(const Decimal& decimal) {
  std::string text(1, decimal.digits[0]);
  if (decimal.digits.size() > 1) {
    text += DecimalMark();
    text.append(decimal.digits, 1);
  }
  return text + "E" + std::to_string(decimal.exponent);
}

// Plain digits when the point falls near them (0.00012 to 999), else d.dEx.
std::string PlainOrExponentText(const Decimal& decimal) {
  const int exponent = decimal.exponent;
  const int count = static_cast<int>(decimal.digits.size());
  if (exponent < -4 || exponent > 2) {
    return ExponentText(decimal);
  }
  if (exponent < 0) {
    return "0" + std::string(1, DecimalMark()) + std::string(-exponent - 1, '0') + decimal.digits;
  }
  std::string text = decimal.digits.substr(0, exponent + 1);
  text.append(std::max(0, exponent + 1 - count), '0');
  if (exponent + 1 < count) {
    text += DecimalMark();
    text.append(decimal.digits, exponent + 1);
  }
  return text;
}

// The deviation in per cent, two significant digits, its sign always shown.
std::string DeviationText(long double deviation) {
  const long double percent = deviation * 100;
  const std::string sign = percent < 0 ? "-" : "+";
  if (percent == 0) {
    return sign + "0";
  }
  return sign + PlainOrExponentText(RoundedDecimal(percent, 2));
}

}  // namespace

QString ExactInductanceTooltipText(const reference::ExactComparison& comparison) {
  if (!comparison.evaluated) {
    return QStringLiteral(
        "Точное значение для этой обмотки не вычисляется: её форма или размер вне "
        "проверенной области");
  }
  const std::string exact = ExponentText(RoundedDecimal(comparison.exactL, 4));
  return QStringLiteral("Точно (равномерная плотность тока): %1 Гн; формула отличается на %2 %")
      .arg(QString::fromStdString(exact),
           QString::fromStdString(DeviationText(comparison.deviation)));
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
