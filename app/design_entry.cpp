#include "app/design_entry.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

#include "app/design_report.h"
#include "app/field_menu.h"
#include "app/field_text_fit.h"
#include "calc/calculation_request.h"
#include "calc/number_text.h"

namespace tarnel {
namespace {

// A solved dimension or an end of the reachable interval: the window's
// general form, to as many digits as a solved field gets.
std::string DesignNumberText(long double value) {
  return FormatNumber(value, GeneralFormat(kSolvedDigits));
}

// The given dimensions, named as the window's labels name them.
const char* GivenNames(design::Unknown unknown) {
  switch (unknown) {
    case design::Unknown::kR2:
      return "R1, H, D и Lambda";
    case design::Unknown::kH:
      return "R1, R2, D и Lambda";
    case design::Unknown::kD:
      return "R1, R2, H и Lambda";
  }
  return "";
}

// A solved value as its field gets it: the window's general form.
std::string FieldNumberText(long double value, int digits) {
  return FormatNumber(value, GeneralFormat(digits));
}

std::string NotANumber(const std::string& text) {
  return "«" + text + "» не является числом";
}

}  // namespace

DialogAnswer AnswerInDialog(const CalculationFields& fields, design::Unknown unknown,
                            const std::string& targetText) {
  design::DesignRequest request;
  request.fields = fields;
  request.targetText = targetText;
  request.roles = design::Solving(unknown);
  request.write = FieldNumberText;
  request.digits = {kSolvedDigits, kMostFieldDigits};
  request.statedDigits = kSolvedDigits;
  const design::DesignAnswer answer = design::AnswerDesign(request);
  // The target is the dialog's own field, so its text is named first.
  for (const design::UnreadText& unread : answer.unread) {
    if (std::string_view(unread.name) == "L") {
      return {false, NotANumber(unread.trimmed)};
    }
  }
  if (!answer.unread.empty()) {
    const design::UnreadText& unread = answer.unread.front();
    return {false, std::string(unread.name) + ": " + NotANumber(unread.trimmed)};
  }
  if (answer.solved) {
    return {true, answer.solvedText, answer.solvedValue};
  }
  if (answer.reachable) {
    return {false, std::string("При этих ") + GivenNames(unknown) +
                       " индуктивность может быть от " +
                       DesignNumberText(answer.reachable->lowestL) + " до " +
                       DesignNumberText(answer.reachable->highestL) + " Гн"};
  }
  if (answer.unwritable) {
    return {false, "Подобранное " + std::string(design::NameOf(unknown)) + " не записать в " +
                       std::to_string(kMostFieldDigits) + " цифр так, чтобы расчёт дал «" +
                       kReadyMessage + "» с вычисляемым точным значением L"};
  }
  return {false, answer.message};
}

DesignEntry::DesignEntry(design::Unknown unknown, const WindowFields& fields,
                         std::function<void()> calculate)
    : unknown_(unknown), fields_(fields), calculate_(std::move(calculate)) {
  setParent(Field());
  auto* entry = new QAction(EntryText(), this);
  connect(entry, &QAction::triggered, this, &DesignEntry::OpenDialog);
  AddMenuEntry(Field(), entry);
  // The note on a solved value goes when the value is typed over.
  connect(Field(), &QLineEdit::textEdited, this, [this] { Field()->setToolTip({}); });
}

QString DesignEntry::EntryText() const {
  // Б: the field's standard entries hold О, П, В, К and С.
  return QStringLiteral("Подо&брать %1 по индуктивности…")
      .arg(QLatin1String(design::NameOf(unknown_)));
}

QLineEdit* DesignEntry::Field() const {
  switch (unknown_) {
    case design::Unknown::kR2:
      return fields_.R2;
    case design::Unknown::kH:
      return fields_.H;
    case design::Unknown::kD:
      return fields_.D;
  }
  return fields_.R2;
}

void DesignEntry::OpenDialog() {
  QWidget* window = Field()->window();
  const QString name = QLatin1String(design::NameOf(unknown_));
  QDialog* dialog = NewWindowDialog(window, QStringLiteral("designDialog"),
                                    QStringLiteral("Подбор %1 по индуктивности").arg(name));

  auto* about = new QLabel(QStringLiteral("%1 подбирается так, чтобы точная индуктивность обмотки "
                                          "(равномерная плотность тока) была равна заданной; %2 "
                                          "берутся из окна.")
                               .arg(name, QString::fromUtf8(GivenNames(unknown_))),
                           dialog);
  about->setWordWrap(true);
  auto* caption = new QLabel(QStringLiteral("Индуктивность L, Гн:"), dialog);
  auto* target = new QLineEdit(OfferedTarget(TextsOf(fields_)), dialog);
  target->setObjectName(QStringLiteral("edTarget"));
  target->selectAll();
  caption->setBuddy(target);
  auto* message = new QLabel(dialog);
  message->setObjectName(QStringLiteral("lbDesignMessage"));
  message->setWordWrap(true);
  QPalette alert = message->palette();
  alert.setColor(QPalette::WindowText, Qt::red);
  message->setPalette(alert);
  message->hide();
  connect(target, &QLineEdit::textChanged, message, &QLabel::hide);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));

  auto* layout = new QVBoxLayout(dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(about);
  layout->addWidget(caption);
  layout->addWidget(target);
  layout->addWidget(message);
  layout->addWidget(buttons);
  about->setFixedWidth(about->fontMetrics().averageCharWidth() * 48);

  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, dialog, [this, dialog, target, message] {
    const CalculationFields texts = TextsOf(fields_);
    DialogAnswer answer;
    // Errors stop here: none may unwind through the toolkit's event handling.
    try {
      answer = AnswerInDialog(texts, unknown_, target->text().toStdString());
    } catch (const std::exception& error) {
      answer = {false, error.what()};
    }
    if (!answer.solved) {
      message->setText(QString::fromStdString(answer.text));
      message->show();
      target->setFocus();
      return;
    }
    // The digits the field shows whole, or more where those do not keep
    // what the design promises; the note below holds a text that does not fit.
    const int fitted = FitFieldText(answer.value, DecimalMark(), *Field(), kSolvedDigits).digits;
    const QString written = QString::fromStdString(
        fitted < kSolvedDigits
            ? design::WrittenSolution(texts, unknown_, answer.value, {fitted, kMostFieldDigits},
                                      FieldNumberText)
                  .value_or(answer.text)
            : answer.text);
    dialog->accept();
    Field()->setText(written);
    Field()->setCursorPosition(0);
    calculate_();
    Field()->setToolTip(SolvedFieldNote(QLatin1String(design::NameOf(unknown_)),
                                        target->text().trimmed(), answer.value, written,
                                        InductanceOfTexts(TextsOf(fields_))));
  });
  target->setFocus();
  dialog->open();
}

}  // namespace tarnel
