// Tarnel: calculator of a cylindrical multi-layer solenoid.
#include <QApplication>

#include "app/application_start.h"
#include "app/application_title.h"
#include "app/main_window.h"
#include "app/toolkit_translations.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "calc/system_locale.h"

int main(int argc, char* argv[]) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark(tarnel::ReadSystemDecimalMark());

  const auto application = tarnel::StartApplication(argc, argv);
  tarnel::LoadToolkitTranslations(*application);
  tarnel::SetApplicationTitle();

  tarnel::TfmTarnel fmTarnel;
  fmTarnel.show();
  return QApplication::exec();
}
