#include "error_box.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "application_title.h"
#include "errors.h"

namespace tarnel {
namespace {

// Disables the visible, enabled top-level windows for its lifetime.
class DisabledWindows {
 public:
  DisabledWindows() : active_(QApplication::activeWindow()) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isWindow() && widget->isVisible() && widget->isEnabled()) {
        widget->setEnabled(false);
        disabled_.append(widget);
      }
    }
  }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

  ~DisabledWindows() {
    for (const QPointer<QWidget>& widget : disabled_) {
      if (widget) {
        widget->setEnabled(true);
      }
    }
    if (active_) {
      active_->activateWindow();
    }
  }

 private:
  QList<QPointer<QWidget>> disabled_;
  QPointer<QWidget> active_;
};

}  // namespace

void ReportEventError([[maybe_unused]] QObject* sender, const Exception& error) {
  if (QWidget* grabber = QWidget::mouseGrabber()) {
    grabber->releaseMouse();
  }
  ShowErrorBox(error);
}

void ShowErrorBox(const Exception& error) {
  const QString text = QString::fromStdString(error.Message()) + QLatin1Char('.');
  const DisabledWindows disabled;
  // No parent: a box owned by a disabled window would be disabled with it.
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace tarnel
