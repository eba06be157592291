// A number written into one of the window's fields: as many significant
// digits as the field shows whole, so that no digit or exponent is hidden
// behind its edge.
#pragma once

#include <QString>

class QLineEdit;

namespace tarnel {

// The fewest digits a field is given; a text this short that still does not
// fit is written anyway, with the full text in the field's tooltip.
inline constexpr int kFewestFieldDigits = 4;
// The most digits a field is given, where fewer would not keep what a
// design promises; such a text may not fit and its tooltip shows it.
inline constexpr int kMostFieldDigits = 10;

struct FieldText {
  QString text;               // what the field gets
  bool needsTooltip = false;  // `text` is not wholly visible: its tooltip must show it
  int digits = 0;             // the significant digits `text` was written with
};

// The pixels `field` has for its text at its present size, font, frame,
// style and text margins.
int TextRoom(const QLineEdit& field);

// Whether `field` shows `text` whole, without scrolling it.
bool ShowsWhole(const QLineEdit& field, const QString& text);

// `value` in the window's general form with `mark`, to the most digits from
// `maxDigits` down to kFewestFieldDigits whose text fits TextRoom(field).
FieldText FitFieldText(long double value, char mark, const QLineEdit& field, int maxDigits);

}  // namespace tarnel
