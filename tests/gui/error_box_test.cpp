// The error box: what an error that ends a calculation shows, and how the
// window behaves around it.
#include "app/error_box.h"

#include <QMessageBox>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "tests/gui/gui_test_fixture.h"

namespace tarnel::gui_test {

const QString kTitle = QString::fromUtf8(kApplicationTitle);
const QStringList kStartupInputs = {"0.01", "0.02", "0.03", "0.001", "0.6"};
const QStringList kDefaultResults = {"229.2", "0.4593", "0.0008033", "Готов ..."};

// What the next modal box showed while it was open.
struct BoxSeen {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  qsizetype buttonCount = 0;
  QString buttonText;
  Qt::WindowModality modality = Qt::NonModal;
  bool windowEnabled = true;
  bool mouseGrabbed = false;
  QWidget* owner = nullptr;
  QWindow* transientFor = nullptr;
  QPoint centre;
};

class ErrorBoxTest : public WindowTest {
  Q_OBJECT

 private slots:
  void error_box_shows_message_under_application_title_data();
  void error_box_shows_message_under_application_title();
  void error_keeps_only_fields_the_calculation_wrote_data();
  void error_keeps_only_fields_the_calculation_wrote();
  void calculation_after_error_gives_default_results_data();
  void calculation_after_error_gives_default_results();
  void window_ignores_clicks_and_enter_while_box_is_open();
  void focus_returns_to_the_field_typed_in_data();
  void focus_returns_to_the_field_typed_in();
  void point_is_no_decimal_mark_under_comma();
  void window_is_enabled_again_however_box_is_closed_data();
  void window_is_enabled_again_however_box_is_closed();
  void full_stop_is_appended_even_after_one();
  void report_releases_mouse_grab();
  void box_caption_is_cut_to_255_characters();

 private:
  static void AddFaultRows();
  // Runs a calculation on `inputs` after a complete one, answering the error
  // box it opens: `whileOpen` runs first, then the box is closed by `close`.
  void CalculateAnsweringBox(const QStringList& inputs, BoxSeen& seen,
                             const std::function<void()>& whileOpen = {},
                             const std::function<void(QMessageBox*)>& close = PressOk);
  // Calls `show` answering the modal box it opens the same way.
  static void AnswerBox(const std::function<void()>& show, BoxSeen& seen,
                        const std::function<void()>& whileOpen = {},
                        const std::function<void(QMessageBox*)>& close = PressOk);
  static void PressOk(QMessageBox* box) {
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  }
};

void ErrorBoxTest::AddFaultRows() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("outputs");

  const QStringList cleared = {"", "", "", ""};
  QTest::newRow("R1 not a number") << QStringList{"abc", "0.02", "0.03", "0.001", "0.6"}
                                   << "'abc' is not a valid floating point value." << cleared;
  QTest::newRow("R1 blank, D not a number") << QStringList{"  ", "0.02", "0.03", "x", "0.6"}
                                            << "'' is not a valid floating point value." << cleared;
  QTest::newRow("Lambda with blanks around a word")
      << QStringList{"0.01", "0.02", "0.03", "0.001", " six "}
      << "'six' is not a valid floating point value." << cleared;
  QTest::newRow("D so small its fourth power underflows")
      << QStringList{"0.01", "0.02", "0.03", "1e-1300", "0.6"} << "Floating point division by zero."
      << cleared;
  QTest::newRow("turn count beyond the extended range")
      << QStringList{"0", "1e4000", "1e4000", "1", "0.5"} << "Floating point overflow." << cleared;
  // Every length 1e100 times the default, D 1e-1127 times: N and R still
  // fit, L = 8.033e-4 · (1e100)⁵ · (1e1127)⁴ does not.
  QTest::newRow("inductance beyond the extended range")
      << QStringList{"1e98", "2e98", "3e98", "1e-1130", "0.6"} << "Floating point overflow."
      << QStringList{"2.292E2456", "4.593E4807", "", ""};
}

void ErrorBoxTest::AnswerBox(const std::function<void()>& show, BoxSeen& seen,
                             const std::function<void()>& whileOpen,
                             const std::function<void(QMessageBox*)>& close) {
  QObject scope;  // cancels the answer when no box opened
  QTimer::singleShot(0, &scope, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    seen.shown = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.buttonCount = box->buttons().size();
    if (box->button(QMessageBox::Ok) != nullptr) {
      seen.buttonText = box->button(QMessageBox::Ok)->text();
    }
    seen.modality = box->windowModality();
    seen.mouseGrabbed = QWidget::mouseGrabber() != nullptr;
    seen.owner = box->parentWidget();
    seen.transientFor = box->windowHandle()->transientParent();
    seen.centre = box->frameGeometry().center();
    const QWidgetList windows = QApplication::topLevelWidgets();
    seen.windowEnabled = std::any_of(windows.begin(), windows.end(), [box](const QWidget* w) {
      return w != box && w->isVisible() && w->isEnabled();
    });
    if (whileOpen) {
      whileOpen();
    }
    close(box);
  });
  show();
}

void ErrorBoxTest::CalculateAnsweringBox(const QStringList& inputs, BoxSeen& seen,
                                         const std::function<void()>& whileOpen,
                                         const std::function<void(QMessageBox*)>& close) {
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  AnswerBox([this] { QTest::mouseClick(Button("btProcess"), Qt::LeftButton); }, seen, whileOpen,
            close);
}

void ErrorBoxTest::error_box_shows_message_under_application_title_data() {
  AddFaultRows();
}

void ErrorBoxTest::error_box_shows_message_under_application_title() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, text);
  BoxSeen seen;
  CalculateAnsweringBox(inputs, seen);

  QVERIFY(seen.shown);
  QCOMPARE(seen.title, kTitle);
  QCOMPARE(seen.text, text);
  QCOMPARE(seen.icon, QMessageBox::Critical);
  QVERIFY(seen.buttons == QMessageBox::Ok);
  QCOMPARE(seen.buttonCount, 1);
  // The toolkit's Russian texts leave the box's own as they are.
  QCOMPARE(seen.buttonText, QStringLiteral("OK"));
  QCOMPARE(seen.modality, Qt::ApplicationModal);
  QVERIFY(!seen.windowEnabled);
  QCOMPARE(seen.owner, static_cast<QWidget*>(&Window()));
  QCOMPARE(seen.transientFor, Window().windowHandle());
  const QPoint offCentre = seen.centre - Window().frameGeometry().center();
  QVERIFY2(offCentre.manhattanLength() <= 2,
           qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

void ErrorBoxTest::error_keeps_only_fields_the_calculation_wrote_data() {
  AddFaultRows();
}

void ErrorBoxTest::error_keeps_only_fields_the_calculation_wrote() {
  QFETCH(QStringList, inputs);
  QFETCH(QStringList, outputs);
  BoxSeen seen;
  CalculateAnsweringBox(inputs, seen);

  QVERIFY(seen.shown);
  QCOMPARE(Outputs(), outputs);
  QCOMPARE(FieldTexts().first(5), inputs);
  // The exact inductance belonged to the complete calculation before.
  QCOMPARE(LTooltip(), QString());
}

void ErrorBoxTest::calculation_after_error_gives_default_results_data() {
  AddFaultRows();
}

void ErrorBoxTest::calculation_after_error_gives_default_results() {
  QFETCH(QStringList, inputs);
  BoxSeen seen;
  CalculateAnsweringBox(inputs, seen);
  QVERIFY(seen.shown);
  QVERIFY(Window().isEnabled());

  SetInputs(kStartupInputs[0], kStartupInputs[1], kStartupInputs[2], kStartupInputs[3],
            kStartupInputs[4]);
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  QCOMPARE(Outputs(), kDefaultResults);
}

void ErrorBoxTest::window_ignores_clicks_and_enter_while_box_is_open() {
  BoxSeen seen;
  QStringList outputsWhileOpen;
  // With valid inputs in place, a calculation that got through would fill
  // the results at once.
  const auto tryToCalculate = [&] {
    SetInputs(kStartupInputs[0], kStartupInputs[1], kStartupInputs[2], kStartupInputs[3],
              kStartupInputs[4]);
    QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
    QTest::keyClick(Field("edLambda"), Qt::Key_Return);
    QTest::keyClick(&Window(), Qt::Key_Return);
    outputsWhileOpen = Outputs();
  };
  CalculateAnsweringBox({"abc", "0.02", "0.03", "0.001", "0.6"}, seen, tryToCalculate);

  QVERIFY(seen.shown);
  QCOMPARE(outputsWhileOpen, QStringList({"", "", "", ""}));
  QCOMPARE(Outputs(), QStringList({"", "", "", ""}));
}

void ErrorBoxTest::focus_returns_to_the_field_typed_in_data() {
  QTest::addColumn<QString>("field");
  QTest::newRow("edR1") << "edR1";
  QTest::newRow("edD") << "edD";
  QTest::newRow("edLambda") << "edLambda";
}

// Keys go to the window, which hands them to whichever widget has the focus:
// type a word, Enter to calculate, Enter on the box, type again.
void ErrorBoxTest::focus_returns_to_the_field_typed_in() {
  QFETCH(QString, field);
  QWindow* window = Window().windowHandle();
  Field(field)->setFocus();
  QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
  for (const char key : {'a', 'b', 'c'}) {
    QTest::keyClick(window, key);
  }
  QCOMPARE(Field(field)->text(), QStringLiteral("abc"));

  BoxSeen seen;
  AnswerBox([window] { QTest::keyClick(window, Qt::Key_Return); }, seen, {},
            [](QMessageBox* box) { QTest::keyClick(box->windowHandle(), Qt::Key_Return); });
  QVERIFY(seen.shown);
  QCOMPARE(seen.text, QStringLiteral("'abc' is not a valid floating point value."));

  QVERIFY(QTest::qWaitForWindowActive(&Window(), kPatienceMs));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Field(field)));
  for (const char key : {'1', '2'}) {
    QTest::keyClick(window, key);
  }
  QCOMPARE(Field(field)->text(), QStringLiteral("abc12"));
}

// Under a "," separator a "." is just another character.
void ErrorBoxTest::point_is_no_decimal_mark_under_comma() {
  SetDecimalMark(',');
  SetInputs("0.01", "0,02", "0,03", "0,001", "0,6");
  BoxSeen seen;
  AnswerBox([this] { QTest::mouseClick(Button("btProcess"), Qt::LeftButton); }, seen);
  SetDecimalMark('.');
  QVERIFY(seen.shown);
  QCOMPARE(seen.text, QStringLiteral("'0.01' is not a valid floating point value."));
}

void ErrorBoxTest::window_is_enabled_again_however_box_is_closed_data() {
  QTest::addColumn<int>("way");
  QTest::newRow("OK clicked") << 0;
  QTest::newRow("Enter pressed") << 1;
  QTest::newRow("Escape pressed") << 2;
  QTest::newRow("closed") << 3;
}

void ErrorBoxTest::window_is_enabled_again_however_box_is_closed() {
  QFETCH(int, way);
  const auto close = [way](QMessageBox* box) {
    switch (way) {
      case 0:
        PressOk(box);
        break;
      case 1:
        QTest::keyClick(box, Qt::Key_Return);
        break;
      case 2:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      default:
        box->close();
        break;
    }
  };
  BoxSeen seen;
  CalculateAnsweringBox({"abc", "0.02", "0.03", "0.001", "0.6"}, seen, {}, close);

  QVERIFY(seen.shown);
  QVERIFY(!seen.windowEnabled);
  QVERIFY(Window().isEnabled());
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QVERIFY(QTest::qWaitForWindowActive(&Window(), kPatienceMs));
  QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&Window()));
}

void ErrorBoxTest::full_stop_is_appended_even_after_one() {
  BoxSeen seen;
  AnswerBox([] { ShowErrorBox(Exception("Ends with a stop.")); }, seen);
  QVERIFY(seen.shown);
  QCOMPARE(seen.text, QStringLiteral("Ends with a stop.."));
  QVERIFY(Window().isEnabled());
}

void ErrorBoxTest::report_releases_mouse_grab() {
  Button("btProcess")->grabMouse();
  QCOMPARE(QWidget::mouseGrabber(), static_cast<QWidget*>(Button("btProcess")));

  BoxSeen seen;
  AnswerBox([this] { ReportEventError(&Window(), EZeroDivide()); }, seen);
  QVERIFY(seen.shown);
  QCOMPARE(seen.text, QStringLiteral("Floating point division by zero."));
  QVERIFY(!seen.mouseGrabbed);
}

void ErrorBoxTest::box_caption_is_cut_to_255_characters() {
  SetApplicationTitle(QString(300, QChar(u'ж')));
  BoxSeen seen;
  AnswerBox([] { ShowErrorBox(EOverflow()); }, seen);
  SetApplicationTitle();

  QVERIFY(seen.shown);
  QCOMPARE(seen.title, QString(255, QChar(u'ж')));
  QCOMPARE(seen.text, QStringLiteral("Floating point overflow."));
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::ErrorBoxTest)
#include "error_box_test.moc"
