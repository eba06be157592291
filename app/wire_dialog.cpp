#include "app/wire_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <exception>
#include <memory>
#include <utility>

#include "app/field_menu.h"
#include "app/winding_picture.h"
#include "app/winding_sheet_text.h"
#include "app/wire_choice.h"
#include "calc/number_text.h"
#include "wire/wire_table.h"

namespace tarnel {

WireEntry::WireEntry(const WindowFields& fields, std::function<void()> calculate)
    : fields_(fields), calculate_(std::move(calculate)) {
  setParent(fields_.D);
  auto* action = new QAction(QStringLiteral("Выбрать п&ровод…"), fields_.D);
  action->setObjectName(QStringLiteral("actionChooseWire"));
  AddMenuEntry(fields_.D, action);
  connect(action, &QAction::triggered, this, &WireEntry::OpenDialog);
}

void WireEntry::OpenDialog() {
  QWidget* window = fields_.D->window();
  QDialog* dialog =
      NewWindowDialog(window, QStringLiteral("wireDialog"), QStringLiteral("Выбор провода"));

  auto* family = new QComboBox(dialog);
  family->setObjectName(QStringLiteral("cbFamily"));
  AddFamilyChoices(family);
  auto* size = new QComboBox(dialog);
  size->setObjectName(QStringLiteral("cbSize"));
  auto* style = new QComboBox(dialog);
  style->setObjectName(QStringLiteral("cbStyle"));
  AddStyleChoices(style);
  auto* sheetText = new QLabel(dialog);
  sheetText->setObjectName(QStringLiteral("lbSheet"));
  sheetText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* picture = new WindingPicture(dialog);
  auto* copy = new QPushButton(QStringLiteral("&Копировать"), dialog);
  copy->setObjectName(QStringLiteral("btCopySheet"));
  copy->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  buttons->addButton(copy, QDialogButtonBox::ActionRole);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Провод:"), family);
  form->addRow(QStringLiteral("&Размер:"), size);
  form->addRow(QStringLiteral("&Намотка:"), style);
  auto* layout = new QVBoxLayout(dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(form);
  layout->addWidget(sheetText);
  layout->addWidget(picture);
  layout->addWidget(buttons);

  auto chosenWire = [family, size] {
    return wire::WiresOf(
        ChosenFamily(*family))[static_cast<std::size_t>(std::max(size->currentIndex(), 0))];
  };
  auto chosenStyle = [style] { return ChosenStyle(*style); };
  auto answer = std::make_shared<WireSheetAnswer>();
  auto refresh = [this, chosenWire, chosenStyle, answer, sheetText, picture,
                  ok = buttons->button(QDialogButtonBox::Ok)] {
    const CalculationFields texts = TextsOf(fields_);
    const wire::StandardWire w = chosenWire();
    // Errors stop here: none may unwind through the toolkit's event handling.
    try {
      *answer = AnswerWireSheet(texts, w, chosenStyle());
    } catch (const std::exception& error) {
      *answer = WireSheetAnswer{};
      answer->text = error.what();
    }
    sheetText->setText(QString::fromStdString(answer->text));
    ok->setEnabled(answer->sheet.has_value());
    Winding winding;
    try {
      winding = {TextToNumber(TrimBlanks(texts.edR1)), TextToNumber(TrimBlanks(texts.edR2)),
                 TextToNumber(TrimBlanks(texts.edH)), w.copperDiameter, 0};
    } catch (const std::exception&) {
    }
    picture->Show(answer->sheet, winding, w.overallDiameter, chosenStyle());
  };
  auto fillSizes = [family, size, refresh] {
    const QSignalBlocker blocker(size);
    size->clear();
    for (const wire::StandardWire& w : wire::WiresOf(ChosenFamily(*family))) {
      size->addItem(SizeText(w));
    }
    refresh();
  };
  fillSizes();
  connect(family, &QComboBox::currentIndexChanged, dialog, fillSizes);
  connect(size, &QComboBox::currentIndexChanged, dialog, refresh);
  connect(style, &QComboBox::currentIndexChanged, dialog, refresh);
  connect(copy, &QPushButton::clicked, dialog,
          [answer] { QApplication::clipboard()->setText(QString::fromStdString(answer->text)); });
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, dialog, [this, dialog, answer] {
    if (!answer->sheet) {
      return;
    }
    dialog->accept();
    fields_.D->setText(QString::fromStdString(answer->dText));
    fields_.Lambda->setText(QString::fromStdString(answer->lambdaText));
    // Their leading digits in view: the texts are wider than the fields.
    fields_.D->setCursorPosition(0);
    fields_.Lambda->setCursorPosition(0);
    calculate_();
  });
  family->setFocus();
  dialog->open();
}

}  // namespace tarnel
