#include "window_placement.h"

#include <QGuiApplication>
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

}  // namespace

QPoint PlaceWithin(QPoint wanted, QSize frame, const QRect& available) {
  return {PlaceOnAxis(wanted.x(), frame.width(), available.left(), available.width()),
          PlaceOnAxis(wanted.y(), frame.height(), available.top(), available.height())};
}

void PlaceOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::screenAt(kDesignedWindowPlace);
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  if (screen == nullptr) {
    window.move(kDesignedWindowPlace);
    return;
  }
  window.move(PlaceWithin(kDesignedWindowPlace, window.frameGeometry().size(),
                          screen->availableGeometry()));
}

}  // namespace tarnel
