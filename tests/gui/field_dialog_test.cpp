// «Ток и магнитное поле…» in the context menu of edN and edR, driven by keys.
#include "app/field_dialog.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QWindow>

#include "app/field_plot.h"
#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "field/axial_field.h"
#include "field/calculated_magnet.h"
#include "field/fabry_factor.h"
#include "tests/gui/gui_test_fixture.h"

namespace tarnel::gui_test {
namespace {

// The magnet of the winding the five texts describe.
field::Magnet MagnetOf(const QStringList& inputs) {
  CalculationFields fields = FieldsWithInputs(inputs);
  ComputedValues values;
  RunCalculation(fields, &values);
  return *field::CalculatedMagnet(values);
}

QString Seven(const std::optional<long double>& value) {
  return value ? QString::fromStdString(FormatNumber(*value, GeneralFormat(7)))
               : QStringLiteral("—");
}

}  // namespace

class FieldDialogTest : public WindowTest {
  Q_OBJECT

 private slots:
  void figures_of_each_way_in_data();
  void figures_of_each_way_in();
  void values_it_cannot_use_data();
  void values_it_cannot_use();
  void calculates_first_where_the_window_has_no_result();
  void inputs_that_break_a_rule_open_no_dialog();
  void escape_closes_the_dialog();

 private:
  // Opens the context menu of `field` (Shift+F10, or a context-menu event),
  // picks the entry with the arrow keys and Enter, and leaves the dialog.
  void OpenFieldDialog(QLineEdit* field, bool byMouse, QDialog*& dialog) const;
};

void FieldDialogTest::OpenFieldDialog(QLineEdit* field, bool byMouse, QDialog*& dialog) const {
  dialog = nullptr;
  field->setFocus();
  if (byMouse) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &event);
  } else {
    QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
  }
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr,
                           kPatienceMs);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QVERIFY(menu->actions().size() > 2);
  for (qsizetype i = 0; i < menu->actions().size(); ++i) {
    if (menu->activeAction() != nullptr &&
        menu->activeAction()->text() == FieldEntry::EntryText()) {
      break;
    }
    QTest::keyClick(menu, Qt::Key_Up);
  }
  QVERIFY(menu->activeAction() != nullptr);
  QCOMPARE(menu->activeAction()->text(), QStringLiteral("&Ток и магнитное поле…"));
  QTest::keyClick(menu, Qt::Key_Return);
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr,
                           kPatienceMs);
  dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  QVERIFY(QTest::qWaitForWindowActive(dialog, kPatienceMs));
  QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(&Window()));
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Ток и магнитное поле"));
  // The value has the focus, its text selected for typing over.
  auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("edFieldValue"));
  QVERIFY(value != nullptr);
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(value));
  QVERIFY(value->hasSelectedText());
}

QStringList Figures(const QDialog* dialog) {
  QStringList texts;
  for (int row = 0; row < 10; ++row) {
    texts.append(dialog->findChild<QLabel*>(QStringLiteral("lbFieldText%1").arg(row))->text());
  }
  return texts;
}

void FieldDialogTest::figures_of_each_way_in_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<char>("mark");
  QTest::addColumn<int>("accelerator");  // Alt+ this letter (Н, П, Т) picks the way in; 0: none
  QTest::addColumn<QString>("value");
  QTest::addColumn<int>("drive");
  QTest::addColumn<bool>("byMouse");

  const QStringList startup = {"0.01", "0.02", "0.03", "0.001", "0.6"};
  QTest::newRow("1 A from edN") << "edN" << startup << '.' << 0 << "1"
                                << int(field::Drive::kCurrent) << false;
  QTest::newRow("12 V from edR") << "edR" << startup << '.' << 0x041D << "12"
                                 << int(field::Drive::kVoltage) << false;
  QTest::newRow("10 mT, context-menu event")
      << "edN" << startup << '.' << 0x041F << "0.01" << int(field::Drive::kCentreField) << true;
  QTest::newRow("12,5 V with a comma")
      << "edR" << QStringList{"0,01", "0,02", "0,03", "0,001", "0,6"} << ',' << 0x041D << "12,5"
      << int(field::Drive::kVoltage) << false;
  QTest::newRow("no hole, 2 A") << "edN" << QStringList{"0", "0.02", "0.03", "0.001", "0.6"} << '.'
                                << 0x0422 << "2" << int(field::Drive::kCurrent) << false;
}

// The figures of the way in the keys chose, as the field figures give them,
// and the field drawn along the axis over ±max(H, 2·R2).
void FieldDialogTest::figures_of_each_way_in() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(char, mark);
  QFETCH(int, accelerator);
  QFETCH(QString, value);
  QFETCH(int, drive);
  QFETCH(bool, byMouse);
  const MarkForTest markForTest(mark);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  QDialog* dialog = nullptr;
  OpenFieldDialog(Field(field), byMouse, dialog);
  QVERIFY(dialog != nullptr);
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edFieldValue"));
  if (accelerator != 0) {
    // Not an ASCII key: its text given, as a Russian keyboard layout sends it.
    // through the window system, where shortcuts are matched.
    QTest::sendKeyEvent(QTest::Press, dialog->windowHandle(), static_cast<Qt::Key>(accelerator),
                        QString(QChar(accelerator)).toLower(), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, dialog->windowHandle(), static_cast<Qt::Key>(accelerator),
                        QString(QChar(accelerator)).toLower(), Qt::AltModifier);
    // A mnemonic clicks its button a moment later, as a person sees it.
    QTRY_VERIFY_WITH_TIMEOUT(
        dialog->findChild<QRadioButton*>(QStringLiteral("rbWay%1").arg(drive))->isChecked(),
        kPatienceMs);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->focusWidget(), static_cast<QWidget*>(edit), kPatienceMs);
    QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(edit));
  }
  QTest::keyClicks(edit, value);
  QCOMPARE(edit->text(), value);
  QTest::keyClick(edit, Qt::Key_Return);
  // Enter computes and leaves the dialog open, the focus in the value.
  QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(dialog));
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(edit));
  auto* message = dialog->findChild<QLabel*>(QStringLiteral("lbFieldMessage"));
  QVERIFY2(message->isHidden(), qPrintable(message->text()));

  const field::Magnet magnet = MagnetOf(inputs);
  const field::MagnetFigures f = field::FiguresFor(magnet, static_cast<field::Drive>(drive),
                                                   TextToNumber(value.toStdString()));
  const QStringList figures = Figures(dialog);
  QCOMPARE(figures.first(9),
           (QStringList{Seven(f.centreField), Seven(f.endField), Seven(f.current), Seven(f.voltage),
                        Seven(f.power), Seven(f.currentDensity), Seven(f.energy),
                        Seven(f.timeConstant), Seven(f.heatingRate)}));
  // The energy stands on the exact inductance, not on the formula's.
  QVERIFY(f.energy);
  QVERIFY(figures[9].startsWith(Seven(f.fabryFactor)));
  QVERIFY2(figures[9].contains(QString::fromStdString(
               FormatNumber(field::BestFabryFactor().factor, GeneralFormat(4)))),
           qPrintable(figures[9]));
  for (const QString& text : figures) {
    QVERIFY2(!text.contains(mark == ',' ? '.' : ','), qPrintable(text));
  }

  auto* plot = dialog->findChild<FieldPlot*>();
  QVERIFY(plot != nullptr);
  const Winding& w = magnet.winding;
  QCOMPARE(static_cast<double>(plot->Reach()), static_cast<double>(std::max(w.H, 2 * w.R2)));
  QVERIFY(plot->Points().size() > 100);
  QCOMPARE(static_cast<double>(plot->Points().front().first), -static_cast<double>(plot->Reach()));
  QCOMPARE(static_cast<double>(plot->Points().back().first), static_cast<double>(plot->Reach()));
  // The curve is the field of the shown current.
  const long double density = *field::CurrentDensity(w, magnet.turnCount, *f.current);
  for (const auto& [z, b] : plot->Points()) {
    QCOMPARE(static_cast<double>(b), static_cast<double>(*field::AxialField(w, density, z)));
  }
  QVERIFY(plot->isVisible());
  plot->grab();  // paints without a fault
  QTest::keyClick(edit, Qt::Key_Escape);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void FieldDialogTest::values_it_cannot_use_data() {
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("message");
  QTest::newRow("a word") << " abc "
                          << "«abc» не является числом";
  QTest::newRow("nothing") << ""
                           << "«» не является числом";
  QTest::newRow("a comma under a point") << "1,5"
                                         << "«1,5» не является числом";
  QTest::newRow("zero") << "0"
                        << "Введите значение > 0";
  QTest::newRow("negative") << "-2"
                            << "Введите значение > 0";
}

// Answered in the dialog, the figures cleared, the focus back in the value.
void FieldDialogTest::values_it_cannot_use() {
  QFETCH(QString, value);
  QFETCH(QString, message);
  QDialog* dialog = nullptr;
  OpenFieldDialog(Field("edN"), false, dialog);
  QVERIFY(dialog != nullptr);
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edFieldValue"));
  QVERIFY(!Figures(dialog).first().isEmpty());
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, value);
  QTest::keyClick(edit, Qt::Key_Return);
  auto* shown = dialog->findChild<QLabel*>(QStringLiteral("lbFieldMessage"));
  QVERIFY(!shown->isHidden());
  QCOMPARE(shown->text(), message);
  QCOMPARE(Figures(dialog), QStringList(10, QString()));
  QVERIFY(dialog->findChild<FieldPlot*>()->Points().empty());
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(edit));
  dialog->reject();
}

// The window opens without results; the entry calculates as Calculate does,
// and again when the inputs have changed since.
void FieldDialogTest::calculates_first_where_the_window_has_no_result() {
  QCOMPARE(Field("edN")->text(), QString());
  QDialog* dialog = nullptr;
  OpenFieldDialog(Field("edR"), false, dialog);
  QVERIFY(dialog != nullptr);
  QCOMPARE(Outputs(), (QStringList{"229.2", "0.4593", "0.0008033", "Готов ..."}));
  // The start-up winding at 1 A, from the closed form checked against the
  // loop sums: 6.817927385e-03 T at the centre.
  QCOMPARE(Figures(dialog).first(), QStringLiteral("0.006817927"));
  dialog->reject();
  QCOMPARE(QApplication::activeModalWidget(), nullptr);

  Field("edD")->setText(QStringLiteral("0.0005"));
  OpenFieldDialog(Field("edN"), false, dialog);
  QVERIFY(dialog != nullptr);
  QCOMPARE(Outputs().first(), QStringLiteral("916.7"));
  dialog->reject();
}

void FieldDialogTest::inputs_that_break_a_rule_open_no_dialog() {
  SetInputs("0.02", "0.01", "0.03", "0.001", "0.6");
  Field("edN")->setFocus();
  QTest::keyClick(Field("edN"), Qt::Key_F10, Qt::ShiftModifier);
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr,
                           kPatienceMs);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QTest::keyClick(menu, Qt::Key_Up);
  QCOMPARE(menu->activeAction()->text(), FieldEntry::EntryText());
  QTest::keyClick(menu, Qt::Key_Return);
  QTRY_COMPARE_WITH_TIMEOUT(Outputs(), (QStringList{"", "", "", "Введите R2 > R1"}), kPatienceMs);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void FieldDialogTest::escape_closes_the_dialog() {
  QDialog* dialog = nullptr;
  OpenFieldDialog(Field("edN"), false, dialog);
  QVERIFY(dialog != nullptr);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  // The window keeps its results.
  QCOMPARE(Outputs().first(), QStringLiteral("229.2"));
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::FieldDialogTest)
#include "field_dialog_test.moc"
