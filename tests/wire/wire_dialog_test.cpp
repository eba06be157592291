// «Выбрать провод…» in the context menu of edD, driven by keys.
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "tests/gui/gui_test_fixture.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

namespace tarnel::gui_test {

class WireDialogTest : public WindowTest {
  Q_OBJECT

 private slots:
  void wire_writes_d_and_lambda_data();
  void wire_writes_d_and_lambda();
  void a_wire_the_winding_cannot_take_writes_nothing();

 private:
  QDialog* OpenWireDialog() const;
};

// Shift+F10 in edD, then the entry's accelerator letter.
QDialog* WireDialogTest::OpenWireDialog() const {
  QLineEdit* field = Field("edD");
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
  if (!QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                       kPatienceMs)) {
    return nullptr;
  }
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("р"));
  QApplication::sendEvent(menu, &press);
  if (!QTest::qWaitFor([] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); },
                       kPatienceMs)) {
    return nullptr;
  }
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  return QTest::qWaitForWindowActive(dialog, kPatienceMs) ? dialog : nullptr;
}

void WireDialogTest::wire_writes_d_and_lambda_data() {
  QTest::addColumn<char>("mark");
  QTest::addColumn<int>("familyDowns");  // Down presses in the family list
  QTest::addColumn<QString>("size");     // the size's text in its list
  QTest::addColumn<int>("styleDowns");
  QTest::addColumn<QStringList>("sheetLines");  // lines the sheet must hold

  // 0.5 mm grade 2 (p = 0.566 mm) on the start-up bobbin, worked by hand:
  // layered 30/0.566 = 53 a layer, 936 turns, 18 layers; orthocyclic
  // 1081 turns in layers of 53 and 52, 21 layers.
  QTest::newRow("IEC grade 2 layered")
      << '.' << 1 << "0.5 мм" << 0
      << QStringList{"Целых витков: 936", "Витков в слое: 53", "Слоёв: 18",
                     "Толщина намотки: 0.01019 м (R2 - R1 = 0.01 м)"};
  QTest::newRow("IEC grade 2 orthocyclic, comma")
      << ',' << 1 << "0,5 мм" << 1
      << QStringList{"Целых витков: 1081", "Витков в слое: 53 и 52 поочерёдно", "Слоёв: 21",
                     "Наружный диаметр: 0,04074 м"};
  // AWG 24 heavy, p = 0.577 mm: 51 a layer both ways, 1040 turns.
  QTest::newRow("AWG heavy orthocyclic")
      << '.' << 3 << "24" << 1
      << QStringList{"Целых витков: 1040", "Витков в слое: 51 и 51 поочерёдно", "Слоёв: 21"};
}

// Family, size and style chosen by keys; the sheet shows and copies; OK
// writes D and Lambda in the window's mark and calculates.
void WireDialogTest::wire_writes_d_and_lambda() {
  QFETCH(char, mark);
  QFETCH(int, familyDowns);
  QFETCH(QString, size);
  QFETCH(int, styleDowns);
  QFETCH(QStringList, sheetLines);
  const MarkForTest markForTest(mark);
  const QString m{QLatin1Char(mark)};
  SetInputs(QStringLiteral("0") + m + QStringLiteral("01"),
            QStringLiteral("0") + m + QStringLiteral("02"),
            QStringLiteral("0") + m + QStringLiteral("03"),
            QStringLiteral("0") + m + QStringLiteral("001"),
            QStringLiteral("0") + m + QStringLiteral("6"));

  QDialog* dialog = OpenWireDialog();
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Выбор провода"));
  auto* family = dialog->findChild<QComboBox*>(QStringLiteral("cbFamily"));
  auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("cbSize"));
  auto* style = dialog->findChild<QComboBox*>(QStringLiteral("cbStyle"));
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(family));
  for (int i = 0; i < familyDowns; ++i) {
    QTest::keyClick(family, Qt::Key_Down);
  }
  QTest::keyClick(family, Qt::Key_Tab);
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(sizes));
  const int index = sizes->findText(size);
  QVERIFY2(index >= 0, qPrintable(size));
  QTest::keyClick(sizes, Qt::Key_Home);
  for (int i = 0; i < index; ++i) {
    QTest::keyClick(sizes, Qt::Key_Down);
  }
  QCOMPARE(sizes->currentText(), size);
  QTest::keyClick(sizes, Qt::Key_Tab);
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(style));
  for (int i = 0; i < styleDowns; ++i) {
    QTest::keyClick(style, Qt::Key_Down);
  }

  const QString sheet = dialog->findChild<QLabel*>(QStringLiteral("lbSheet"))->text();
  for (const QString& line : sheetLines) {
    QVERIFY2(sheet.split(QLatin1Char('\n')).contains(line), qPrintable(sheet));
  }
  // «Копировать», reached with Tab and pressed with Space, puts the sheet
  // on the clipboard.
  QApplication::clipboard()->clear();
  auto* copy = dialog->findChild<QPushButton*>(QStringLiteral("btCopySheet"));
  for (int i = 0; i < 8 && dialog->focusWidget() != copy; ++i) {
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  }
  QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(copy));
  QTest::keyClick(copy, Qt::Key_Space);
  QCOMPARE(QApplication::clipboard()->text(), sheet);

  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);

  const wire::WireFamily chosen = wire::kWireFamilies[familyDowns];
  const wire::StandardWire w = wire::WiresOf(chosen)[static_cast<std::size_t>(index)];
  const wire::WindingStyle wound =
      styleDowns == 1 ? wire::WindingStyle::kOrthocyclic : wire::WindingStyle::kLayered;
  const QString dText = Field("edD")->text();
  const QString lambdaText = Field("edLambda")->text();
  QCOMPARE(dText.toStdString(), FormatNumber(w.copperDiameter, wire::WireFieldFormat(mark)));
  QCOMPARE(lambdaText.toStdString(),
           FormatNumber(wire::PackingFactor(w, wound), wire::WireFieldFormat(mark)));
  QCOMPARE(Field("edD")->cursorPosition(), 0);
  CalculationFields fields = StartupFields();
  fields.edD = dText.toStdString();
  fields.edLambda = lambdaText.toStdString();
  RunCalculation(fields);
  QCOMPARE(Outputs(),
           (QStringList{QString::fromStdString(fields.edN), QString::fromStdString(fields.edR),
                        QString::fromStdString(fields.edL), "Готов ..."}));
  // The window's N is the sheet's before rounding down.
  QVERIFY2(sheetLines[0].endsWith(Field("edN")->text().section(m, 0, 0)),
           qPrintable(fields.edN.c_str()));
}

// H below the wire: the rule's message in place of the sheet, OK does
// nothing, Escape leaves the window as it was.
void WireDialogTest::a_wire_the_winding_cannot_take_writes_nothing() {
  SetInputs("0.01", "0.02", "0.0003", "0.001", "0.6");
  const QStringList before = FieldTexts();
  QDialog* dialog = OpenWireDialog();
  QVERIFY(dialog != nullptr);
  auto* family = dialog->findChild<QComboBox*>(QStringLiteral("cbFamily"));
  auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("cbSize"));
  QTest::keyClick(family, Qt::Key_Tab);
  QTest::keyClick(sizes, Qt::Key_End);
  QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("lbSheet"))->text(),
           QStringLiteral("Введите D < H"));
  QTest::keyClick(sizes, Qt::Key_Return);
  QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(dialog));
  QTest::keyClick(sizes, Qt::Key_Escape);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  QCOMPARE(FieldTexts(), before);
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::WireDialogTest)
#include "wire_dialog_test.moc"
