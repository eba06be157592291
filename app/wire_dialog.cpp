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
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <utility>

#include "app/field_menu.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel {
namespace {

using wire::WindingStyle;
using wire::WireFamily;

QString FamilyText(WireFamily family) {
  switch (family) {
    case WireFamily::kIecGrade1:
      return QStringLiteral("IEC 60317-0-1, класс 1");
    case WireFamily::kIecGrade2:
      return QStringLiteral("IEC 60317-0-1, класс 2");
    case WireFamily::kAwgSingle:
      return QStringLiteral("AWG, одинарная изоляция");
    case WireFamily::kAwgHeavy:
      return QStringLiteral("AWG, усиленная изоляция");
  }
  return {};
}

bool IsIec(WireFamily family) {
  return family == WireFamily::kIecGrade1 || family == WireFamily::kIecGrade2;
}

// The size as the size list shows it: "0,5 мм" with the window's mark, or
// the gauge.
QString SizeText(const wire::StandardWire& w) {
  if (!IsIec(w.family)) {
    return QString::fromStdString(w.size);
  }
  QString size = QString::fromStdString(w.size);
  size.replace(QLatin1Char('.'), QLatin1Char(DecimalMark()));
  return size + QStringLiteral(" мм");
}

std::string Length(long double metres) {
  return NumberToText(metres) + " м";
}

}  // namespace

WireSheetAnswer AnswerWireSheet(const CalculationFields& fields, const wire::StandardWire& w,
                                WindingStyle style) {
  WireSheetAnswer answer;
  const NumberFormat format = wire::WireFieldFormat(DecimalMark());
  answer.dText = FormatNumber(w.copperDiameter, format);
  answer.lambdaText = FormatNumber(wire::PackingFactor(w, style), format);
  CalculationFields texts = fields;
  texts.edD = answer.dText;
  texts.edLambda = answer.lambdaText;
  ComputedValues values;
  try {
    RunCalculation(texts, &values);
  } catch (const Exception& error) {
    answer.text = error.Message();
    return answer;
  } catch (const std::exception& error) {
    answer.text = error.what();
    return answer;
  }
  if (!values.N || !values.winding) {
    answer.text = texts.edMessage;
    return answer;
  }
  const Winding& winding = *values.winding;
  answer.sheet = wire::SheetOf(winding, *values.N, w.overallDiameter, style);
  if (!answer.sheet) {
    answer.text = "Провод по изоляции " + Length(w.overallDiameter) + " не помещается в высоту H";
    return answer;
  }
  const wire::WindingSheet& sheet = *answer.sheet;
  std::string perLayer = std::to_string(sheet.turnsPerLayer);
  if (style == WindingStyle::kOrthocyclic) {
    perLayer += " и " + std::to_string(sheet.turnsPerOtherLayer) + " поочерёдно";
  }
  answer.text = "Провод: " + FamilyText(w.family).toStdString() + ", " + SizeText(w).toStdString() +
                "\nДиаметр по меди: " + Length(w.copperDiameter) +
                "\nДиаметр по изоляции: " + Length(w.overallDiameter) + "\nНамотка: " +
                (style == WindingStyle::kLayered ? "рядовая (виток к витку)" : "ортоциклическая") +
                "\nЦелых витков: " + std::to_string(sheet.wholeTurns) +
                "\nВитков в слое: " + perLayer + "\nСлоёв: " + std::to_string(sheet.layers) +
                "\nТолщина намотки: " + Length(sheet.buildDepth) +
                " (R2 - R1 = " + Length(sheet.depth) + ")" +
                "\nНаружный диаметр: " + Length(sheet.outerDiameter) +
                "\nДлина провода: " + Length(sheet.wireLength) +
                "\nМасса меди: " + NumberToText(sheet.copperMass) + " кг" +
                "\nСопротивление: " + NumberToText(sheet.resistance) + " Ом";
  return answer;
}

WindingPicture::WindingPicture(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("windingPicture"));
  setMinimumSize(240, 200);
}

void WindingPicture::Show(const std::optional<wire::WindingSheet>& sheet, const Winding& winding,
                          long double overallDiameter, WindingStyle style) {
  sheet_ = sheet;
  winding_ = winding;
  overallDiameter_ = overallDiameter;
  style_ = style;
  update();
}

void WindingPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (!sheet_) {
    return;
  }
  const wire::WindingSheet& sheet = *sheet_;
  const double p = static_cast<double>(overallDiameter_);
  const double r1 = static_cast<double>(winding_.R1);
  const double outer =
      std::max(static_cast<double>(winding_.R2), r1 + static_cast<double>(sheet.buildDepth));
  const double height = static_cast<double>(winding_.H);
  const double margin = 8;
  // One scale for both directions: the section to scale, the axis at the left.
  const double scale =
      std::min((width() - 2 * margin) / outer, (this->height() - 2 * margin) / height);
  const auto x = [&](double r) { return margin + r * scale; };
  const auto y = [&](double z) { return margin + z * scale; };

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().text().color(), 1, Qt::DashDotLine));
  painter.drawLine(QPointF(x(0), 0), QPointF(x(0), this->height()));
  painter.setPen(QPen(palette().text().color(), 1));
  painter.drawRect(
      QRectF(QPointF(x(r1), y(0)), QPointF(x(static_cast<double>(winding_.R2)), y(height))));

  painter.setPen(QPen(QColor(150, 80, 20), 0.5));
  painter.setBrush(QColor(210, 120, 40));
  const double rise = style_ == WindingStyle::kLayered ? p : p * std::sqrt(3.0) / 2;
  long long left = sheet.wholeTurns;
  for (long long layer = 0; layer < sheet.layers && left > 0; ++layer) {
    const bool other = layer % 2 == 1;
    const long long count = other ? sheet.turnsPerOtherLayer : sheet.turnsPerLayer;
    const double offset = style_ == WindingStyle::kOrthocyclic && other ? p / 2 : 0;
    const double centreR = r1 + p / 2 + static_cast<double>(layer) * rise;
    for (long long turn = 0; turn < count && left > 0; ++turn, --left) {
      const double centreZ = p / 2 + offset + static_cast<double>(turn) * p;
      const double radius = std::max(p * scale / 2, 0.5);
      painter.drawEllipse(QPointF(x(centreR), y(centreZ)), radius, radius);
    }
  }
}

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
  for (WireFamily f : wire::kWireFamilies) {
    family->addItem(FamilyText(f));
  }
  auto* size = new QComboBox(dialog);
  size->setObjectName(QStringLiteral("cbSize"));
  auto* style = new QComboBox(dialog);
  style->setObjectName(QStringLiteral("cbStyle"));
  style->addItem(QStringLiteral("Рядовая (виток к витку)"));
  style->addItem(QStringLiteral("Ортоциклическая"));
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
    const WireFamily f = wire::kWireFamilies[std::max(family->currentIndex(), 0)];
    return wire::WiresOf(f)[static_cast<std::size_t>(std::max(size->currentIndex(), 0))];
  };
  auto chosenStyle = [style] {
    return style->currentIndex() == 1 ? WindingStyle::kOrthocyclic : WindingStyle::kLayered;
  };
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
    for (const wire::StandardWire& w :
         wire::WiresOf(wire::kWireFamilies[std::max(family->currentIndex(), 0)])) {
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
