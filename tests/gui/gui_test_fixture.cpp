#include "tests/gui/gui_test_fixture.h"

#include <QDialog>
#include <QHelpEvent>

#include "calc/extended.h"
#include "calc/number_text.h"

namespace tarnel::gui_test {

CalculationFields FieldsWithInputs(const QStringList& inputs) {
  CalculationFields fields = StartupFields();
  fields.edR1 = inputs[0].toStdString();
  fields.edR2 = inputs[1].toStdString();
  fields.edH = inputs[2].toStdString();
  fields.edD = inputs[3].toStdString();
  fields.edLambda = inputs[4].toStdString();
  return fields;
}

void PrepareProcess() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  fpu::SetWorkingMode();
  // The expected texts are written with '.', whatever this machine's locale.
  SetDecimalMark('.');
}

ModalWatchdog::ModalWatchdog(int patienceMs) : patienceMs_(patienceMs) {
  timer_.setInterval(50);
  connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Check);
}

void ModalWatchdog::Start() {
  closed_.clear();
  watched_ = nullptr;
  timer_.start();
}

QStringList ModalWatchdog::Stop() {
  timer_.stop();
  if (QApplication::activeModalWidget() != nullptr) {
    watched_ = QApplication::activeModalWidget();
    openFor_.invalidate();
    Check();
  }
  return closed_;
}

void ModalWatchdog::Check() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) {
    watched_ = nullptr;
    return;
  }
  if (modal != watched_) {
    watched_ = modal;
    openFor_.start();
    return;
  }
  if (openFor_.isValid() && openFor_.elapsed() < patienceMs_) {
    return;
  }
  closed_.append(modal->windowTitle() + QStringLiteral(": ") + modal->property("text").toString());
  watched_ = nullptr;
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->done(QDialog::Rejected);
  } else {
    modal->close();
  }
}

QLineEdit* WindowTest::Field(const QString& name) const {
  return window_->findChild<QLineEdit*>(name);
}

QPushButton* WindowTest::Button(const QString& name) const {
  return window_->findChild<QPushButton*>(name);
}

void WindowTest::SetInputs(const QString& r1, const QString& r2, const QString& h, const QString& d,
                           const QString& lambda) const {
  Field("edR1")->setText(r1);
  Field("edR2")->setText(r2);
  Field("edH")->setText(h);
  Field("edD")->setText(d);
  Field("edLambda")->setText(lambda);
}

QStringList WindowTest::FieldTexts() const {
  QStringList texts;
  for (const QString& name : kFieldNames) {
    texts.append(Field(name)->text());
  }
  return texts;
}

QStringList WindowTest::Outputs() const {
  return FieldTexts().mid(5);
}

QString WindowTest::LTooltip() const {
  QLineEdit* field = Field("edL");
  const QPoint inside(5, 5);
  QHelpEvent hover(QEvent::ToolTip, inside, field->mapToGlobal(inside));
  QApplication::sendEvent(field, &hover);
  return field->toolTip();
}

void WindowTest::init() {
  window_ = std::make_unique<TfmTarnel>();
  window_->show();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get(), kPatienceMs));
  for (const QString& name : kFieldNames) {
    QVERIFY2(Field(name) != nullptr, qPrintable(name));
  }
  QVERIFY(Button("btProcess") != nullptr);
  QVERIFY(Button("BitBtn1") != nullptr);
  watchdog_.Start();
}

void WindowTest::cleanup() {
  const QStringList closed = watchdog_.Stop();
  window_.reset();
  if (!closed.isEmpty()) {
    QFAIL(qPrintable(QStringLiteral("modal box left open: ") + closed.join(QStringLiteral("; "))));
  }
}

}  // namespace tarnel::gui_test
