#include "app/error_box.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <QStyle>
#include <QWidget>

#include "app/application_title.h"
#include "calc/errors.h"

namespace tarnel {
namespace {

// Disables the visible, enabled top-level windows for its lifetime. Disabling
// a window takes the focus from its fields, so the widget that had it is
// remembered and given it back with the activation.
class DisabledWindows {
 public:
  DisabledWindows() : active_(QApplication::activeWindow()), focused_(QApplication::focusWidget()) {
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
    if (focused_ && focused_->isEnabled()) {
      focused_->setFocus(Qt::ActiveWindowFocusReason);
    }
  }

  // The window the box belongs to: the active one, else the first disabled.
  [[nodiscard]] QWidget* Owner() const {
    if (active_) {
      return active_;
    }
    return disabled_.isEmpty() ? nullptr : disabled_.first().data();
  }

 private:
  QList<QPointer<QWidget>> disabled_;
  QPointer<QWidget> active_;
  QPointer<QWidget> focused_;
};

// Centred on its owner's client area once its size is final. The toolkit's
// own placement moves the frame up by a guessed title bar height, and under a
// window manager the box then sits that much above the window's centre.
class CentredMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    const QWidget* owner = parentWidget();
    if (owner != nullptr && !event->spontaneous()) {
      setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), owner->geometry()));
    }
  }
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
  // Owned by the window, so the window manager keeps it above the window. A
  // window among a disabled window's children may still be enabled on its
  // own.
  CentredMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok,
                        disabled.Owner());
  box.setWindowModality(Qt::ApplicationModal);
  box.setEnabled(true);
  box.exec();
}

}  // namespace tarnel
