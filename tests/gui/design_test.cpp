// Design for a target inductance from the window's context menu, the warning
// sign in edL, and the winder's figures in the tooltips of edN and edR.
#include <QContextMenuEvent>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/design_entry.h"
#include "app/field_text_fit.h"
#include "app/inductance_warning.h"
#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "design/design_request.h"
#include "reference/exact_comparison.h"
#include "tests/gui/gui_test_fixture.h"

namespace tarnel::gui_test {

const QStringList kStartupInputs = {"0.01", "0.02", "0.03", "0.001", "0.6"};

// The significant digits of a number's text: without sign, mark, exponent
// and leading zeros.
int SignificantDigits(const QString& text) {
  QString mantissa = text.section(QLatin1Char('E'), 0, 0);
  mantissa.remove(QRegularExpression(QStringLiteral("[^0-9]")));
  mantissa.remove(QRegularExpression(QStringLiteral("^0+")));
  return static_cast<int>(mantissa.size());
}

// The numbers a calculation on `inputs` computes.
ComputedValues CalculatedValues(const QStringList& inputs) {
  CalculationFields fields = FieldsWithInputs(inputs);
  ComputedValues values;
  RunCalculation(fields, &values);
  return values;
}

QStringList CalculatedOutputs(const QStringList& inputs) {
  CalculationFields fields = FieldsWithInputs(inputs);
  RunCalculation(fields);
  return {QString::fromStdString(fields.edN), QString::fromStdString(fields.edR),
          QString::fromStdString(fields.edL), QString::fromStdString(fields.edMessage)};
}

// The exact inductance of the winding the texts describe.
long double ExactOf(const QStringList& inputs) {
  const ComputedValues values = CalculatedValues(inputs);
  const reference::ExactComparison comparison =
      reference::CompareWithExact(*values.winding, *values.N, *values.L);
  return comparison.evaluated ? comparison.exactL : -1;
}

class DesignTest : public WindowTest {
  Q_OBJECT

 private slots:
  void design_entry_solves_the_field_data();
  void design_entry_solves_the_field();
  void dialog_answer_keeps_its_promise_at_the_ends_data();
  void dialog_answer_keeps_its_promise_at_the_ends();
  void solved_text_fits_its_field_data();
  void solved_text_fits_its_field();
  void dialog_offers_the_winding_as_it_stands_data();
  void dialog_offers_the_winding_as_it_stands();
  void dialog_answers_what_it_cannot_use_data();
  void dialog_answers_what_it_cannot_use();
  void unreachable_target_names_the_interval_data();
  void unreachable_target_names_the_interval();
  void warning_sign_marks_a_formula_more_than_1_percent_off_data();
  void warning_sign_marks_a_formula_more_than_1_percent_off();
  void warning_sign_of_an_earlier_calculation_never_shows_data();
  void warning_sign_of_an_earlier_calculation_never_shows();
  void warning_sign_hides_no_character_data();
  void warning_sign_hides_no_character();
  void turns_and_resistance_tooltips_give_wire_length_and_mass_data();
  void turns_and_resistance_tooltips_give_wire_length_and_mass();
  void winding_tooltips_follow_the_computed_values();

 private:
  // Opens the context menu of `field` (Shift+F10, or the context-menu event
  // of a right click), picks the design entry with the arrow keys and Enter,
  // and leaves the dialog it opens in `dialog`.
  void OpenDesignDialog(QLineEdit* field, bool byMouse, QDialog*& dialog) const;
  // Runs the calculation with Enter in edR1, answering the error box it opens.
  void CalculateAnsweringErrorBox(QString& boxText) const;
  [[nodiscard]] InductanceWarning* Warning() const {
    return Field("edL")->findChild<InductanceWarning*>();
  }
};

void DesignTest::OpenDesignDialog(QLineEdit* field, bool byMouse, QDialog*& dialog) const {
  dialog = nullptr;
  field->setFocus();
  if (byMouse) {
    // What a right click or the Menu key becomes on its way to the field.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &event);
  } else {
    QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
  }
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr,
                           kPatienceMs);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  // The field's own entries are there too, in the window's language, and
  // each entry's accelerator letter is its own.
  QVERIFY(menu->actions().size() > 2);
  const QString entry =
      QStringLiteral("Подо&брать %1 по индуктивности…").arg(field->objectName().mid(2));
  QStringList letters;
  for (const QAction* action : menu->actions()) {
    QString words = action->text().section(QLatin1Char('\t'), 0, 0);
    words.remove(field->objectName().mid(2));
    QVERIFY2(!words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
             qPrintable(action->text()));
    const qsizetype amp = words.indexOf(QLatin1Char('&'));
    if (amp >= 0) {
      QVERIFY2(!letters.contains(words.mid(amp + 1, 1).toLower()), qPrintable(action->text()));
      letters << words.mid(amp + 1, 1).toLower();
    }
  }
  QVERIFY(letters.size() >= 5);
  for (qsizetype i = 0; i < menu->actions().size(); ++i) {
    if (menu->activeAction() != nullptr && menu->activeAction()->text() == entry) {
      break;
    }
    QTest::keyClick(menu, Qt::Key_Up);
  }
  QVERIFY(menu->activeAction() != nullptr);
  QCOMPARE(menu->activeAction()->text(), entry);
  QTest::keyClick(menu, Qt::Key_Return);
  QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr,
                           kPatienceMs);
  dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  QVERIFY(QTest::qWaitForWindowActive(dialog, kPatienceMs));
  QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(&Window()));
  QCOMPARE(dialog->windowTitle(),
           QStringLiteral("Подбор %1 по индуктивности").arg(field->objectName().mid(2)));
}

void DesignTest::CalculateAnsweringErrorBox(QString& boxText) const {
  QObject scope;
  QTimer::singleShot(0, &scope, [&boxText] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxText = box->text();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
  });
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
}

// Whether `field` shows its whole text: drawn with the cursor at the end,
// which scrolls a text too wide, it looks as drawn from the start.
// Drawn without focus, so that no cursor shows.
bool ShowsWhole(QLineEdit* field) {
  const bool focused = field->hasFocus();
  field->clearFocus();
  const int cursor = field->cursorPosition();
  field->setCursorPosition(0);
  const QImage start = field->grab().toImage();
  field->setCursorPosition(static_cast<int>(field->text().size()));
  const QImage end = field->grab().toImage();
  field->setCursorPosition(cursor);
  if (focused) {
    field->setFocus();
  }
  return start == end;
}

// Types `target` into the dialog's field in place of what it offers.
void TypeTarget(QDialog* dialog, const QString& target) {
  auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("edTarget"));
  QVERIFY(field != nullptr);
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(field));
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, target);
  QCOMPARE(field->text(), target);
}

void DesignTest::design_entry_solves_the_field_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");
  QTest::addColumn<char>("mark");
  QTest::addColumn<bool>("byMouse");
  QTest::addColumn<QString>("exactShown");  // the exact value as the edL tooltip writes it

  QTest::newRow("R2 for 2 mH") << "edR2" << kStartupInputs << "0.002" << '.' << false << "0.002";
  QTest::newRow("R2 for 2 mH, context-menu event")
      << "edR2" << kStartupInputs << "0.002" << '.' << true << "0.002";
  QTest::newRow("H for 0.5 mH, its own field blank")
      << "edH" << QStringList{"0.01", "0.02", "", "0.001", "0.6"} << "5e-4" << '.' << false
      << "0.0005";
  QTest::newRow("D for 12.5 mH") << "edD" << kStartupInputs << "0.0125" << '.' << false << "0.0125";
  QTest::newRow("R2 for 1.2346 H, comma")
      << "edR2" << QStringList{"0,01", "0,02", "0,03", "0,0002", "0,6"} << "1,2346" << ',' << false
      << "1,235";
}

// The context menu's entry, driven by keys: the field gets the solved
// dimension to 7 digits, the calculation runs on it, and its winding has
// the target for its exact inductance.
void DesignTest::design_entry_solves_the_field() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  QFETCH(char, mark);
  QFETCH(bool, byMouse);
  QFETCH(QString, exactShown);
  const MarkForTest markForTest(mark);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  const QStringList before = FieldTexts();

  QDialog* dialog = nullptr;
  OpenDesignDialog(Field(field), byMouse, dialog);
  QVERIFY(dialog != nullptr);
  TypeTarget(dialog, target);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  // OK closes the dialog at once when it has an answer.
  if (QApplication::activeModalWidget() == dialog) {
    QFAIL(qPrintable(dialog->findChild<QLabel*>(QStringLiteral("lbDesignMessage"))->text()));
  }
  QCOMPARE(QApplication::activeModalWidget(), nullptr);

  const QString solved = Field(field)->text();
  const int index = static_cast<int>(kFieldNames.indexOf(field));
  QStringList expectedInputs = before.first(5);
  expectedInputs[index] = solved;
  QCOMPARE(FieldTexts().first(5), expectedInputs);
  const int digits = SignificantDigits(solved);
  QVERIFY2(digits >= 4 && digits <= 7, qPrintable(solved));
  // A text that shows whole, or the fewest digits with the text in the note.
  QVERIFY2(ShowsWhole(Field(field)) || digits == kFewestFieldDigits, qPrintable(solved));
  QCOMPARE(Field(field)->cursorPosition(), 0);
  QCOMPARE(Outputs(), CalculatedOutputs(expectedInputs));

  QVERIFY2(LTooltip().startsWith(QStringLiteral("Точно (равномерная плотность тока): ") +
                                 exactShown + QStringLiteral(" Гн")),
           qPrintable(LTooltip()));
  // The digits the field shows keep the exact value within a few units of
  // their last place of the target (D enters it to the fourth power).
  const long double exact = ExactOf(expectedInputs);
  const long double wanted = TextToNumber(target.toStdString());
  QVERIFY2(std::fabs(exact / wanted - 1) < 20 * std::pow(10.0L, -digits),
           qPrintable(QStringLiteral("%1 for %2").arg(double(exact)).arg(target)));
  // The field's note states the value solved and the exact L of its text.
  const QString note = Field(field)->toolTip();
  const QString name = field.mid(2);
  QVERIFY2(note.startsWith(QStringLiteral("Подобрано для L = %1 Гн: %2 = ").arg(target, name)),
           qPrintable(note));
  QVERIFY2(note.endsWith(QStringLiteral("Записано %1 = %2 м; точная индуктивность с ним: %3 Гн")
                             .arg(name, solved,
                                  QString::fromStdString(FormatNumber(exact, FigureFormat(10))))),
           qPrintable(note));
  // Typed over, the value is no longer the one solved.
  QTest::keyClick(Field(field), Qt::Key_End);
  QTest::keyClick(Field(field), Qt::Key_1);
  QCOMPARE(Field(field)->toolTip(), QString());
}

void DesignTest::dialog_answer_keeps_its_promise_at_the_ends_data() {
  QTest::addColumn<int>("unknown");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");

  // Seven digits to nearest give R2 = 0.01012345, which breaks D < R2 - R1.
  QTest::newRow("R2 at the wire") << static_cast<int>(design::Unknown::kR2)
                                  << QStringList{"0.01", "?", "0.03", "0.000123451", "0.6"}
                                  << "3.511222805e-04";
  // Seven digits to nearest give a wall thinner than the verified shapes.
  QTest::newRow("R2 at the thinnest wall")
      << static_cast<int>(design::Unknown::kR2) << QStringList{"1", "?", "1", "1e-9", "0.6"}
      << "4.843111545e+18";
  QTest::newRow("H at the longest shape")
      << static_cast<int>(design::Unknown::kH)
      << QStringList{"1.2345678912", "2.3456789124", "?", "1e-9", "0.6"} << "2.693019911731e+37";
  QTest::newRow("R2 at the flattest shape, no hole")
      << static_cast<int>(design::Unknown::kR2)
      << QStringList{"0", "?", "0.012345678916", "0.0005", "0.6"} << "1.866481088813e+18";
}

// The dialog's answer is a text that, read back as the window reads its
// field, calculates to «Готов ...» with an evaluated exact value.
void DesignTest::dialog_answer_keeps_its_promise_at_the_ends() {
  QFETCH(int, unknown);
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  CalculationFields fields;
  fields.edR1 = inputs[0].toStdString();
  fields.edR2 = inputs[1].toStdString();
  fields.edH = inputs[2].toStdString();
  fields.edD = inputs[3].toStdString();
  fields.edLambda = inputs[4].toStdString();
  const auto asked = static_cast<design::Unknown>(unknown);
  const DialogAnswer answer = AnswerInDialog(fields, asked, target.toStdString());
  QVERIFY2(answer.solved, answer.text.c_str());
  QVERIFY2(design::KeepsPromise(fields, asked, answer.text), answer.text.c_str());
  const int digits = SignificantDigits(QString::fromStdString(answer.text));
  QVERIFY2(digits >= kSolvedDigits && digits <= kMostFieldDigits, answer.text.c_str());
}

void DesignTest::solved_text_fits_its_field_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<int>("width");  // the field's width; 0: as the window has it
  QTest::addColumn<double>("value");
  QTest::addColumn<char>("mark");

  QTest::newRow("R2, fixed form") << "edR2" << 0 << 0.02458156 << '.';
  QTest::newRow("D, exponent form") << "edD" << 0 << 2.993829e-5 << '.';
  QTest::newRow("D, exponent form, comma") << "edD" << 0 << 2.993829e-5 << ',';
  QTest::newRow("H, large") << "edH" << 0 << 123456.789 << '.';
  QTest::newRow("H, wide field, all seven") << "edH" << 200 << 0.02458156 << '.';
  QTest::newRow("R2, too narrow for four") << "edR2" << 30 << 2.993829e-5 << '.';
}

// The text written into a field shows whole: drawn with the cursor at its
// end it looks as drawn from its start; one digit more would not.
void DesignTest::solved_text_fits_its_field() {
  QFETCH(QString, field);
  QFETCH(int, width);
  QFETCH(double, value);
  QFETCH(char, mark);
  QLineEdit* edit = Field(field);
  if (width > 0) {
    edit->setFixedWidth(width);
  }
  Button("btProcess")->setFocus();

  const FieldText fitted = FitFieldText(value, mark, *edit, kSolvedDigits);
  const int digits = SignificantDigits(fitted.text);
  QCOMPARE(fitted.text,
           QString::fromStdString(FormatNumber(value, GeneralFormat(std::max(digits, 4), mark))));
  edit->setText(fitted.text);
  QCOMPARE(ShowsWhole(edit), !fitted.needsTooltip);
  if (fitted.needsTooltip) {
    QCOMPARE(digits, kFewestFieldDigits);
    return;
  }
  if (width == 200) {
    QCOMPARE(digits, kSolvedDigits);
  }
  if (digits < kSolvedDigits) {
    edit->setText(QString::fromStdString(FormatNumber(value, GeneralFormat(digits + 1, mark))));
    QVERIFY2(!ShowsWhole(edit), qPrintable(edit->text()));
  }
}

void DesignTest::dialog_answers_what_it_cannot_use_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("message");

  QTest::newRow("a word") << "edR2" << kStartupInputs << "abc"
                          << "«abc» не является числом";
  QTest::newRow("nothing") << "edH" << kStartupInputs << ""
                           << "«» не является числом";
  QTest::newRow("comma under a point") << "edD" << kStartupInputs << "0,002"
                                       << "«0,002» не является числом";
  QTest::newRow("zero") << "edR2" << kStartupInputs << "0"
                        << "Введите L > 0";
  QTest::newRow("negative") << "edH" << kStartupInputs << "-1e-3"
                            << "Введите L > 0";
  QTest::newRow("R1 not a number")
      << "edR2" << QStringList{" x ", "0.02", "0.03", "0.001", "0.6"} << "0.002"
      << "R1: «x» не является числом";
  QTest::newRow("target read before R1")
      << "edR2" << QStringList{" x ", "0.02", "0.03", "0.001", "0.6"} << "abc"
      << "«abc» не является числом";
  QTest::newRow("Lambda not a number, R2 unread")
      << "edH" << QStringList{"0.01", "?", "0.03", "0.001", "six"} << "0.002"
      << "R2: «?» не является числом";
  QTest::newRow("D above H") << "edR2" << QStringList{"0.01", "0.02", "0.03", "0.05", "0.6"}
                             << "0.002"
                             << "Введите D < H";
  QTest::newRow("Lambda 1") << "edD" << QStringList{"0.01", "0.02", "0.03", "0.001", "1"} << "0.002"
                            << "Введите Lambda < 1";
}

// What the dialog cannot use is answered inside it; Escape then closes it
// and no field of the window has changed.
void DesignTest::dialog_answers_what_it_cannot_use() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  QFETCH(QString, message);
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  const QStringList before = FieldTexts();

  QDialog* dialog = nullptr;
  OpenDesignDialog(Field(field), false, dialog);
  QVERIFY(dialog != nullptr);
  TypeTarget(dialog, target);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);

  QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(dialog));
  const auto* shown = dialog->findChild<QLabel*>(QStringLiteral("lbDesignMessage"));
  QVERIFY(shown != nullptr);
  QVERIFY(shown->isVisible());
  QCOMPARE(shown->text(), message);
  QCOMPARE(FieldTexts(), before);

  // Corrected, the text has no error any more.
  QTest::keyClick(dialog->focusWidget(), Qt::Key_1);
  QVERIFY(!shown->isVisible());

  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, kPatienceMs);
  QCOMPARE(FieldTexts(), before);
}

void DesignTest::dialog_offers_the_winding_as_it_stands_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<bool>("calculated");  // Calculate pressed before the dialog opens
  QTest::addColumn<QString>("offered");  // "exact", "formula" or the text itself

  QTest::newRow("R2, at start-up") << "edR2" << kStartupInputs << false << "exact";
  QTest::newRow("D, calculated") << "edD" << kStartupInputs << true << "exact";
  QTest::newRow("H, changed since the calculation")
      << "edH" << QStringList{"0.01", "0.025", "0.007", "0.0003", "0.5"} << true << "exact";
  QTest::newRow("R2, too long to verify")
      << "edR2" << QStringList{"0.01", "0.02", "3e5", "0.001", "0.6"} << true << "formula";
  QTest::newRow("R2, a rule broken")
      << "edR2" << QStringList{"0.01", "0.02", "0.03", "0.05", "0.6"} << true << "";
  QTest::newRow("H, not a number")
      << "edH" << QStringList{"0.01", "0.02", "x", "0.001", "0.6"} << false << "";
}

// The dialog offers the inductance of the winding the fields hold, to ten
// digits: OK on it leaves the solved field as it was.
void DesignTest::dialog_offers_the_winding_as_it_stands() {
  QFETCH(QString, field);
  QFETCH(QStringList, inputs);
  QFETCH(bool, calculated);
  QFETCH(QString, offered);
  if (calculated) {
    QTest::keyClick(Field("edR1"), Qt::Key_Return);
  }
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  const QStringList before = FieldTexts();

  QDialog* dialog = nullptr;
  OpenDesignDialog(Field(field), false, dialog);
  QVERIFY(dialog != nullptr);
  const auto* target = dialog->findChild<QLineEdit*>(QStringLiteral("edTarget"));
  QString expected = offered;
  if (offered == QStringLiteral("exact")) {
    expected = QString::fromStdString(FormatNumber(ExactOf(inputs), GeneralFormat(10)));
  } else if (offered == QStringLiteral("formula")) {
    QCOMPARE(ExactOf(inputs), -1.0L);
    expected = QString::fromStdString(FormatNumber(*CalculatedValues(inputs).L, GeneralFormat(10)));
  }
  QCOMPARE(target->text(), expected);
  if (offered != QStringLiteral("exact")) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, kPatienceMs);
    QCOMPARE(FieldTexts(), before);
    return;
  }
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, kPatienceMs);
  QCOMPARE(FieldTexts().first(5), before.first(5));
}

void DesignTest::unreachable_target_names_the_interval_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("pattern");
  // Where the lowest L is reached; empty: unchecked.
  QTest::addColumn<QStringList>("lowestWinding");
  QTest::addColumn<char>("mark");

  const QString between = QStringLiteral("индуктивность может быть от (\\S+) до (\\S+) Гн$");
  // The thinnest winding the rules allow: R2 = R1 + D, H = D.
  QTest::newRow("R2, below the thinnest winding")
      << "edR2"
      << "1e-9" << QStringLiteral("^При этих R1, H, D и Lambda ") + between
      << QStringList{"0.01", "0.011", "0.03", "0.001", "0.6"} << '.';
  QTest::newRow("H, below the lowest winding")
      << "edH"
      << "1e-9" << QStringLiteral("^При этих R1, R2, D и Lambda ") + between
      << QStringList{"0.01", "0.02", "0.001", "0.001", "0.6"} << '.';
  QTest::newRow("H, above the longest verified winding")
      << "edH"
      << "1e6" << QStringLiteral("^При этих R1, R2, D и Lambda ") + between << QStringList{} << '.';
  // The thickest wire the rules allow: D = min(H, R2 - R1).
  QTest::newRow("D, below the thickest wire")
      << "edD"
      << "1e-9" << QStringLiteral("^При этих R1, R2, H и Lambda ") + between
      << QStringList{"0.01", "0.02", "0.03", "0.01", "0.6"} << '.';
  QTest::newRow("D, below the thickest wire, comma")
      << "edD"
      << "1e-9" << QStringLiteral("^При этих R1, R2, H и Lambda ") + between
      << QStringList{"0,01", "0,02", "0,03", "0,01", "0,6"} << ',';
}

// No value of the dimension reaches the target: the dialog names the
// interval that can be reached, and nothing changes.
void DesignTest::unreachable_target_names_the_interval() {
  QFETCH(QString, field);
  QFETCH(QString, target);
  QFETCH(QString, pattern);
  QFETCH(QStringList, lowestWinding);
  QFETCH(char, mark);
  const MarkForTest markForTest(mark);
  if (mark != '.') {
    QStringList inputs = kStartupInputs;
    inputs.replaceInStrings(QStringLiteral("."), QString(QChar(mark)));
    SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  }
  const QStringList before = FieldTexts();

  QDialog* dialog = nullptr;
  OpenDesignDialog(Field(field), false, dialog);
  QVERIFY(dialog != nullptr);
  TypeTarget(dialog, target);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(dialog));
  const QString message = dialog->findChild<QLabel*>(QStringLiteral("lbDesignMessage"))->text();
  const QRegularExpressionMatch match = QRegularExpression(pattern).match(message);
  QVERIFY2(match.hasMatch(), qPrintable(message));

  const long double wanted = TextToNumber(target.toStdString());
  const long double lowest = TextToNumber(match.captured(1).toStdString());
  const long double highest = TextToNumber(match.captured(2).toStdString());
  QVERIFY(lowest < highest);
  QVERIFY(wanted < lowest || wanted > highest);
  if (!lowestWinding.isEmpty()) {
    // Stated rounded inward: up from the lowest L.
    const long double edge = ExactOf(lowestWinding);
    QVERIFY2(lowest >= edge && lowest / edge - 1 < 1e-6L,
             qPrintable(QStringLiteral("%1 against %2").arg(double(lowest)).arg(double(edge))));
  }
  QCOMPARE(FieldTexts(), before);
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
  QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, kPatienceMs);
  QCOMPARE(FieldTexts(), before);
}

void DesignTest::warning_sign_marks_a_formula_more_than_1_percent_off_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<bool>("warned");

  QTest::newRow("start-up coil, -0.0075 %") << kStartupInputs << false;
  // Thick windings without a hole, H near 0.75 (R1 + R2): the long formula.
  QTest::newRow("+17 %") << QStringList{"0", "0.02", "0.015", "0.0005", "0.6"} << true;
  QTest::newRow("+1.05 %") << QStringList{"0", "0.02", "0.014", "0.0005", "0.6"} << true;
  QTest::newRow("+0.88 %") << QStringList{"0.001", "0.02", "0.015", "0.0005", "0.6"} << false;
  // Just above H = 0.75 (R1 + R2) at a third of the radius free: the long
  // formula below the exact value.
  QTest::newRow("-1.4 %") << QStringList{"0.0067", "0.0333", "0.0301", "0.0005", "0.6"} << true;
}

// The sign appears inside edL once the exact value is known, with the
// exact-value tooltip; the field's text stays the formula's L. A hand edit
// takes it away.
void DesignTest::warning_sign_marks_a_formula_more_than_1_percent_off() {
  QFETCH(QStringList, inputs);
  QFETCH(bool, warned);
  QVERIFY(Warning() != nullptr);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  QSignalSpy compared(Warning(), &InductanceWarning::Compared);

  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  // The results are there before the exact value is: the comparison runs
  // once the calculation has returned to the event loop.
  QCOMPARE(Outputs(), CalculatedOutputs(inputs));
  QCOMPARE(Warning()->Sign(), nullptr);
  QCOMPARE(compared.count(), 0);
  QVERIFY(compared.wait(kPatienceMs));
  QCOMPARE(Outputs(), CalculatedOutputs(inputs));

  QLineEdit* edL = Field("edL");
  const QList<QWidget*> drawn = edL->findChildren<QWidget*>();
  const auto anyVisible = [&] {
    return std::any_of(drawn.begin(), drawn.end(),
                       [edL](const QWidget* child) { return child->isVisibleTo(edL); });
  };
  if (!warned) {
    QCOMPARE(Warning()->Sign(), nullptr);
    QVERIFY(!anyVisible());
    return;
  }
  QWidget* sign = Warning()->Sign();
  QVERIFY(sign != nullptr);
  QVERIFY(sign->isVisibleTo(edL));
  QVERIFY(edL->rect().contains(sign->geometry()));
  QCOMPARE(edL->text(), CalculatedOutputs(inputs)[2]);

  // Resting the mouse on the sign shows the exact-value tooltip: the help
  // event goes where the application would send it, to the widget under the
  // mouse. A click there is a click in the field: the caret goes to the end.
  QToolTip::hideText();
  QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), kPatienceMs);
  const QPoint onSign = sign->geometry().center();
  QWidget* underMouse = edL->childAt(onSign) != nullptr ? edL->childAt(onSign) : edL;
  const QPoint local = underMouse->mapFrom(edL, onSign);
  QHelpEvent hover(QEvent::ToolTip, local, underMouse->mapToGlobal(local));
  QApplication::sendEvent(underMouse, &hover);
  QVERIFY(QToolTip::isVisible());
  const QString shown = QToolTip::text();
  const QString exact = LTooltip();
  QCOMPARE(shown, exact);
  QCOMPARE(sign->toolTip(), exact);
  edL->setCursorPosition(0);
  // Through the window, as a real click comes, to whichever widget is there.
  QWindow* window = Window().windowHandle();
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                    window->mapFromGlobal(edL->mapToGlobal(onSign)));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edL));
  QCOMPARE(edL->cursorPosition(), edL->text().size());
  QCOMPARE(edL->text(), CalculatedOutputs(inputs)[2]);
  QCOMPARE(Warning()->Sign(), sign);

  QTest::keyClick(edL, Qt::Key_1);
  QCOMPARE(Warning()->Sign(), nullptr);
  QVERIFY(!anyVisible());
}

void DesignTest::warning_sign_of_an_earlier_calculation_never_shows_data() {
  QTest::addColumn<QString>("then");
  QTest::newRow("a calculation of a good formula") << "start-up coil";
  QTest::newRow("a broken rule") << "Lambda 1";
  QTest::newRow("a hand edit of L") << "typed L";
}

// A comparison that ends after the L it was started for has gone shows
// nothing.
void DesignTest::warning_sign_of_an_earlier_calculation_never_shows() {
  QFETCH(QString, then);
  SetInputs("0", "0.02", "0.015", "0.0005", "0.6");
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  if (then == "start-up coil") {
    SetInputs(kStartupInputs[0], kStartupInputs[1], kStartupInputs[2], kStartupInputs[3],
              kStartupInputs[4]);
    QTest::keyClick(Field("edR1"), Qt::Key_Return);
  } else if (then == "Lambda 1") {
    Field("edLambda")->setText("1");
    QTest::keyClick(Field("edR1"), Qt::Key_Return);
    QCOMPARE(Outputs().last(), QStringLiteral("Введите Lambda < 1"));
  } else {
    QTest::keyClick(Field("edL"), Qt::Key_1);
  }
  Warning()->Settle();
  QCOMPARE(Warning()->Sign(), nullptr);

  // The same coil once more: its own comparison does show.
  SetInputs("0", "0.02", "0.015", "0.0005", "0.6");
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  Warning()->Settle();
  QVERIFY(Warning()->Sign() != nullptr);
}

void DesignTest::warning_sign_hides_no_character_data() {
  QTest::addColumn<char>("mark");
  QTest::addColumn<long double>("value");

  // The widest texts the window writes into edL.
  for (const char mark : {'.', ','}) {
    const QString name = QStringLiteral(" (%1)").arg(QLatin1Char(mark));
    QTest::newRow(qPrintable("nine characters in fixed form" + name)) << mark << 0.00080333L;
    QTest::newRow(qPrintable("two-digit negative exponent" + name)) << mark << -1.23456e-10L;
    QTest::newRow(qPrintable("positive exponent" + name)) << mark << 12345.6L;
  }
}

// The sign is drawn only where the field's text leaves the background
// showing: every pixel a character touches looks the same with and without
// it, whichever of the window's fonts it is.
void DesignTest::warning_sign_hides_no_character() {
  QFETCH(char, mark);
  QFETCH(long double, value);
  SetInputs("0", "0.02", "0.015", "0.0005", "0.6");
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  Warning()->Settle();
  QWidget* sign = Warning()->Sign();
  QVERIFY(sign != nullptr);
  const MarkForTest markForTest(mark);

  QLineEdit* edL = Field("edL");
  const QString text = QString::fromStdString(FormatNumber(value, GeneralFormat(4)));
  edL->setText(text);
  QCOMPARE(Warning()->Sign(), sign);
  // Scrolled text would hide its own first characters: the whole text shows.
  const QMargins margins = edL->textMargins();
  QVERIFY2(
      edL->fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() < edL->width(),
      qPrintable(text));
  // Without the focus no caret blinks in the pictures.
  QVERIFY(!edL->hasFocus());
  const QImage withSign = edL->grab().toImage();
  sign->hide();
  const QImage withoutSign = edL->grab().toImage();
  edL->setText(QString());
  const QImage background = edL->grab().toImage();
  sign->show();
  edL->setText(text);

  QCOMPARE(withSign.size(), withoutSign.size());
  int hidden = 0;
  int signPixels = 0;
  for (int y = 0; y < withSign.height(); ++y) {
    for (int x = 0; x < withSign.width(); ++x) {
      const bool character = withoutSign.pixel(x, y) != background.pixel(x, y);
      const bool changed = withSign.pixel(x, y) != withoutSign.pixel(x, y);
      hidden += character && changed ? 1 : 0;
      signPixels += changed ? 1 : 0;
    }
  }
  QVERIFY2(hidden == 0,
           qPrintable(
               QStringLiteral("%1: %2 pixels of characters under the sign").arg(text).arg(hidden)));
  // Big enough to be seen.
  QVERIFY2(signPixels >= 20, qPrintable(QString::number(signPixels)));
}

void DesignTest::turns_and_resistance_tooltips_give_wire_length_and_mass_data() {
  QTest::addColumn<char>("mark");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("tooltip");

  // N·PI·(R1 + R2) = 4·Lambda·(R2 − R1)·H·(R1 + R2)/D² = 21.6 m, whatever pi
  // is taken for; its copper, 21.6 m · 3.1415926·1e-6/4 m² · 8960 kg/m³ =
  // 0.15200 kg.
  QTest::newRow("start-up coil") << '.' << kStartupInputs
                                 << "Длина провода: 21.6 м; масса меди: 0.152 кг";
  QTest::newRow("start-up coil, comma")
      << ',' << QStringList{"0,01", "0,02", "0,03", "0,001", "0,6"}
      << "Длина провода: 21,6 м; масса меди: 0,152 кг";
  // Twice the radii and height at the same wire: 8 times the length and mass.
  QTest::newRow("twice the size") << '.' << QStringList{"0.02", "0.04", "0.06", "0.001", "0.6"}
                                  << "Длина провода: 172.8 м; масса меди: 1.216 кг";
}

void DesignTest::turns_and_resistance_tooltips_give_wire_length_and_mass() {
  QFETCH(char, mark);
  QFETCH(QStringList, inputs);
  QFETCH(QString, tooltip);
  const MarkForTest markForTest(mark);
  SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  QCOMPARE(Field("edN")->toolTip(), QString());

  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  QCOMPARE(Field("edN")->toolTip(), tooltip);
  QCOMPARE(Field("edR")->toolTip(), tooltip);
}

// The figures stay as long as N and R are the computed ones.
void DesignTest::winding_tooltips_follow_the_computed_values() {
  const QString startup = QStringLiteral("Длина провода: 21.6 м; масса меди: 0.152 кг");
  const auto tooltips = [this] {
    return QStringList{Field("edN")->toolTip(), Field("edR")->toolTip()};
  };
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  QCOMPARE(tooltips(), QStringList({startup, startup}));

  // A hand edit of one field takes its figures alone.
  QTest::keyClick(Field("edN"), Qt::Key_1);
  QCOMPARE(tooltips(), QStringList({"", startup}));
  QTest::keyClick(Field("edR"), Qt::Key_1);
  QCOMPARE(tooltips(), QStringList({"", ""}));

  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  Field("edLambda")->setText("1");
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  QCOMPARE(Outputs().last(), QStringLiteral("Введите Lambda < 1"));
  QCOMPARE(tooltips(), QStringList({"", ""}));

  Field("edLambda")->setText("0.6");
  QTest::keyClick(Field("edR1"), Qt::Key_Return);
  QCOMPARE(tooltips(), QStringList({startup, startup}));
  Field("edR1")->setText("abc");
  QString box;
  CalculateAnsweringErrorBox(box);
  QCOMPARE(box, QStringLiteral("'abc' is not a valid floating point value."));
  QCOMPARE(Outputs().first(2), QStringList({"", ""}));
  QCOMPARE(tooltips(), QStringList({"", ""}));

  // A fault in the inductance leaves N and R computed, and their figures:
  // every length 1e100 times the start-up coil's, D 1e-1127 times: L overflows;
  // 4·Lambda·(R2 − R1)·H·(R1 + R2)/D² = 2.16e2555 m of wire, 1.52e299 kg.
  SetInputs("1e98", "2e98", "3e98", "1e-1130", "0.6");
  CalculateAnsweringErrorBox(box);
  QCOMPARE(box, QStringLiteral("Floating point overflow."));
  QCOMPARE(Outputs().first(3), QStringList({"2.292E2456", "4.593E4807", ""}));
  const QString huge = QStringLiteral("Длина провода: 2.16E2555 м; масса меди: 1.52E299 кг");
  QCOMPARE(tooltips(), QStringList({huge, huge}));
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::DesignTest)
#include "design_test.moc"
