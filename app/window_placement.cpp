#include "app/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarnel {
namespace {

int PlaceOnAxis(int wanted, int length, int start, int available) {
  if (length >= available) {
    return start;
  }
  const int last = start + available - length;
  return std::clamp(wanted, start, last);
}

QRect AvailableAtDesignedPlace() {
  const QScreen* screen = QGuiApplication::screenAt(kDesignedWindowPlace);
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  return screen == nullptr ? QRect() : screen->availableGeometry();
}

// The window manager's frame is known only once the window is shown: the
// first time the frame is larger than the window, the place is checked again
// with the whole frame.
class FramePlacement : public QObject {
 public:
  explicit FramePlacement(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Show;
    if (watched == &window_ && placed && window_.frameGeometry().size() != window_.size()) {
      window_.removeEventFilter(this);
      const QRect available = AvailableAtDesignedPlace();
      if (available.isValid()) {
        const QPoint place = PlaceWithin(window_.frameGeometry().topLeft(),
                                         window_.frameGeometry().size(), available);
        if (place != window_.frameGeometry().topLeft()) {
          window_.move(place);
        }
      }
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

QPoint PlaceWithin(QPoint wanted, QSize frame, const QRect& available) {
  return {PlaceOnAxis(wanted.x(), frame.width(), available.left(), available.width()),
          PlaceOnAxis(wanted.y(), frame.height(), available.top(), available.height())};
}

void PlaceOnScreen(QWidget& window) {
  const QRect available = AvailableAtDesignedPlace();
  if (available.isValid()) {
    window.move(PlaceWithin(kDesignedWindowPlace, window.frameGeometry().size(), available));
  } else {
    window.move(kDesignedWindowPlace);
  }
  new FramePlacement(window);
}

}  // namespace tarnel
