#include "app/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarnel {
namespace {

// One axis of a placement: where the frame would start and its length, and
// the stretch available.
struct Axis {
  int wanted;
  int length;
  int start;
  int available;
};

int PlaceOnAxis(const Axis& axis) {
  if (axis.length >= axis.available) {
    return axis.start;
  }
  const int last = axis.start + axis.available - axis.length;
  return std::clamp(axis.wanted, axis.start, last);
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
  return {PlaceOnAxis({.wanted = wanted.x(),
                       .length = frame.width(),
                       .start = available.left(),
                       .available = available.width()}),
          PlaceOnAxis({.wanted = wanted.y(),
                       .length = frame.height(),
                       .start = available.top(),
                       .available = available.height()})};
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
