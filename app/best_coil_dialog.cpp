#include "app/best_coil_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "app/design_report.h"
#include "app/field_menu.h"
#include "app/field_text_fit.h"
#include "app/wire_choice.h"
#include "calc/errors.h"
#include "calc/number_text.h"
#include "design/best_coil.h"
#include "design/design_request.h"
#include "wire/wire_for_resistance.h"

namespace tarnel {
namespace {

// The drawing's size and its margin, pixels.
constexpr int kViewWidth = 240;
constexpr int kViewHeight = 200;
constexpr int kViewMargin = 12;

std::string NotANumber(const std::string& name, const std::string& text) {
  return name + ": «" + text + "» не является числом";
}

// The design request of the window's texts and the dialog's.
design::DesignRequest DesignRequestOf(const CalculationFields& fields, const BestCoilTexts& texts) {
  using Kind = design::DimensionRole::Kind;
  design::DesignRequest request;
  request.fields = fields;
  request.targetText = texts.target;
  request.roles.R1.kind = texts.keepR1 ? Kind::kKept : Kind::kFree;
  request.roles.R2.kind = Kind::kFree;
  if (!TrimBlanks(texts.outerLimit).empty()) {
    request.roles.R2.highestText = TrimBlanks(texts.outerLimit);
  }
  request.roles.H.kind = texts.keepH ? Kind::kKept : Kind::kFree;
  return request;
}

// The dialog names its target first, then the window's texts, then its
// limit.
int NamingOrder(const design::UnreadText& unread) {
  if (std::string_view(unread.name) == "L") {
    return 0;
  }
  return unread.bound ? 2 : 1;
}

std::string UnreadStatement(const std::vector<design::UnreadText>& unread) {
  const design::UnreadText* named = &unread.front();
  for (const design::UnreadText& text : unread) {
    if (NamingOrder(text) < NamingOrder(*named)) {
      named = &text;
    }
  }
  return NotANumber(named->name, named->trimmed);
}

}  // namespace

BestCoilAnswer AnswerBestCoil(const CalculationFields& fields, const BestCoilTexts& texts,
                              const FewestDigits& fewestDigits) {
  BestCoilAnswer answer;
  const std::string limitText = TrimBlanks(texts.maxResistance);
  const bool byLimit = !limitText.empty();
  design::DesignRequest asked = DesignRequestOf(fields, texts);
  if (byLimit) {
    // The wire gives D and Lambda: the window's are not read.
    asked.roles.D.kind = design::DimensionRole::Kind::kSolved;
    asked.roles.Lambda.kind = design::DimensionRole::Kind::kSolved;
  }
  const design::ReadTexts read = design::ReadRequestTexts(asked);
  if (!read.unread.empty()) {
    answer.statement = UnreadStatement(read.unread);
    return answer;
  }
  const design::BestCoilRequest& request = read.numbers;
  // The window's texts with the written coil's, and the wire's D and Lambda.
  auto calculationOf = [&](const design::WrittenCoil& written,
                           const std::optional<WireSheetAnswer>& wireTexts) {
    CalculationFields calculated = fields;
    calculated.edR1 = written.R1;
    calculated.edR2 = written.R2;
    calculated.edH = written.H;
    if (wireTexts) {
      calculated.edD = wireTexts->dText;
      calculated.edLambda = wireTexts->lambdaText;
    }
    RunCalculation(calculated);
    return calculated;
  };
  // The coil written with the fewest digits that keep the target and, under
  // a limit, keep the resistance the window shows for the written texts
  // within it: rounding R1, R2 and H lifts it above the solved coil's.
  auto write = [&](const design::BestCoilRequest& coilRequest, const design::BestCoil& best,
                   const std::optional<WireSheetAnswer>& wireTexts,
                   std::optional<long double> maxResistance) {
    auto keepsLimit = [&](const design::WrittenCoil& written) {
      if (!maxResistance) {
        return true;
      }
      const CalculationFields calculated = calculationOf(written, wireTexts);
      try {
        return TextToNumber(calculated.edR) <= *maxResistance;
      } catch (const EConvertError&) {
        return false;
      }
    };
    auto writtenFrom = [&](int fewest) {
      design::WrittenCoil written;
      for (int digits = fewest; digits <= kMostFieldDigits; ++digits) {
        written = design::WriteBestCoil(coilRequest, best, GeneralFormat(digits), 0);
        if (written.solved && keepsLimit(written)) {
          return written;
        }
      }
      written.solved = false;
      return written;
    };
    design::WrittenCoil written = writtenFrom(kSolvedDigits);
    if (written.solved && fewestDigits) {
      const int fewest = std::max(kFewestFieldDigits, fewestDigits(written.coil.winding));
      if (fewest < kSolvedDigits) {
        written = writtenFrom(fewest);
      }
    }
    return written;
  };
  design::WrittenCoil written;
  std::optional<WireSheetAnswer> wireTexts;
  if (byLimit) {
    long double maxResistance = 0;
    try {
      maxResistance = TextToNumber(limitText);
    } catch (const EConvertError&) {
      answer.statement = NotANumber("R", limitText);
      return answer;
    }
    wire::WireLimitRequest limit{request, texts.family, texts.style, maxResistance, {}};
    limit.accepts = [&](const wire::StandardWire& w, const design::BestCoil& best) {
      wireTexts = WireTexts(w, texts.style);
      written = write(wire::CoilRequestFor(limit, w), best, wireTexts, maxResistance);
      return written.solved;
    };
    const wire::WireForLimit picked = wire::FindWireForResistance(limit);
    if (!picked.found) {
      answer.statement = picked.message;
      if (picked.leastResistance) {
        answer.statement +=
            " (наименьшее: " + FormatNumber(*picked.leastResistance, GeneralFormat(10)) + " Ом)";
      }
      return answer;
    }
    answer.wire = picked.wire;
  } else {
    written = write(request, design::FindBestCoil(request), std::nullopt, std::nullopt);
  }
  if (!written.solved) {
    answer.statement = written.coil.message;
    return answer;
  }
  answer.solved = true;
  answer.R1 = written.R1;
  answer.R2 = written.R2;
  answer.H = written.H;
  answer.coil = written.coil.winding;
  answer.exactL = written.coil.exactL;
  const CalculationFields calculated = calculationOf(written, wireTexts);
  if (answer.wire) {
    answer.sheet = AnswerWireSheet(calculated, *answer.wire, texts.style);
  }
  answer.statement =
      "Точная L записанной обмотки: " + FormatNumber(written.coil.exactL, GeneralFormat(10)) +
      " Гн\n" + "Сопротивление: " + calculated.edR + " Ом\n" +
      "Длина провода: " + NumberToText(written.coil.wireLength) + " м";
  return answer;
}

CrossSectionView::CrossSectionView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("crossSection"));
  setFixedSize(kViewWidth, kViewHeight);
}

void CrossSectionView::Show(const std::optional<Winding>& coil,
                            const std::optional<Winding>& dashed,
                            const std::optional<WoundTurns>& turns) {
  coil_ = coil;
  dashed_ = dashed;
  turns_ = coil ? turns : std::nullopt;
  update();
}

void CrossSectionView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const int axisX = kViewMargin;
  const int middleY = height() / 2;
  QPen axisPen(palette().text().color(), 1, Qt::DashDotLine);
  painter.setPen(axisPen);
  painter.drawLine(axisX, kViewMargin / 2, axisX, height() - kViewMargin / 2);
  long double largestR = 0;
  long double largestH = 0;
  for (const std::optional<Winding>* w : {&coil_, &dashed_}) {
    if (*w) {
      largestR = std::max(largestR, DrawnOuterRadius(**w, w == &coil_ ? turns_ : std::nullopt));
      largestH = std::max(largestH, (*w)->H);
    }
  }
  if (!(largestR > 0) || !(largestH > 0)) {
    return;
  }
  // One scale for both directions and both windings: the drawing is to scale.
  const long double scale =
      std::min((width() - 2 * kViewMargin) / largestR, (height() - 2 * kViewMargin) / largestH);
  auto rectOf = [&](const Winding& w) {
    const auto left = static_cast<double>(axisX + w.R1 * scale);
    const auto right = static_cast<double>(axisX + w.R2 * scale);
    const auto half = static_cast<double>(w.H * scale / 2);
    return QRectF(QPointF(left, middleY - half), QPointF(right, middleY + half));
  };
  if (coil_) {
    painter.setPen(QPen(palette().text().color(), 1));
    // The turns, where there are any, fill the space themselves.
    painter.setBrush(turns_ ? QBrush(Qt::NoBrush) : palette().highlight());
    painter.drawRect(rectOf(*coil_));
  }
  if (coil_ && turns_) {
    const double top = static_cast<double>(middleY) - static_cast<double>(coil_->H * scale / 2);
    const auto at = [&](double r, double z) {
      return QPointF(axisX + r * static_cast<double>(scale), top + z * static_cast<double>(scale));
    };
    PaintTurns(painter, *coil_, *turns_, at, static_cast<double>(scale));
  }
  if (dashed_) {
    painter.setPen(QPen(palette().text().color(), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectOf(*dashed_));
  }
}

BestCoilEntry::BestCoilEntry(QLineEdit* field, const WindowFields& fields,
                             std::function<void()> calculate)
    : QObject(field), field_(field), fields_(fields), calculate_(std::move(calculate)) {
  auto* entry = new QAction(EntryText(), this);
  connect(entry, &QAction::triggered, this, &BestCoilEntry::OpenDialog);
  AddMenuEntry(field_, entry);
}

QString BestCoilEntry::EntryText() {
  return QStringLiteral("Катушка с &наименьшим сопротивлением…");
}

int BestCoilEntry::FewestShownDigits(const Winding& coil) const {
  const std::pair<const QLineEdit*, long double> shown[] = {
      {fields_.R1, coil.R1}, {fields_.R2, coil.R2}, {fields_.H, coil.H}};
  int fewest = kSolvedDigits;
  for (const auto& [field, value] : shown) {
    fewest = std::min(fewest, FitFieldText(value, DecimalMark(), *field, kSolvedDigits).digits);
  }
  return fewest;
}

void BestCoilEntry::OpenDialog() {
  QWidget* window = field_->window();
  QDialog* dialog = NewWindowDialog(window, QStringLiteral("bestCoilDialog"),
                                    QStringLiteral("Катушка с наименьшим сопротивлением"));

  auto* about = new QLabel(
      QStringLiteral(
          "R1, R2 и H подбираются так, чтобы точная индуктивность обмотки "
          "(равномерная плотность тока) была равна заданной, а провода, и с ним "
          "сопротивления, было как можно меньше; D и Lambda берутся из окна, а с пределом "
          "сопротивления — из самого тонкого провода ряда, который его выдерживает."),
      dialog);
  about->setWordWrap(true);
  auto* caption = new QLabel(QStringLiteral("&Индуктивность L, Гн:"), dialog);
  auto* target = new QLineEdit(OfferedTarget(TextsOf(fields_)), dialog);
  target->setObjectName(QStringLiteral("edBestTarget"));
  target->selectAll();
  caption->setBuddy(target);
  auto* keepR1 = new QCheckBox(QStringLiteral("Оставить R&1, как в окне"), dialog);
  keepR1->setObjectName(QStringLiteral("cbKeepR1"));
  auto* keepH = new QCheckBox(QStringLiteral("Оставить &H, как в окне"), dialog);
  keepH->setObjectName(QStringLiteral("cbKeepH"));
  auto* limitCaption =
      new QLabel(QStringLiteral("&Наибольший наружный радиус R2, м (пусто: без предела):"), dialog);
  auto* limit = new QLineEdit(dialog);
  limit->setObjectName(QStringLiteral("edOuterLimit"));
  limitCaption->setBuddy(limit);
  auto* resistanceCaption = new QLabel(QStringLiteral("&Сопротивление не более, Ом:"), dialog);
  auto* resistance = new QLineEdit(dialog);
  resistance->setObjectName(QStringLiteral("edMaxResistance"));
  resistanceCaption->setBuddy(resistance);
  auto* family = new QComboBox(dialog);
  family->setObjectName(QStringLiteral("cbBestFamily"));
  AddFamilyChoices(family);
  auto* style = new QComboBox(dialog);
  style->setObjectName(QStringLiteral("cbBestStyle"));
  AddStyleChoices(style);
  auto* wireForm = new QFormLayout;
  wireForm->addRow(QStringLiteral("&Провод:"), family);
  wireForm->addRow(QStringLiteral("Намо&тка:"), style);
  auto* message = new QLabel(dialog);
  message->setObjectName(QStringLiteral("lbBestMessage"));
  message->setWordWrap(true);
  QPalette alert = message->palette();
  alert.setColor(QPalette::WindowText, Qt::red);
  message->setPalette(alert);
  message->hide();
  auto* result = new QLabel(dialog);
  result->setObjectName(QStringLiteral("lbBestResult"));
  result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* sheetText = new QLabel(dialog);
  sheetText->setObjectName(QStringLiteral("lbBestSheet"));
  sheetText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sheetText->hide();
  auto* copy = new QPushButton(QStringLiteral("&Копировать"), dialog);
  copy->setObjectName(QStringLiteral("btCopyBestSheet"));
  copy->setAutoDefault(false);
  copy->hide();
  auto* view = new CrossSectionView(dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Подобрать"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Закрыть"));

  auto* column = new QVBoxLayout;
  column->addWidget(about);
  column->addWidget(caption);
  column->addWidget(target);
  column->addWidget(keepR1);
  column->addWidget(keepH);
  column->addWidget(limitCaption);
  column->addWidget(limit);
  column->addWidget(resistanceCaption);
  column->addWidget(resistance);
  column->addLayout(wireForm);
  column->addWidget(message);
  column->addWidget(result);
  column->addWidget(sheetText);
  column->addWidget(copy, 0, Qt::AlignLeft);
  column->addStretch();
  auto* row = new QHBoxLayout;
  row->addLayout(column);
  row->addWidget(view, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(row);
  layout->addWidget(buttons);
  about->setFixedWidth(about->fontMetrics().averageCharWidth() * 48);
  // Beside the drawing the layout would give the wrapped text the height of
  // fewer lines than it takes; it gets all of them.
  about->setMinimumHeight(about->heightForWidth(about->width()));

  auto hideMessage = [message] { message->hide(); };
  connect(target, &QLineEdit::textChanged, message, hideMessage);
  connect(limit, &QLineEdit::textChanged, message, hideMessage);
  connect(resistance, &QLineEdit::textChanged, message, hideMessage);
  connect(copy, &QPushButton::clicked, dialog,
          [sheetText] { QApplication::clipboard()->setText(sheetText->text()); });
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, dialog,
          [this, target, keepR1, keepH, limit, resistance, family, style, message, result,
           sheetText, copy, view] {
            const CalculationFields fields = TextsOf(fields_);
            BestCoilTexts texts;
            texts.target = target->text().toStdString();
            texts.outerLimit = limit->text().toStdString();
            texts.keepR1 = keepR1->isChecked();
            texts.keepH = keepH->isChecked();
            texts.maxResistance = resistance->text().toStdString();
            texts.family = ChosenFamily(*family);
            texts.style = ChosenStyle(*style);
            BestCoilAnswer answer;
            std::optional<Winding> brooks;
            // Errors stop here: none may unwind through the toolkit's event handling.
            try {
              answer = AnswerBestCoil(
                  fields, texts, [this](const Winding& coil) { return FewestShownDigits(coil); });
              if (answer.solved) {
                brooks = design::CoilOfShape(answer.coil, design::BestShape{2, 1}, answer.exactL);
              }
            } catch (const std::exception& error) {
              answer = BestCoilAnswer{};
              answer.statement = error.what();
            }
            if (!answer.solved) {
              message->setText(QString::fromStdString(answer.statement));
              message->show();
              target->setFocus();
              return;
            }
            const std::pair<QLineEdit*, const std::string*> writes[] = {
                {fields_.R1, &answer.R1}, {fields_.R2, &answer.R2}, {fields_.H, &answer.H}};
            for (const auto& [written, text] : writes) {
              const QString shown = QString::fromStdString(*text);
              written->setText(shown);
              written->setCursorPosition(0);
              // A text the field cannot show whole is read in full here.
              written->setToolTip(ShowsWhole(*written, shown) ? QString() : shown);
            }
            if (answer.wire) {
              const std::pair<QLineEdit*, const std::string*> wireWrites[] = {
                  {fields_.D, &answer.sheet.dText}, {fields_.Lambda, &answer.sheet.lambdaText}};
              for (const auto& [written, text] : wireWrites) {
                written->setText(QString::fromStdString(*text));
                // Their leading digits in view: the texts are wider than the fields.
                written->setCursorPosition(0);
              }
            }
            calculate_();
            result->setText(QString::fromStdString(answer.statement));
            sheetText->setText(QString::fromStdString(answer.sheet.text));
            sheetText->setVisible(answer.wire.has_value());
            copy->setVisible(answer.wire.has_value());
            std::optional<WoundTurns> turns;
            if (answer.wire && answer.sheet.sheet) {
              turns = WoundTurns{*answer.sheet.sheet, answer.wire->overallDiameter, texts.style};
            }
            view->Show(answer.coil, brooks, turns);
            target->setFocus();
          });
  target->setFocus();
  dialog->open();
}

}  // namespace tarnel
