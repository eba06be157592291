#include "inductance_warning.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QThread>
#include <cmath>
#include <memory>

#include "exact_comparison.h"
#include "exact_inductance_tooltip.h"
#include "x87.h"

namespace tarnel {

InductanceWarning::InductanceWarning(QLineEdit* field)
    : QObject(field), field_(field), sign_(new QAction(this)) {
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
      // Looked up the first time it is needed: the style's icons cost the
      // window's start-up time.
      if (sign_->icon().isNull()) {
        sign_->setIcon(
            field_->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, field_));
      }
      sign_->setToolTip(ExactInductanceTooltipText(*comparison));
      field_->addAction(sign_, QLineEdit::TrailingPosition);
    }
    emit Compared();
  });
  worker->start();
}

void InductanceWarning::Forget() {
  ++generation_;
  // Without the sign the field lays out its text as it always has.
  field_->removeAction(sign_);
}

void InductanceWarning::Settle() {
  for (QThread* worker : workers_) {
    worker->wait();
  }
  // Each ended thread has posted its outcome to this object.
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QAction* InductanceWarning::Sign() const {
  return field_->actions().contains(sign_) ? sign_ : nullptr;
}

}  // namespace tarnel
