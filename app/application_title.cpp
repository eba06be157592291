#include "application_title.h"

#include <QApplication>

namespace tarnel {
namespace {

constexpr qsizetype kMaxTitleCharacters = 255;

}  // namespace

// The application name rather than the display name: the toolkit appends a
// display name to every window title, and the main window's caption must
// stay as designed.
void SetApplicationTitle() {
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
}

QString ApplicationTitle() {
  return QApplication::applicationName().left(kMaxTitleCharacters);
}

}  // namespace tarnel
