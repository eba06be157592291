#include "app/field_text_fit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <string>

#include "calc/number_text.h"

namespace tarnel {
namespace {

// The blank QLineEdit keeps on each side of its text inside the contents
// rectangle of its style.
constexpr int kLineEditSideMargin = 2;

}  // namespace

int TextRoom(const QLineEdit& field) {
  // The panel QLineEdit draws its text in, as it describes it to its style.
  QStyleOptionFrame panel;
  panel.initFrom(&field);
  panel.rect = field.contentsRect();
  panel.lineWidth = field.hasFrame()
                        ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &field)
                        : 0;
  panel.midLineWidth = 0;
  panel.state |= QStyle::State_Sunken;
  panel.features = QStyleOptionFrame::None;
  const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &field);
  const QMargins margins = field.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * kLineEditSideMargin;
}

bool ShowsWhole(const QLineEdit& field, const QString& text) {
  // QLineEdit scrolls a text whose width, with one pixel for the cursor,
  // exceeds its room.
  return QFontMetrics(field.font()).horizontalAdvance(text) + 1 <= TextRoom(field);
}

FieldText FitFieldText(long double value, char mark, const QLineEdit& field, int maxDigits) {
  FieldText answer;
  for (int digits = maxDigits; digits >= kFewestFieldDigits; --digits) {
    const QString text = QString::fromStdString(FormatNumber(value, GeneralFormat(digits, mark)));
    if (ShowsWhole(field, text)) {
      answer.text = text;
      answer.digits = digits;
      return answer;
    }
  }
  answer.text =
      QString::fromStdString(FormatNumber(value, GeneralFormat(kFewestFieldDigits, mark)));
  answer.needsTooltip = true;
  answer.digits = kFewestFieldDigits;
  return answer;
}

}  // namespace tarnel
