#include "app/inductance_warning.h"

#include <QColor>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>
#include <QWidget>
#include <cmath>
#include <exception>

#include "app/error_box.h"
#include "app/exact_inductance_tooltip.h"
#include "calc/errors.h"
#include "calc/x87.h"
#include "reference/exact_comparison.h"

namespace tarnel {
namespace {

// The flag's two edges along the field's border, in pixels.
constexpr int kFlagSize = 9;
// Between the flag and the field's outer edge.
constexpr int kFlagInset = 1;

// A right triangle filling the corner, in the manner of a spreadsheet's
// comment marker, in the colours of a warning sign.
class CornerFlag : public QWidget {
 public:
  explicit CornerFlag(QLineEdit* field) : QWidget(field) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(kFlagSize, kFlagSize);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const int last = kFlagSize - 1;
    painter.setPen(QColor(0x80, 0x50, 0x00));
    painter.setBrush(QColor(0xF5, 0xA6, 0x00));
    painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(last, 0), QPoint(last, last)}));
  }
};

}  // namespace

InductanceWarning::InductanceWarning(QLineEdit* field)
    : QObject(field), field_(field), sign_(new CornerFlag(field)) {
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textEdited, this, &InductanceWarning::Forget);
}

void InductanceWarning::Check(const Winding& winding, long double turnCount, long double formulaL) {
  Forget();
  due_ = Due{winding, turnCount, formulaL};
  QMetaObject::invokeMethod(this, "Settle", Qt::QueuedConnection);
}

void InductanceWarning::Forget() {
  due_.reset();
  sign_->hide();
  field_->setToolTip(QString());
}

void InductanceWarning::Settle() {
  if (!due_) {
    return;
  }
  const Due due = *due_;
  due_.reset();
  reference::ExactComparison comparison;
  // Errors stop here: none may unwind through the toolkit's event handling.
  // The reference raises only for a fault of the program
  // (exact_comparison.h): it is reported as an error, not shown as a
  // winding that cannot be evaluated.
  try {
    comparison = reference::CompareWithExact(due.winding, due.turnCount, due.formulaL);
  } catch (const std::exception& error) {
    fpu::SetWorkingMode();
    ReportEventError(this, Exception(error.what()));
    return;
  }
  // The next calculation starts from clean flags and the working control word.
  fpu::SetWorkingMode();
  const QString text = ExactInductanceTooltipText(comparison);
  field_->setToolTip(text);
  if (comparison.evaluated && std::fabs(comparison.deviation) > kWarnedDeviation) {
    sign_->setToolTip(text);
    sign_->move(field_->width() - kFlagSize - kFlagInset, kFlagInset);
    sign_->show();
  }
  emit Compared();
}

bool InductanceWarning::eventFilter(QObject* watched, QEvent* event) {
  // A tooltip asked for before the comparison was made waits for it.
  if (watched == field_ && event->type() == QEvent::ToolTip) {
    Settle();
  }
  // The field shows its tooltip, if it now has one, the usual way.
  return QObject::eventFilter(watched, event);
}

QWidget* InductanceWarning::Sign() const {
  return sign_->isHidden() ? nullptr : sign_;
}

}  // namespace tarnel
