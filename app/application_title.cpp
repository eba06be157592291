#include "app/application_title.h"

#include <QApplication>
#include <QVariant>

namespace tarnel {
namespace {

constexpr qsizetype kMaxTitleCharacters = 255;
constexpr char kTitleProperty[] = "tarnelApplicationTitle";

}  // namespace

// The title is kept beside the application name, not in it: X11 writes the
// application name into WM_CLASS, a Latin-1 property, and the toolkit would
// append a display name to every window title.
void SetApplicationTitle(const QString& title) {
  QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
  QCoreApplication::instance()->setProperty(kTitleProperty, title);
}

QString ApplicationTitle() {
  return QCoreApplication::instance()
      ->property(kTitleProperty)
      .toString()
      .left(kMaxTitleCharacters);
}

}  // namespace tarnel
