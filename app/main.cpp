// Tarnel: calculator of a cylindrical multi-layer solenoid.
#include <QApplication>

#include "application_start.h"
#include "application_title.h"
#include "extended.h"
#include "main_window.h"
#include "number_text.h"
#include "system_locale.h"

int main(int argc, char* argv[]) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark(tarnel::ReadSystemDecimalMark());

  const auto application = tarnel::StartApplication(argc, argv);
  tarnel::SetApplicationTitle();

  tarnel::TfmTarnel fmTarnel;
  fmTarnel.show();
  return QApplication::exec();
}
