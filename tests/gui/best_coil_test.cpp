// The coil of least resistance from the context menu of edR1, edR2 and edH,
// driven by keys.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "app/design_entry.h"
#include "app/field_text_fit.h"
#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "reference/exact_comparison.h"
#include "tests/gui/gui_test_fixture.h"
#include "wire/wire_for_resistance.h"

namespace tarnel::gui_test {
namespace {

const QString kEntry = QStringLiteral("Катушка с &наименьшим сопротивлением…");

// The calculation of the five texts: the window's outputs and the exact L
// of the winding (-1 where it is not evaluated).
struct Calculated {
  QStringList outputs;
  long double exactL = -1;
  long double formulaL = -1;  // -1 where there is no L
  long double R2 = 0;
};

Calculated CalculatedFrom(const QStringList& inputs) {
  CalculationFields fields = FieldsWithInputs(inputs);
  ComputedValues values;
  RunCalculation(fields, &values);
  Calculated calculated;
  calculated.outputs = {QString::fromStdString(fields.edN), QString::fromStdString(fields.edR),
                        QString::fromStdString(fields.edL),
                        QString::fromStdString(fields.edMessage)};
  if (values.N && values.winding && values.L) {
    calculated.formulaL = *values.L;
    calculated.R2 = values.winding->R2;
    const reference::ExactComparison comparison =
        reference::CompareWithExact(*values.winding, *values.N, *values.L);
    calculated.exactL = comparison.evaluated ? comparison.exactL : -1;
  }
  return calculated;
}

// The significant digits of a number's text: without sign, mark, exponent
// and leading zeros.
int SignificantDigits(const QString& text) {
  QString mantissa = text.section(QLatin1Char('E'), 0, 0);
  mantissa.remove(QRegularExpression(QStringLiteral("[^0-9]")));
  mantissa.remove(QRegularExpression(QStringLiteral("^0+")));
  return static_cast<int>(mantissa.size());
}

}  // namespace

class BestCoilTest : public WindowTest {
  Q_OBJECT

 private slots:
  void entry_writes_the_coil_and_states_it_data();
  void entry_writes_the_coil_and_states_it();
  void dialog_names_what_stops_it_data();
  void dialog_names_what_stops_it();
  void dialog_offers_the_winding_as_it_stands_data();
  void dialog_offers_the_winding_as_it_stands();
  void limit_picks_the_wire_and_shows_its_sheet_data();
  void limit_picks_the_wire_and_shows_its_sheet();
  void limit_names_what_stops_it_data();
  void limit_names_what_stops_it();

 private:
  // Opens the field's menu with Shift+F10, picks the entry by its
  // accelerator key and leaves the dialog it opens in `dialog`.
  void OpenDialog(QLineEdit* field, QDialog*& dialog) const;
  // Fills the dialog by keys: the target, the boxes, the outer limit, then
  // Enter.
  static void Answer(QDialog* dialog, const QString& target, bool keepR1, bool keepH,
                     const QString& limit);
  // The same with nothing kept, then on to the resistance limit, the family
  // and the style (Down presses in each list), then Enter.
  static void AnswerWithLimit(QDialog* dialog, const QString& target, const QString& outerLimit,
                              const QString& maxResistance, int familyDowns, int styleDowns);
  // Gives edR1, edR2 and edH the width `width`; 0 leaves them as they are.
  void SetDimensionWidths(int width) const;
};

void BestCoilTest::OpenDialog(QLineEdit* field, QDialog*& dialog) const {
  dialog = nullptr;
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr,
                           kPatienceMs);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    texts << action->text();
  }
  QCOMPARE(texts.last(), kEntry);
  // The design entry of edR2 and edH stays beside it.
  if (field->objectName() != QStringLiteral("edR1")) {
    QVERIFY2(texts.contains(
                 QStringLiteral("Подо&брать %1 по индуктивности…").arg(field->objectName().mid(2))),
             qPrintable(texts.join(QLatin1Char('|'))));
  }
  // The accelerator «н», as a Russian keyboard sends it.
  QTest::sendKeyEvent(QTest::Press, menu, static_cast<Qt::Key>(0x041D), QStringLiteral("н"),
                      Qt::NoModifier);
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr,
                           kPatienceMs);
  dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  QVERIFY(QTest::qWaitForWindowActive(dialog, kPatienceMs));
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Катушка с наименьшим сопротивлением"));
  QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("edBestTarget"));
  // Every wrapped text of the dialog has the height of all its lines.
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    if (label->wordWrap() && label->isVisible()) {
      QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
    }
  }
}

void BestCoilTest::Answer(QDialog* dialog, const QString& target, bool keepR1, bool keepH,
                          const QString& limit) {
  QWidget* focus = dialog->focusWidget();
  QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(focus, Qt::Key_Delete);
  QTest::keyClicks(focus, target);
  // Tab to each box, Space to tick it; Tab on to the limit.
  for (const bool tick : {keepR1, keepH}) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QVERIFY(qobject_cast<QCheckBox*>(dialog->focusWidget()) != nullptr);
    if (tick) {
      QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
    }
  }
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("edOuterLimit"));
  QTest::keyClicks(dialog->focusWidget(), limit);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
}

void BestCoilTest::SetDimensionWidths(int width) const {
  if (width > 0) {
    for (const char* name : {"edR1", "edR2", "edH"}) {
      Field(name)->setFixedWidth(width);
    }
  }
}

void BestCoilTest::AnswerWithLimit(QDialog* dialog, const QString& target,
                                   const QString& outerLimit, const QString& maxResistance,
                                   int familyDowns, int styleDowns) {
  QWidget* focus = dialog->focusWidget();
  QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(focus, Qt::Key_Delete);
  QTest::keyClicks(focus, target);
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("edOuterLimit"));
  QTest::keyClicks(dialog->focusWidget(), outerLimit);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("edMaxResistance"));
  QTest::keyClicks(dialog->focusWidget(), maxResistance);
  for (const auto& [name, downs] :
       {std::pair{"cbBestFamily", familyDowns}, std::pair{"cbBestStyle", styleDowns}}) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog->focusWidget()->objectName(), QString::fromLatin1(name));
    for (int i = 0; i < downs; ++i) {
      QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);
    }
  }
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
}

void BestCoilTest::entry_writes_the_coil_and_states_it_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");
  QTest::addColumn<bool>("keepR1");
  QTest::addColumn<bool>("keepH");
  QTest::addColumn<QString>("limit");
  QTest::addColumn<char>("mark");
  QTest::addColumn<int>("width");  // of edR1, edR2 and edH; 0: as the window has them

  const QStringList startup = {"0.01", "0.02", "0.03", "0.001", "0.6"};
  QTest::newRow("all free, from edR1")
      << "edR1" << startup << "0.0015" << false << false << "" << '.' << 0;
  QTest::newRow("former kept, from edR2")
      << "edR2" << startup << "0.0015" << true << false << "" << '.' << 0;
  QTest::newRow("bobbin kept, can, from edH")
      << "edH" << startup << "0.0022" << false << true << "0.04" << '.' << 0;
  QTest::newRow("can, comma") << "edR1" << QStringList{"0,01", "0,02", "0,03", "0,001", "0,6"}
                              << "0,0033" << false << false << "0,03" << ',' << 0;
  QTest::newRow("narrow fields") << "edR1" << startup << "0.0015" << false << false << "" << '.'
                                 << 62;
  QTest::newRow("wide fields, all seven")
      << "edH" << startup << "0.0022" << false << false << "" << '.' << 200;
  QTest::newRow("too narrow for four")
      << "edR2" << startup << "0.0015" << false << false << "" << '.' << 30;
}

// The fields get the coil, the calculation runs on it, the dialog stays
// open stating the exact L of the written texts, the resistance the window
// shows and the wire, and draws the coil.
void BestCoilTest::entry_writes_the_coil_and_states_it() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  QFETCH(bool, keepR1);
  QFETCH(bool, keepH);
  QFETCH(QString, limit);
  QFETCH(char, mark);
  QFETCH(int, width);
  const MarkForTest markForTest(mark);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  SetDimensionWidths(width);

  QDialog* dialog = nullptr;
  OpenDialog(Field(field), dialog);
  QVERIFY(dialog != nullptr);
  Answer(dialog, target, keepR1, keepH, limit);
  const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lbBestMessage"));
  QVERIFY2(message->isHidden(), qPrintable(message->text()));
  QCOMPARE(QApplication::activeModalWidget(), dialog);

  const QStringList written = FieldTexts().first(5);
  QCOMPARE(written[3], inputs[3]);
  QCOMPARE(written[4], inputs[4]);
  if (keepR1) {
    QCOMPARE(written[0], inputs[0]);
  }
  if (keepH) {
    QCOMPARE(written[2], inputs[2]);
  }
  const Calculated calculated = CalculatedFrom(written);
  QCOMPARE(Outputs(), calculated.outputs);
  QCOMPARE(calculated.outputs[3], QStringLiteral("Готов ..."));
  // The digits the narrowest of the three fields shows whole, 4 to 7: each
  // text shows whole, or has the fewest digits and stands whole in the
  // field's tooltip.
  int digits = 0;
  for (int i = 0; i < 3; ++i) {
    QLineEdit* edit = Field(kFieldNames[i]);
    const bool kept = (i == 0 && keepR1) || (i == 2 && keepH);
    // A value on a bound may need fewer.
    const int its = kept ? 0 : SignificantDigits(written[i]);
    digits = std::max(digits, its);
    QVERIFY2(its <= kSolvedDigits, qPrintable(written[i]));
    if (ShowsWhole(*edit, written[i])) {
      QVERIFY2(edit->toolTip().isEmpty(), qPrintable(edit->toolTip()));
    } else {
      QVERIFY2(its <= kFewestFieldDigits, qPrintable(written[i]));
      QCOMPARE(edit->toolTip(), written[i]);
    }
  }
  if (width == 200) {
    QCOMPARE(digits, kSolvedDigits);
  }
  if (width == 62) {
    QVERIFY2(digits > kFewestFieldDigits && digits < kSolvedDigits,
             qPrintable(written.join(QLatin1Char(' '))));
  }
  // The written coil is the nearest its digits come to the target.
  const long double wanted = TextToNumber(target.toStdString());
  QVERIFY2(std::fabs(calculated.exactL / wanted - 1) < std::pow(10.0L, 2 - digits),
           qPrintable(written.join(QLatin1Char(' '))));
  if (!limit.isEmpty()) {
    QVERIFY(calculated.R2 <= TextToNumber(limit.toStdString()));
  }
  const QString statement = dialog->findChild<QLabel*>(QStringLiteral("lbBestResult"))->text();
  QVERIFY2(statement.startsWith(
               QStringLiteral("Точная L записанной обмотки: ") +
               QString::fromStdString(FormatNumber(calculated.exactL, GeneralFormat(10))) +
               QStringLiteral(" Гн\nСопротивление: ") + calculated.outputs[1] +
               QStringLiteral(" Ом\nДлина провода: ")),
           qPrintable(statement));

  // Escape closes the dialog; the fields keep the coil.
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), nullptr, kPatienceMs);
  QCOMPARE(FieldTexts().first(5), written);
}

void BestCoilTest::dialog_names_what_stops_it_data() {
  QTest::addColumn<QString>("target");
  QTest::addColumn<bool>("keepR1");
  QTest::addColumn<bool>("keepH");
  QTest::addColumn<QString>("limit");
  QTest::addColumn<QString>("reason");
  QTest::addColumn<QString>("R1");  // edR1's text; empty: as at start-up
  QTest::addColumn<QString>("H");   // edH's text; empty: as at start-up

  QTest::newRow("both kept") << "0.0015" << true << true << ""
                             << "Свободными должны быть хотя бы два из R1, R2 и H"
                             << ""
                             << "";
  QTest::newRow("can too small for the former") << "0.0015" << true << false << "0.015"
                                                << "Катушку не подобрать: мешает верхняя граница R2"
                                                << ""
                                                << "";
  QTest::newRow("target not a number") << "1.5 mH" << false << false << ""
                                       << "L: «1.5 mH» не является числом"
                                       << ""
                                       << "";
  QTest::newRow("no target") << "0" << false << false << ""
                             << "Введите L > 0"
                             << ""
                             << "";
  // The target first, then the window's texts, then the limit.
  QTest::newRow("limit not a number") << "0.0015" << false << false << " 0.0x "
                                      << "R2: «0.0x» не является числом"
                                      << ""
                                      << "";
  QTest::newRow("kept former not a number, nor the limit") << "0.0015" << true << false << "0.0x"
                                                           << "R1: «1 cm» не является числом"
                                                           << "1 cm"
                                                           << "";
  QTest::newRow("free former not read") << "0.0015" << false << true << "0.015"
                                        << "Катушку не подобрать: мешает верхняя граница R2"
                                        << "1 cm"
                                        << "";
  QTest::newRow("target before the former") << "1.5 mH" << true << false << "0.0x"
                                            << "L: «1.5 mH» не является числом"
                                            << "1 cm"
                                            << "";
  QTest::newRow("kept bobbin not a number, nor the limit") << "0.0015" << false << true << "0.0x"
                                                           << "H: «3 cm» не является числом"
                                                           << ""
                                                           << "3 cm";
}

// Nothing is written where nothing is found; the reason stays until the
// text changes.
void BestCoilTest::dialog_names_what_stops_it() {
  QFETCH(QString, target);
  QFETCH(bool, keepR1);
  QFETCH(bool, keepH);
  QFETCH(QString, limit);
  QFETCH(QString, reason);
  QFETCH(QString, R1);
  QFETCH(QString, H);
  if (!R1.isEmpty()) {
    Field("edR1")->setText(R1);
  }
  if (!H.isEmpty()) {
    Field("edH")->setText(H);
  }
  const QStringList before = FieldTexts();
  QDialog* dialog = nullptr;
  OpenDialog(Field("edR1"), dialog);
  QVERIFY(dialog != nullptr);
  Answer(dialog, target, keepR1, keepH, limit);
  const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lbBestMessage"));
  QVERIFY(!message->isHidden());
  QCOMPARE(message->text(), reason);
  QCOMPARE(FieldTexts(), before);
  QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("edBestTarget"));
  QTest::keyClicks(dialog->focusWidget(), QStringLiteral("0"));
  QVERIFY(message->isHidden());
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), nullptr, kPatienceMs);
}

void BestCoilTest::dialog_offers_the_winding_as_it_stands_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("offered");  // "exact", "formula" or the text itself

  QTest::newRow("start-up, from edR1")
      << "edR1" << QStringList{"0.01", "0.02", "0.03", "0.001", "0.6"} << "exact";
  QTest::newRow("changed since the calculation, from edH")
      << "edH" << QStringList{"0.01", "0.025", "0.007", "0.0003", "0.5"} << "exact";
  QTest::newRow("too long to verify, from edR2")
      << "edR2" << QStringList{"0.01", "0.02", "3e5", "0.001", "0.6"} << "formula";
  QTest::newRow("a rule broken") << "edR1" << QStringList{"0.01", "0.02", "0.03", "0.05", "0.6"}
                                 << "";
  QTest::newRow("not a number") << "edH" << QStringList{"0.01", "0.02", "x", "0.001", "0.6"} << "";
}

// The dialog offers the inductance of the winding the fields hold, the
// exact one to ten digits where it is evaluated, whatever edL shows.
void BestCoilTest::dialog_offers_the_winding_as_it_stands() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(QString, offered);
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  const QStringList before = FieldTexts();

  QDialog* dialog = nullptr;
  OpenDialog(Field(field), dialog);
  QVERIFY(dialog != nullptr);
  const QString text = dialog->findChild<QLineEdit*>(QStringLiteral("edBestTarget"))->text();
  if (offered.isEmpty()) {
    QCOMPARE(text, QString());
  } else {
    const Calculated calculated = CalculatedFrom(inputs);
    QVERIFY2(!text.isEmpty(), qPrintable(inputs.join(QLatin1Char(' '))));
    const long double wanted =
        offered == QStringLiteral("exact") ? calculated.exactL : calculated.formulaL;
    QVERIFY(wanted > 0);
    QCOMPARE(calculated.exactL > 0, offered == QStringLiteral("exact"));
    QVERIFY2(std::fabs(TextToNumber(text.toStdString()) / wanted - 1) <= 1e-9L, qPrintable(text));
  }
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), nullptr, kPatienceMs);
  QCOMPARE(FieldTexts(), before);
}

void BestCoilTest::limit_picks_the_wire_and_shows_its_sheet_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("outerLimit");
  // "@R": at the very resistance of the coil under R.
  QTest::addColumn<QString>("maxResistance");
  QTest::addColumn<int>("familyDowns");
  QTest::addColumn<int>("styleDowns");
  QTest::addColumn<char>("mark");
  QTest::addColumn<int>("width");  // of edR1, edR2 and edH; 0: as the window has them

  const QStringList startup = {"0.01", "0.02", "0.03", "0.001", "0.6"};
  QTest::newRow("IEC grade 1 layered") << startup << "0.0015"
                                       << ""
                                       << "3" << 0 << 0 << '.' << 0;
  // The window's D and Lambda are not read: the wire gives them.
  QTest::newRow("AWG heavy orthocyclic, can, D not a number, comma")
      << QStringList{"0,01", "0,02", "0,03", "x", "y"} << "0,0015"
      << "0,02"
      << "2,5" << 3 << 1 << ',' << 0;
  // The limit at the very resistance of the coil of 0.475 mm, 1.97869 ohm,
  // which edR shows as 1.979: that wire is passed over for the next.
  QTest::newRow("at the coil of a wire, narrow fields") << startup << "0.0015"
                                                        << ""
                                                        << "@2" << 0 << 0 << '.' << 62;
}

// The thinnest wire of the family whose coil, as written, meets the limit:
// D and Lambda written as the wire dialog writes them, the calculation run
// on the written texts, the sheet shown, drawn and copied.
void BestCoilTest::limit_picks_the_wire_and_shows_its_sheet() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  QFETCH(QString, outerLimit);
  QFETCH(QString, maxResistance);
  QFETCH(int, familyDowns);
  QFETCH(int, styleDowns);
  QFETCH(char, mark);
  QFETCH(int, width);
  const MarkForTest markForTest(mark);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  SetDimensionWidths(width);
  const wire::WireFamily family = wire::kWireFamilies[static_cast<std::size_t>(familyDowns)];
  const wire::WindingStyle style =
      styleDowns == 1 ? wire::WindingStyle::kOrthocyclic : wire::WindingStyle::kLayered;
  wire::WireLimitRequest request;
  request.coil.targetL = TextToNumber(target.toStdString());
  if (!outerLimit.isEmpty()) {
    request.coil.R2.highest = TextToNumber(outerLimit.toStdString());
  }
  request.family = family;
  request.style = style;
  const bool atACoil = maxResistance.startsWith(QLatin1Char('@'));
  request.maxResistance = TextToNumber(maxResistance.mid(atACoil ? 1 : 0).toStdString());
  const wire::WireForLimit solved = wire::FindWireForResistance(request);
  QVERIFY(solved.found);
  if (atACoil) {
    maxResistance = QString::fromStdString(
        FormatNumber(solved.resistance, CScientificFormat(21, DecimalMark())));
    request.maxResistance = solved.resistance;
  }

  QDialog* dialog = nullptr;
  OpenDialog(Field("edR1"), dialog);
  QVERIFY(dialog != nullptr);
  AnswerWithLimit(dialog, target, outerLimit, maxResistance, familyDowns, styleDowns);
  const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lbBestMessage"));
  QVERIFY2(message->isHidden(), qPrintable(message->text()));

  // The wire the texts name, and that it is the thinnest one allowed.
  const QStringList written = FieldTexts().first(5);
  const NumberFormat wireFormat = wire::WireFieldFormat(mark);
  std::optional<wire::StandardWire> named;
  for (const wire::StandardWire& w : wire::WiresOf(family)) {
    if (FormatNumber(w.copperDiameter, wireFormat) == written[3].toStdString()) {
      named = w;
    }
  }
  QVERIFY2(named.has_value(), qPrintable(written[3]));
  QCOMPARE(written[4].toStdString(), FormatNumber(wire::PackingFactor(*named, style), wireFormat));
  if (atACoil) {
    QVERIFY2(named->copperDiameter > solved.wire.copperDiameter, named->size.c_str());
  } else {
    QCOMPARE(named->size, solved.wire.size);
  }
  const Calculated calculated = CalculatedFrom(written);
  QCOMPARE(Outputs(), calculated.outputs);
  QVERIFY2(TextToNumber(calculated.outputs[1].toStdString()) <= request.maxResistance,
           qPrintable(calculated.outputs[1] + QLatin1Char(' ') + maxResistance));
  QVERIFY2(std::fabs(calculated.exactL / request.coil.targetL - 1) < 1e-3L,
           qPrintable(written.join(QLatin1Char(' '))));

  const auto* sheet = dialog->findChild<QLabel*>(QStringLiteral("lbBestSheet"));
  QVERIFY(sheet->isVisible());
  const QStringList lines = sheet->text().split(QLatin1Char('\n'));
  QVERIFY2(lines.first().startsWith(QStringLiteral("Провод: ")) &&
               lines.first().endsWith(
                   QString::fromStdString(named->size).replace(QLatin1Char('.'), mark) +
                   (wire::IsIecFamily(family) ? QStringLiteral(" мм") : QString())),
           qPrintable(lines.first()));
  // The sheet's whole turns are the window's N rounded down.
  QVERIFY2(lines.contains(QStringLiteral("Целых витков: ") +
                          calculated.outputs[0].section(QLatin1Char(mark), 0, 0)),
           qPrintable(sheet->text()));
  QApplication::clipboard()->clear();
  auto* copy = dialog->findChild<QPushButton*>(QStringLiteral("btCopyBestSheet"));
  for (int i = 0; i < 12 && dialog->focusWidget() != copy; ++i) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(copy));
  QTest::keyClick(copy, Qt::Key_Space);
  QCOMPARE(QApplication::clipboard()->text(), sheet->text());
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), nullptr, kPatienceMs);
  QCOMPARE(FieldTexts().first(5), written);
}

void BestCoilTest::limit_names_what_stops_it_data() {
  QTest::addColumn<QString>("maxResistance");
  QTest::addColumn<QString>("reason");  // the message's beginning

  QTest::newRow("not a number") << " 0.3 ohm "
                                << "R: «0.3 ohm» не является числом";
  QTest::newRow("zero") << "0"
                        << "Введите сопротивление больше 0";
  QTest::newRow("below every coil")
      << "1e-4"
      << "Ни один провод этого ряда не даёт катушку с таким сопротивлением (наименьшее: ";
}

// Nothing is written where no wire is found, and the sheet stays hidden.
void BestCoilTest::limit_names_what_stops_it() {
  QFETCH(QString, maxResistance);
  QFETCH(QString, reason);
  const QStringList before = FieldTexts();
  QDialog* dialog = nullptr;
  OpenDialog(Field("edR1"), dialog);
  QVERIFY(dialog != nullptr);
  AnswerWithLimit(dialog, QStringLiteral("0.0015"), QString(), maxResistance, 0, 0);
  const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lbBestMessage"));
  QVERIFY(!message->isHidden());
  QVERIFY2(message->text().startsWith(reason), qPrintable(message->text()));
  QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("lbBestSheet"))->isHidden());
  QCOMPARE(FieldTexts(), before);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), nullptr, kPatienceMs);
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::BestCoilTest)
#include "best_coil_test.moc"
