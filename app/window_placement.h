// Where the window opens: at its designed place, moved only as far as it
// takes to be wholly visible on the screen.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace tarnel {

inline constexpr QPoint kDesignedWindowPlace{97, 114};

// The top-left corner for a window with frame `frame` placed at `wanted`:
// `wanted`, moved just enough for the frame to lie within `available`, or
// the top-left of `available` on an axis where the frame is larger.
QPoint PlaceWithin(QPoint wanted, QSize frame, const QRect& available);

// Moves `window` to the designed place, kept on the screen there.
void PlaceOnScreen(QWidget& window);

}  // namespace tarnel
