#include "app/window_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <array>

#include "app/caption_group_box.h"

namespace tarnel {
namespace {

// Fonts of nearly the widths of "MS Sans Serif", for which the fixed widths
// of the labels were made, best first.
constexpr std::array<const char*, 4> kStandIns = {kDesignedFontFamily, "Microsoft Sans Serif",
                                                  "Liberation Sans", "Arial"};
// Between a button's icon and its text.
constexpr int kIconGap = 4;

// Looks the family up by its own name only: hasFamily() would also ask the
// system for aliases of a missing family, which costs time at start-up.
bool IsInstalled(const QString& family) {
  return !QFontDatabase::styles(family).isEmpty();
}

int LabelRoom(const QLabel& label, const QWidget& window) {
  if (label.parentWidget() == &window) {
    return window.width() - label.x();
  }
  return label.parentWidget()->width() - kFrameLineWidth - label.x();
}

// What a button's text shares it with: the bevel on either side, and the
// icon with the gap after it. The text, centred, may run into the margins.
int ButtonChrome(const QPushButton& button) {
  const int bevel = button.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
  const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + kIconGap;
  return 2 * bevel + icon;
}

bool AllFit(const QFont& font, const QList<CaptionRoom>& rooms) {
  const QFontMetrics metrics(font);
  for (const CaptionRoom& caption : rooms) {
    if (metrics.horizontalAdvance(caption.text) > caption.room) {
      return false;
    }
  }
  return true;
}

}  // namespace

QList<CaptionRoom> CaptionRooms(const QWidget& window) {
  QList<CaptionRoom> rooms;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    rooms.append({label->text(), LabelRoom(*label, window)});
  }
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    rooms.append({button->text(), button->width() - ButtonChrome(*button)});
  }
  for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
    rooms.append({box->title(), box->width() - 2 * kCaptionIndent});
  }
  return rooms;
}

QFont WindowFont() {
  QFont font(QString::fromLatin1(kDesignedFontFamily));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kDesignedFontPixels);
  // Naming only an installed family spares the font matcher its search for
  // substitutes of a missing one.
  for (const char* family : kStandIns) {
    if (IsInstalled(QString::fromLatin1(family))) {
      font.setFamilies({QString::fromLatin1(family)});
      return font;
    }
  }
  return font;
}

bool HasDesignedWidths(const QFont& font) {
  for (const char* family : kStandIns) {
    if (font.family() == QLatin1String(family) && IsInstalled(font.family())) {
      return true;
    }
  }
  return false;
}

QFont FittedFont(const QFont& font, const QList<CaptionRoom>& rooms) {
  QFont fitted = font;
  while (fitted.pixelSize() > kSmallestFontPixels && !AllFit(fitted, rooms)) {
    fitted.setPixelSize(fitted.pixelSize() - 1);
  }
  return fitted;
}

}  // namespace tarnel
