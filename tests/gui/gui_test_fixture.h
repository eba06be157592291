// What the GUI tests share: a process set up the way the program sets itself
// up, on the offscreen platform; a fresh, shown window for every test; and a
// watchdog that closes any modal box left open and fails the test for it, so
// no test can hang waiting for a click.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/application_title.h"
#include "app/main_window.h"
#include "app/toolkit_translations.h"
#include "calc/calculation_request.h"
#include "calc/number_text.h"

namespace tarnel::gui_test {

// The names of the window's nine edit fields, in tab order.
inline const QStringList kFieldNames = {"edR1", "edR2", "edH", "edD",      "edLambda",
                                        "edN",  "edR",  "edL", "edMessage"};

// How long a test waits for the window system before it gives up: generous,
// so that a loaded machine does not fail a test.
inline constexpr int kPatienceMs = 60000;

// The decimal mark for one test, '.' again when it ends.
class MarkForTest {
 public:
  explicit MarkForTest(char mark) { SetDecimalMark(mark); }
  ~MarkForTest() { SetDecimalMark('.'); }
  MarkForTest(const MarkForTest&) = delete;
  MarkForTest& operator=(const MarkForTest&) = delete;
};

// The window's start-up fields with the texts of R1, R2, H, D and Lambda
// taken from `inputs`.
CalculationFields FieldsWithInputs(const QStringList& inputs);

// Settings that must be in place before the QApplication exists.
void PrepareProcess();

// Closes a modal widget that stays open longer than `patience` and remembers
// its title.
class ModalWatchdog : public QObject {
  Q_OBJECT

 public:
  explicit ModalWatchdog(int patienceMs);

  void Start();
  // Stops watching, closes a modal widget still open, and returns the titles
  // of the modal widgets it had to close.
  QStringList Stop();

 private:
  void Check();

  int patienceMs_;
  QTimer timer_;
  QPointer<QWidget> watched_;
  QElapsedTimer openFor_;
  QStringList closed_;
};

// Base of the GUI test classes: init() opens a fresh, active window and
// cleanup() fails the test if a modal box had to be closed behind its back.
class WindowTest : public QObject {
  Q_OBJECT

 protected:
  [[nodiscard]] TfmTarnel& Window() const { return *window_; }
  [[nodiscard]] QLineEdit* Field(const QString& name) const;
  [[nodiscard]] QPushButton* Button(const QString& name) const;

  void SetInputs(const QString& r1, const QString& r2, const QString& h, const QString& d,
                 const QString& lambda) const;
  // The texts of the nine fields, in tab order.
  [[nodiscard]] QStringList FieldTexts() const;
  // The texts of edN, edR, edL and edMessage.
  [[nodiscard]] QStringList Outputs() const;
  // Hovers over edL until its tooltip is asked for; what edL then shows.
  [[nodiscard]] QString LTooltip() const;

 private slots:
  void init();
  void cleanup();

 private:
  std::unique_ptr<TfmTarnel> window_;
  ModalWatchdog watchdog_{kPatienceMs};
};

template <typename Test>
int RunGuiTest(int argc, char** argv) {
  PrepareProcess();
  QApplication application(argc, argv);
  LoadToolkitTranslations(application);
  SetApplicationTitle();
  Test test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tarnel::gui_test

#define TARNEL_GUI_TEST_MAIN(Test)                         \
  int main(int argc, char** argv) {                        \
    return tarnel::gui_test::RunGuiTest<Test>(argc, argv); \
  }
