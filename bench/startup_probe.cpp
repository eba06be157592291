// tarnel-startup-probe: the time from the start of main() to the first frame
// of a window: Tarnel's window, a bare QWidget of the same size, or that bare
// widget holding one line of text. Each is started the way app/main.cpp
// starts Tarnel. scripts/measure_startup.sh runs it.
//
// Usage: tarnel-startup-probe --tarnel|--bare|--bare-label
// Prints one line: the mode, then the milliseconds from the start of main()
// to each of: the QApplication made, the window made, show() returned, the
// first expose, the first frame; then the window's <width>x<height>.
//
// The first frame counts as painted when the event loop turns after the
// window's first paint event: its children paint and the backing store is
// flushed within the same pass.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/application_start.h"
#include "app/application_title.h"
#include "app/main_window.h"
#include "app/toolkit_translations.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "calc/system_locale.h"

namespace {

using Clock = std::chrono::steady_clock;

// The size main_window.ui gives TfmTarnel.
constexpr int kBareWidth = 518;
constexpr int kBareHeight = 231;

enum class Mode { kTarnel, kBare, kBareLabel };

struct ModeName {
  Mode mode;
  const char* option;
  const char* name;
};

constexpr std::array<ModeName, 3> kModes = {{
    {Mode::kTarnel, "--tarnel", "tarnel"},
    {Mode::kBare, "--bare", "bare"},
    {Mode::kBareLabel, "--bare-label", "bare-label"},
}};

// The milestones of a start-up, in milliseconds from the start of main().
class Milestones : public QObject {
 public:
  Milestones(const char* name, Clock::time_point start) : name_(name), start_(start) {}

  void ApplicationMade() { applicationMs_ = Now(); }
  void WindowMade(QWidget* window) {
    window_ = window;
    windowMs_ = Now();
  }
  void Shown() { shownMs_ = Now(); }

  // Watches the whole application: the expose goes to the QWindow behind
  // the widget, the paint to the widget.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && exposeMs_ < 0 && watched->isWindowType()) {
      exposeMs_ = Now();
    }
    if (event->type() == QEvent::Paint && watched == window_ && !painted_) {
      painted_ = true;
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return false;
  }

 private:
  [[nodiscard]] double Now() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
  }

  void Report() {
    const double frameMs = Now();
    std::printf("%s %.3f %.3f %.3f %.3f %.3f %dx%d\n", name_, applicationMs_, windowMs_, shownMs_,
                exposeMs_ < 0 ? frameMs : exposeMs_, frameMs, window_->width(), window_->height());
    std::fflush(stdout);
    QApplication::quit();
  }

  const char* name_;
  Clock::time_point start_;
  QWidget* window_ = nullptr;
  double applicationMs_ = -1;
  double windowMs_ = -1;
  double shownMs_ = -1;
  double exposeMs_ = -1;
  bool painted_ = false;
};

std::unique_ptr<QWidget> MakeWindow(Mode mode) {
  if (mode == Mode::kTarnel) {
    tarnel::SetApplicationTitle();
    return std::make_unique<tarnel::TfmTarnel>();
  }
  auto window = std::make_unique<QWidget>();
  window->setFixedSize(kBareWidth, kBareHeight);
  if (mode == Mode::kBareLabel) {
    auto* label = new QLabel(QStringLiteral("Bare window"), window.get());
    label->move(8, 8);
  }
  return window;
}

}  // namespace

int main(int argc, char* argv[]) {
  const Clock::time_point start = Clock::now();
  const ModeName* chosen = nullptr;
  for (const ModeName& mode : kModes) {
    if (argc == 2 && std::strcmp(argv[1], mode.option) == 0) {
      chosen = &mode;
    }
  }
  if (chosen == nullptr) {
    std::fprintf(stderr, "usage: tarnel-startup-probe --tarnel|--bare|--bare-label\n");
    return 2;
  }

  Milestones milestones(chosen->name, start);
  if (chosen->mode == Mode::kTarnel) {
    tarnel::fpu::SetWorkingMode();
    tarnel::SetDecimalMark(tarnel::ReadSystemDecimalMark());
  }
  const std::unique_ptr<QApplication> application =
      chosen->mode == Mode::kTarnel ? tarnel::StartApplication(argc, argv)
                                    : std::make_unique<QApplication>(argc, argv);
  if (chosen->mode == Mode::kTarnel) {
    tarnel::LoadToolkitTranslations(*application);
  }
  milestones.ApplicationMade();
  const std::unique_ptr<QWidget> window = MakeWindow(chosen->mode);
  milestones.WindowMade(window.get());
  QApplication::instance()->installEventFilter(&milestones);
  window->show();
  milestones.Shown();
  return QApplication::exec();
}
