// Tarnel: calculator of a cylindrical multi-layer solenoid.
#include <QApplication>

#include "application_title.h"
#include "extended.h"
#include "main_window.h"
#include "number_text.h"
#include "system_locale.h"

int main(int argc, char* argv[]) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark(tarnel::ReadSystemDecimalMark());

  QApplication application(argc, argv);
  tarnel::SetApplicationTitle();
  // Lets the desktop match the window to its installed entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tarnel"));

  tarnel::TfmTarnel fmTarnel;
  fmTarnel.show();
  return QApplication::exec();
}
