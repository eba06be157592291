// The window's font: "MS Sans Serif" 8 pt, 11 pixels high, or where that is
// missing a font of nearly its widths. Where no such font is installed, the
// pixel size shrinks until every caption fits its control.
#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QWidget;

namespace tarnel {

inline constexpr char kDesignedFontFamily[] = "MS Sans Serif";
inline constexpr int kDesignedFontPixels = 11;
// Below this no caption stays legible; the window keeps this size then.
inline constexpr int kSmallestFontPixels = 7;

// A caption and the width it may take.
struct CaptionRoom {
  QString text;
  int room = 0;
};

// The captions of the labels, buttons and group boxes of `window`, each with
// the width it has before the next edge would clip it: a label may grow up to
// the frame of its group box (or the window's edge), a button's text shares
// the button with its bevel and icon, a caption the group box's top edge.
QList<CaptionRoom> CaptionRooms(const QWidget& window);

// The window's font at 11 pixels: the designed family or its first installed
// stand-in. Set before the controls are made, it is laid out only once.
QFont WindowFont();

// Whether `font` names a family of the designed widths that is installed.
bool HasDesignedWidths(const QFont& font);

// `font` at the largest pixel size, at most its own, at which every caption
// of `rooms` fits.
QFont FittedFont(const QFont& font, const QList<CaptionRoom>& rooms);

}  // namespace tarnel
