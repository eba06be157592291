// The window: its controls, keys, and the calculation behind its button.
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "app/exact_inductance_tooltip.h"
#include "calc/number_text.h"
#include "tests/gui/gui_test_fixture.h"

namespace tarnel::gui_test {

// The outputs of a complete calculation with the start-up inputs.
const QStringList kDefaultResults = {"229.2", "0.4593", "0.0008033", "Готов ..."};

class MainWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void form_places_controls_as_designed_data();
  void form_places_controls_as_designed();
  void startup_texts_use_the_decimal_mark_data();
  void startup_texts_use_the_decimal_mark();
  void window_opens_at_its_place_with_its_caption();
  void desktop_names_are_ascii_and_match_the_entry();
  void window_cannot_be_resized_or_maximised();
  void window_uses_sans_serif_11_pixels_and_blue_title();
  void captions_fit_their_controls();
  void frame_lines_cross_no_control_data();
  void frame_lines_cross_no_control();
  void label_on_button_face_matches_its_group_box();
  void window_and_exit_button_show_their_icons();
  void labels_name_their_fields_data();
  void labels_name_their_fields();
  void calculate_straight_after_start_gives_default_results();
  void enter_in_field_runs_calculation_data();
  void enter_in_field_runs_calculation();
  void enter_on_focused_button_presses_it_data();
  void enter_on_focused_button_presses_it();
  void tab_visits_controls_in_designed_order();
  void escape_does_nothing_data();
  void escape_does_nothing();
  void broken_rule_shows_message_and_clears_results_data();
  void broken_rule_shows_message_and_clears_results();
  void l_tooltip_compares_with_the_exact_inductance_data();
  void l_tooltip_compares_with_the_exact_inductance();
  void l_tooltip_writes_its_numbers_data();
  void l_tooltip_writes_its_numbers();
  void closing_window_ends_event_loop_data();
  void closing_window_ends_event_loop();
};

void MainWindowTest::form_places_controls_as_designed_data() {
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");

  const auto row = [](const char* name, const char* parent, QRect geometry, const char* text) {
    QTest::newRow(name) << QString(parent) << geometry << QString(text);
  };
  row("Label1", "fmTarnel", {0, 0, 518, 13},
      "Цилиндрический соленоид: расчет числа витков, активного сопротивления и индуктивности");
  row("BitBtn1", "fmTarnel", {432, 184, 65, 25}, "Выход");
  row("GroupBox1", "fmTarnel", {16, 24, 249, 185}, "Параметры соленоида:");
  row("lbR1", "GroupBox1", {80, 16, 128, 13}, "Внутренний радиус R1, м");
  row("lbR2", "GroupBox1", {80, 48, 114, 13}, "Внешний радиус R2, м");
  row("lbH", "GroupBox1", {80, 80, 63, 13}, "Высота H, м");
  row("lbD", "GroupBox1", {80, 112, 129, 13}, "Диаметр провода D, м");
  row("lbLambda", "GroupBox1", {80, 144, 152, 13}, "Фактор упаковки Lambda (<1)");
  row("edR1", "GroupBox1", {8, 16, 57, 21}, "0.01");
  row("edR2", "GroupBox1", {8, 48, 57, 21}, "0.02");
  row("edD", "GroupBox1", {8, 112, 57, 21}, "0.001");
  row("edH", "GroupBox1", {8, 80, 57, 21}, "0.03");
  row("edLambda", "GroupBox1", {8, 144, 57, 21}, "0.6");
  row("btProcess", "fmTarnel", {288, 184, 65, 25}, "Расчет");
  row("GroupBox2", "fmTarnel", {288, 24, 209, 113}, "Расчетные значения:");
  row("lbN", "GroupBox2", {96, 16, 70, 13}, "Число витков");
  row("lbR", "GroupBox2", {96, 48, 100, 13}, "Сопротивление, Ом");
  row("lbL", "GroupBox2", {96, 80, 95, 13}, "Индуктивность, Гн");
  row("edN", "GroupBox2", {16, 16, 65, 21}, "");
  row("edR", "GroupBox2", {16, 48, 65, 21}, "");
  row("edL", "GroupBox2", {16, 80, 65, 21}, "");
  row("edMessage", "fmTarnel", {288, 152, 209, 21}, "Готов ...");
}

void MainWindowTest::form_places_controls_as_designed() {
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);

  const auto* control = Window().findChild<QWidget*>(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  QCOMPARE(control->parentWidget()->objectName(), parent);
  QVERIFY(control->isVisible());
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label != nullptr && label->objectName() != "Label1") {
    // Labels keep their place and grow only where the font's text is wider.
    QCOMPARE(control->pos(), geometry.topLeft());
    QCOMPARE(control->height(), geometry.height());
    QCOMPARE(control->width(), std::max(geometry.width(), label->sizeHint().width()));
  } else {
    QCOMPARE(control->geometry(), geometry);
  }

  QString shown;
  if (label != nullptr) {
    shown = label->text();
  } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
    shown = button->text();
  } else if (const auto* box = qobject_cast<const QGroupBox*>(control)) {
    shown = box->title();
  } else if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
    shown = field->text();
  } else {
    QFAIL("unexpected kind of control");
  }
  QCOMPARE(shown, text);
}

void MainWindowTest::startup_texts_use_the_decimal_mark_data() {
  QTest::addColumn<char>("mark");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QStringList>("results");
  QTest::newRow(".") << '.' << QStringList{"0.01", "0.02", "0.03", "0.001", "0.6"}
                     << kDefaultResults;
  QTest::newRow(",") << ',' << QStringList{"0,01", "0,02", "0,03", "0,001", "0,6"}
                     << QStringList{"229,2", "0,4593", "0,0008033", "Готов ..."};
}

// A window opened under either separator computes its own defaults.
void MainWindowTest::startup_texts_use_the_decimal_mark() {
  QFETCH(char, mark);
  QFETCH(QStringList, inputs);
  QFETCH(QStringList, results);
  SetDecimalMark(mark);
  TfmTarnel window;
  SetDecimalMark('.');
  const auto texts = [&window] {
    QStringList shown;
    for (const QString& name : kFieldNames) {
      shown.append(window.findChild<QLineEdit*>(name)->text());
    }
    return shown;
  };
  const QStringList ready = {"", "", "", "Готов ..."};
  QCOMPARE(texts(), inputs + ready);

  SetDecimalMark(mark);
  QTest::mouseClick(window.findChild<QPushButton*>("btProcess"), Qt::LeftButton);
  SetDecimalMark('.');
  QCOMPARE(texts(), inputs + results);
}

void MainWindowTest::window_opens_at_its_place_with_its_caption() {
  QCOMPARE(Window().objectName(), QStringLiteral("fmTarnel"));
  QCOMPARE(Window().pos(), QPoint(97, 114));
  QCOMPARE(Window().size(), QSize(518, 231));
  static const QRegularExpression caption(R"(^Tarnel V2\.0 \(\S+; E-mail: \S+@\S+\)$)");
  QVERIFY2(caption.match(Window().windowTitle()).hasMatch(), qPrintable(Window().windowTitle()));
}

// X11 writes the application name into WM_CLASS, a Latin-1 property, and
// the desktop matches the running window to its entry by it.
void MainWindowTest::desktop_names_are_ascii_and_match_the_entry() {
  const QString name = QApplication::applicationName();
  QVERIFY2(!name.isEmpty() &&
               std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; }),
           qPrintable(name));
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.example.Tarnel"));

  QFile entry(QStringLiteral(TARNEL_DESKTOP_ENTRY));
  QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
  QVERIFY(lines.contains(QStringLiteral("StartupWMClass=") + name));
  QCOMPARE(QFileInfo(entry).completeBaseName(), QGuiApplication::desktopFileName());
}

void MainWindowTest::window_cannot_be_resized_or_maximised() {
  QCOMPARE(Window().minimumSize(), QSize(518, 231));
  QCOMPARE(Window().maximumSize(), QSize(518, 231));
  Window().resize(800, 600);
  QCOMPARE(Window().size(), QSize(518, 231));

  const Qt::WindowFlags flags = Window().windowFlags();
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
}

// Run where a stand-in of "MS Sans Serif" is installed.
void MainWindowTest::window_uses_sans_serif_11_pixels_and_blue_title() {
  const QStringList standIns = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                "Arial"};
  for (const QWidget* control : Window().findChildren<QWidget*>()) {
    QVERIFY2(standIns.contains(QFontInfo(control->font()).family()),
             qPrintable(QFontInfo(control->font()).family()));
    QCOMPARE(control->font().pixelSize(), 11);
  }
  const auto* title = Window().findChild<QLabel*>("Label1");
  QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::blue));
  QVERIFY(title->alignment() == (Qt::AlignHCenter | Qt::AlignTop));
  const QColor buttonFace = Window().palette().color(QPalette::Button);
  for (const char* name : {"Label1", "lbN"}) {
    const auto* label = Window().findChild<QLabel*>(name);
    QVERIFY2(label->autoFillBackground(), name);
    QCOMPARE(label->palette().color(QPalette::Window), buttonFace);
  }
}

// Whatever font is installed (TARNEL_TEST_FONT names the one the test run
// offers), no caption is wider than the control that shows it.
void MainWindowTest::captions_fit_their_controls() {
  const QByteArray offered = qgetenv("TARNEL_TEST_FONT");
  if (!offered.isEmpty()) {
    QCOMPARE(QFontInfo(Window().font()).family(), QString::fromUtf8(offered));
  }
  int checked = 0;
  for (const QLabel* label : Window().findChildren<QLabel*>()) {
    const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
    QVERIFY2(width <= label->width(), qPrintable(label->objectName()));
    ++checked;
  }
  for (const QPushButton* button : Window().findChildren<QPushButton*>()) {
    // The centred text may run into the margins, not into the bevel.
    const int bevel = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    const int width = QFontMetrics(button->font()).horizontalAdvance(button->text());
    QVERIFY2(width + icon + 2 * bevel <= button->width(), qPrintable(button->objectName()));
    ++checked;
  }
  for (const QGroupBox* box : Window().findChildren<QGroupBox*>()) {
    const int width = QFontMetrics(box->font()).horizontalAdvance(box->title());
    QVERIFY2(width + 16 <= box->width(), qPrintable(box->objectName()));
    ++checked;
  }
  QCOMPARE(checked, 9 + 2 + 2);
}

void MainWindowTest::frame_lines_cross_no_control_data() {
  QTest::addColumn<QString>("box");
  QTest::newRow("GroupBox1") << "GroupBox1";
  QTest::newRow("GroupBox2") << "GroupBox2";
}

// The group box painted alone: every pixel it paints, frame line or caption,
// lies outside every control placed in it.
void MainWindowTest::frame_lines_cross_no_control() {
  QFETCH(QString, box);
  auto* group = Window().findChild<QGroupBox*>(box);
  QImage alone(group->size(), QImage::Format_ARGB32_Premultiplied);
  alone.fill(Qt::transparent);
  group->render(&alone, QPoint(), QRegion(), QWidget::RenderFlags());

  int topLine = -1;
  for (int y = 0; y < alone.height(); ++y) {
    int paintedInRow = 0;
    for (int x = 0; x < alone.width(); ++x) {
      if (qAlpha(alone.pixel(x, y)) == 0) {
        continue;
      }
      ++paintedInRow;
      for (const QWidget* control : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(!control->geometry().contains(x, y),
                 qPrintable(QStringLiteral("%1 painted at %2,%3 under %4")
                                .arg(box)
                                .arg(x)
                                .arg(y)
                                .arg(control->objectName())));
      }
    }
    if (topLine < 0 && paintedInRow > alone.width() / 2) {
      topLine = y;
    }
  }
  // The top of the frame runs above the first row of controls.
  QVERIFY(topLine >= 0);
  QVERIFY2(topLine < 16, qPrintable(QString::number(topLine)));
}

// lbN fills its place with the button face; inside its group box that must be
// the colour around it.
void MainWindowTest::label_on_button_face_matches_its_group_box() {
  const QImage window = Window().grab().toImage();
  const auto* lbN = Window().findChild<QLabel*>("lbN");
  const QPoint corner = lbN->mapTo(&Window(), QPoint(0, 0));
  const QPoint beside = lbN->mapTo(&Window(), QPoint(-6, lbN->height() / 2));
  const QColor fill = window.pixelColor(corner);
  const QColor around = window.pixelColor(beside);
  QCOMPARE(fill, lbN->palette().color(QPalette::Window));
  QCOMPARE(around, fill);
}

// The icons are shipped as raw pixels of the pictures in app/icons.
void MainWindowTest::window_and_exit_button_show_their_icons() {
  // Pixels only: the file also names a colour space, which the raw pixels
  // do not carry.
  const auto picture = [](const char* file) {
    QImage image = QImage(QStringLiteral(TARNEL_ICON_DIR "/") + QLatin1String(file))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setColorSpace(QColorSpace());
    return image;
  };
  const QIcon window = Window().windowIcon();
  QVERIFY(window.availableSizes().contains(QSize(32, 32)));
  QCOMPARE(window.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
           picture("tarnel.png"));
  const QIcon close = Button("BitBtn1")->icon();
  QVERIFY(close.availableSizes().contains(QSize(16, 16)));
  QCOMPARE(close.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
           picture("close.png"));
}

void MainWindowTest::labels_name_their_fields_data() {
  QTest::addColumn<QString>("field");
  QTest::newRow("lbR1") << "edR1";
  QTest::newRow("lbR2") << "edR2";
  QTest::newRow("lbH") << "edH";
  QTest::newRow("lbD") << "edD";
  QTest::newRow("lbLambda") << "edLambda";
  QTest::newRow("lbN") << "edN";
  QTest::newRow("lbR") << "edR";
  QTest::newRow("lbL") << "edL";
}

void MainWindowTest::labels_name_their_fields() {
  QFETCH(QString, field);
  const auto* label = Window().findChild<QLabel*>(QTest::currentDataTag());
  QVERIFY(label != nullptr);
  QCOMPARE(label->buddy(), static_cast<QWidget*>(Field(field)));
  QCOMPARE(Field(field)->accessibleName(), label->text());
}

void MainWindowTest::calculate_straight_after_start_gives_default_results() {
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  QCOMPARE(Outputs(), kDefaultResults);
  QCOMPARE(FieldTexts().first(5), QStringList({"0.01", "0.02", "0.03", "0.001", "0.6"}));
}

void MainWindowTest::enter_in_field_runs_calculation_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("key");
  for (const QString& name : kFieldNames) {
    QTest::addRow("Return in %s", qPrintable(name)) << name << int(Qt::Key_Return);
    QTest::addRow("keypad Enter in %s", qPrintable(name)) << name << int(Qt::Key_Enter);
  }
  QTest::newRow("Return on btProcess") << "btProcess" << int(Qt::Key_Return);
  QTest::newRow("keypad Enter on btProcess") << "btProcess" << int(Qt::Key_Enter);
}

void MainWindowTest::enter_in_field_runs_calculation() {
  QFETCH(QString, control);
  QFETCH(int, key);
  auto* widget = Window().findChild<QWidget*>(control);
  widget->setFocus();
  QCOMPARE(Window().focusWidget(), widget);
  Field("edMessage")->setText("");

  QTest::keyClick(widget, Qt::Key(key));
  QCOMPARE(Outputs(), kDefaultResults);
}

// Reached by Tab from the button that has the focus at first, as a user
// would: Enter then presses the button the focus is on, not the default one.
void MainWindowTest::enter_on_focused_button_presses_it_data() {
  QTest::addColumn<int>("tabs");
  QTest::addColumn<int>("key");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<bool>("closes");
  QTest::newRow("Return on BitBtn1") << 1 << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
  QTest::newRow("keypad Enter on BitBtn1")
      << 1 << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
  QTest::newRow("Return on btProcess, Tab round the window")
      << 11 << int(Qt::Key_Return) << Qt::KeyboardModifiers() << false;
  QTest::newRow("keypad Enter on btProcess, Tab round the window")
      << 11 << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << false;
}

void MainWindowTest::enter_on_focused_button_presses_it() {
  QFETCH(int, tabs);
  QFETCH(int, key);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(bool, closes);
  Button("btProcess")->setFocus();
  for (int i = 0; i < tabs; ++i) {
    QTest::keyClick(Window().focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(Window().focusWidget(), closes ? Button("BitBtn1") : Button("btProcess"));
  Field("edMessage")->setText("");

  QTest::keyClick(Window().focusWidget(), Qt::Key(key), modifiers);
  QCOMPARE(Window().isVisible(), !closes);
  if (!closes) {
    QCOMPARE(Outputs(), kDefaultResults);
  } else {
    QCOMPARE(Field("edMessage")->text(), QString());
  }
}

void MainWindowTest::tab_visits_controls_in_designed_order() {
  const QStringList order = QStringList{"btProcess", "BitBtn1"} + kFieldNames;
  Button("btProcess")->setFocus();

  QStringList visited = {Window().focusWidget()->objectName()};
  for (qsizetype i = 0; i < order.size(); ++i) {
    QTest::keyClick(Window().focusWidget(), Qt::Key_Tab);
    visited.append(Window().focusWidget()->objectName());
  }
  QCOMPARE(visited, order + QStringList{"btProcess"});

  QTest::keyClick(Window().focusWidget(), Qt::Key_Backtab);
  QCOMPARE(Window().focusWidget()->objectName(), QStringLiteral("edMessage"));
}

void MainWindowTest::escape_does_nothing_data() {
  QTest::addColumn<QString>("control");
  for (const char* name : {"btProcess", "BitBtn1", "edR1", "edLambda", "edN", "edMessage"}) {
    QTest::newRow(name) << QString(name);
  }
}

void MainWindowTest::escape_does_nothing() {
  QFETCH(QString, control);
  auto* widget = Window().findChild<QWidget*>(control);
  widget->setFocus();
  const QStringList before = FieldTexts();

  QTest::keyClick(widget, Qt::Key_Escape);
  QTest::keyClick(&Window(), Qt::Key_Escape);
  QVERIFY(Window().isVisible());
  QCOMPARE(FieldTexts(), before);
  QCOMPARE(Window().focusWidget(), widget);
}

void MainWindowTest::broken_rule_shows_message_and_clears_results_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("message");

  QTest::newRow("R2 equal to R1") << QStringList{"0.01", "0.01", "0.03", "0.001", "0.6"}
                                  << "Введите R2 > R1";
  QTest::newRow("R2 below R1, Lambda 2 as well")
      << QStringList{"0.02", "0.01", "0.03", "0.001", "2"} << "Введите R2 > R1";
  QTest::newRow("D wider than the winding")
      << QStringList{"0.25", "0.75", "0.5", "0.6", "0.5"} << "Введите D < R2 - R1";
  QTest::newRow("D taller than H")
      << QStringList{"0.01", "0.02", "0.0005", "0.001", "0.6"} << "Введите D < H";
  QTest::newRow("Lambda 0") << QStringList{"0.01", "0.02", "0.03", "0.001", "0"}
                            << "Введите Lambda > 0";
  QTest::newRow("Lambda negative")
      << QStringList{"0.01", "0.02", "0.03", "0.001", "-0.5"} << "Введите Lambda > 0";
  QTest::newRow("Lambda 1") << QStringList{"0.01", "0.02", "0.03", "0.001", "1"}
                            << "Введите Lambda < 1";
  QTest::newRow("D 0") << QStringList{"0.01", "0.02", "0.03", "0", "0.6"} << "Введите D > 0";
  QTest::newRow("R1 negative") << QStringList{"-0.01", "0.02", "0.03", "0.001", "0.6"}
                               << "Введите R1 >= 0";
}

void MainWindowTest::broken_rule_shows_message_and_clears_results() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, message);
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  QCOMPARE(Outputs().first(2), kDefaultResults.first(2));

  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  QCOMPARE(Outputs(), QStringList({"", "", "", message}));
  QCOMPARE(FieldTexts().first(5), inputs);
  QCOMPARE(LTooltip(), QString());
}

void MainWindowTest::l_tooltip_compares_with_the_exact_inductance_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("expected");

  // The default coil: 15.29476819 nH per turn squared (the reference tests'
  // R10_20_H30) times N^2, N = 229.18; the window's L is 0.0008033. Then the
  // same shape 1e-200 and 1e200 times the size, D alike: the same turns, the
  // same deviation.
  for (const int power : {0, -200, 200}) {
    const auto length = [power](int mantissa, int exponent) {
      return QStringLiteral("%1e%2").arg(mantissa).arg(exponent + power);
    };
    QTest::addRow("default coil at 1e%d", power)
        << QStringList{length(1, -2), length(2, -2), length(3, -2), length(1, -3), "0.6"}
        << QStringLiteral(
               "Точно (равномерная плотность тока): %1 Гн; формула отличается "
               "на -0.007546 %")
               .arg(power == 0 ? QStringLiteral("0.0008034")
                               : QStringLiteral("8.034E%1").arg(power - 4));
  }
  // Ten million times longer than wide: beyond the verified shapes.
  QTest::newRow("too long to verify")
      << QStringList{"0.01", "0.02", "3e5", "0.001", "0.6"}
      << "Точное значение для этой обмотки не вычисляется: её форма или размер вне проверенной "
         "области";
}

void MainWindowTest::l_tooltip_compares_with_the_exact_inductance() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, expected);
  QCOMPARE(LTooltip(), QString());

  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  QTest::mouseClick(Button("btProcess"), Qt::LeftButton);
  QCOMPARE(Outputs().last(), QStringLiteral("Готов ..."));
  QCOMPARE(LTooltip(), expected);
  QCOMPARE(QToolTip::text(), expected);

  // Typing into edL by hand leaves no computed L to compare.
  QTest::keyClick(Field("edL"), Qt::Key_1);
  QCOMPARE(LTooltip(), QString());
}

void MainWindowTest::closing_window_ends_event_loop_data() {
  QTest::addColumn<bool>("byExitButton");
  QTest::newRow("exit button") << true;
  QTest::newRow("title bar close") << false;
}

void MainWindowTest::closing_window_ends_event_loop() {
  QFETCH(bool, byExitButton);
  QObject scope;
  bool closeRequested = false;
  QTimer::singleShot(0, &scope, [&] {
    closeRequested = true;
    if (byExitButton) {
      QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);
    } else {
      Window().close();
    }
  });
  QTimer::singleShot(5000, &scope, [] { QApplication::exit(1); });

  QCOMPARE(QApplication::exec(), 0);
  QVERIFY(closeRequested);
  QVERIFY(!Window().isVisible());
}

void MainWindowTest::l_tooltip_writes_its_numbers_data() {
  QTest::addColumn<double>("exactL");
  QTest::addColumn<double>("deviation");
  QTest::addColumn<QChar>("mark");
  QTest::addColumn<QString>("numbers");  // the exact value, then the deviation

  // The figures read as the fields do: edL shows 0.0008033 beside the first.
  QTest::newRow("small deviation")
      << 8.0335622e-4 << -7.5459e-5 << QChar('.') << "0.0008034 | -0.007546";
  QTest::newRow("comma, per cents") << 1.23456e-12 << 0.17234 << QChar(',') << "1,235E-12 | +17,23";
  QTest::newRow("rounds up to 100") << 2.0 << -0.999996 << QChar(',') << "2 | -100";
  QTest::newRow("tiny deviation") << 5e300 << 3.44e-8 << QChar('.') << "5E300 | +3.44E-6";
  QTest::newRow("no deviation") << 1.0 << 0.0 << QChar('.') << "1 | +0";
  QTest::newRow("one per cent") << 0.5 << 0.01 << QChar(',') << "0,5 | +1";
  QTest::newRow("a thousand") << 1000.0 << 0.5 << QChar('.') << "1000 | +50";
  QTest::newRow("ten thousand") << 24100.0 << 99.995 << QChar('.') << "2.41E4 | +1E4";
}

void MainWindowTest::l_tooltip_writes_its_numbers() {
  QFETCH(double, exactL);
  QFETCH(double, deviation);
  QFETCH(QChar, mark);
  QFETCH(QString, numbers);
  const QStringList parts = numbers.split(" | ");
  SetDecimalMark(mark.toLatin1());
  const QString text = ExactInductanceTooltipText({true, exactL, deviation});
  SetDecimalMark('.');
  QCOMPARE(text, QStringLiteral("Точно (равномерная плотность тока): %1 Гн; формула отличается "
                                "на %2 %")
                     .arg(parts[0], parts[1]));
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::MainWindowTest)
#include "main_window_test.moc"
