#include "app/inductance_warning.h"

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>
#include <QThread>
#include <QWidget>
#include <cmath>
#include <memory>

#include "app/exact_inductance_tooltip.h"
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
  connect(field_, &QLineEdit::textEdited, this, &InductanceWarning::Forget);
}

InductanceWarning::~InductanceWarning() {
  // A QThread may not be destroyed while its thread runs; a comparison still
  // running takes milliseconds more.
  for (QThread* worker : workers_) {
    worker->wait();
    delete worker;
  }
}

void InductanceWarning::Check(long double R1, long double R2, long double H, long double turnCount,
                              long double formulaL) {
  Forget();
  const quint64 generation = generation_;
  auto comparison = std::make_shared<reference::ExactComparison>();
  QThread* worker = QThread::create([=] {
    // The control word belongs to the thread: this one starts from its own.
    fpu::SetWorkingMode();
    // Errors stop here: none may end the thread.
    try {
      *comparison = reference::CompareWithExact(R1, R2, H, turnCount, formulaL);
    } catch (...) {
      *comparison = reference::ExactComparison{};
    }
    fpu::SetWorkingMode();
  });
  workers_.append(worker);
  connect(worker, &QThread::finished, this, [this, worker, comparison, generation] {
    workers_.removeOne(worker);
    worker->deleteLater();
    if (generation != generation_) {
      return;
    }
    if (comparison->evaluated && std::fabs(comparison->deviation) > kWarnedDeviation) {
      sign_->setToolTip(ExactInductanceTooltipText(*comparison));
      sign_->move(field_->width() - kFlagSize - kFlagInset, kFlagInset);
      sign_->show();
    }
    emit Compared();
  });
  worker->start();
}

void InductanceWarning::Forget() {
  ++generation_;
  sign_->hide();
}

void InductanceWarning::Settle() {
  for (QThread* worker : workers_) {
    worker->wait();
  }
  // Each ended thread has posted its outcome to this object.
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QWidget* InductanceWarning::Sign() const {
  return sign_->isHidden() ? nullptr : sign_;
}

}  // namespace tarnel
