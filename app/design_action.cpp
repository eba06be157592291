#include "app/design_action.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>

#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel {
namespace {

// A solved dimension or an end of the reachable interval: the window's
// general form, to as many digits as a solved field gets.
std::string DesignNumberText(long double value) {
  return FormatNumber(value, GeneralFormat(kSolvedDigits));
}

const char* NameOf(design::Unknown unknown) {
  switch (unknown) {
    case design::Unknown::kR2:
      return "R2";
    case design::Unknown::kH:
      return "H";
    case design::Unknown::kD:
      return "D";
  }
  return "";
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

std::string NotANumber(const std::string& text) {
  return "«" + text + "» не является числом";
}

// The number in `text`, read as the calculation reads a field; nothing when
// it is not a number.
std::optional<long double> ReadNumber(const std::string& text) {
  try {
    return TextToNumber(TrimBlanks(text));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

DesignAnswer AnswerDesign(const CalculationFields& fields, design::Unknown unknown,
                          const std::string& targetText) {
  const std::optional<long double> target = ReadNumber(targetText);
  if (!target) {
    return {false, NotANumber(TrimBlanks(targetText))};
  }

  // The given inputs in the order the calculation reads them.
  design::Winding given;
  const struct {
    const char* name;
    const std::string* text;
    long double* value;
    bool given;
  } inputs[] = {
      {"R1", &fields.edR1, &given.R1, true},
      {"R2", &fields.edR2, &given.R2, unknown != design::Unknown::kR2},
      {"H", &fields.edH, &given.H, unknown != design::Unknown::kH},
      {"D", &fields.edD, &given.D, unknown != design::Unknown::kD},
      {"Lambda", &fields.edLambda, &given.Lambda, true},
  };
  for (const auto& input : inputs) {
    if (!input.given) {
      continue;
    }
    const std::optional<long double> value = ReadNumber(*input.text);
    if (!value) {
      return {false, std::string(input.name) + ": " + NotANumber(TrimBlanks(*input.text))};
    }
    *input.value = *value;
  }

  const design::Design result = design::SolveForInductance(given, unknown, *target);
  switch (result.outcome) {
    case design::Design::Outcome::kSolved:
      return {true, DesignNumberText(result.value)};
    case design::Design::Outcome::kUnreachable: {
      std::string text = std::string("При этих ") + GivenNames(unknown) + " индуктивность ";
      if (std::isinf(result.highestL)) {
        text += "может быть не меньше " + DesignNumberText(result.lowestL) + " Гн";
      } else {
        text += "может быть от " + DesignNumberText(result.lowestL) + " до " +
                DesignNumberText(result.highestL) + " Гн";
      }
      return {false, text};
    }
    case design::Design::Outcome::kInvalid:
      break;
  }
  return {false, result.message};
}

DesignEntry::DesignEntry(design::Unknown unknown, const DesignFields& fields,
                         std::function<void()> calculate)
    : unknown_(unknown), fields_(fields), calculate_(std::move(calculate)) {
  setParent(Field());
  Field()->installEventFilter(this);
}

QString DesignEntry::EntryText() const {
  return QStringLiteral("Подобрать %1 по индуктивности…").arg(QLatin1String(NameOf(unknown_)));
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

bool DesignEntry::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Field()) {
    return QObject::eventFilter(watched, event);
  }
  if (event->type() == QEvent::ContextMenu) {
    ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  // The Menu key reaches the field as a context-menu event; Shift+F10, the
  // other key people open a context menu with, does not.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
      ShowMenu(Field()->mapToGlobal(
          Field()->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft()));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

// The field's own menu, as it shows it, with the entry at its end.
void DesignEntry::ShowMenu(const QPoint& globalPos) {
  QMenu* menu = Field()->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addSeparator();
  AddEntryTo(menu);
  menu->popup(globalPos);
}

void DesignEntry::AddEntryTo(QMenu* menu) const {
  QAction* entry = menu->addAction(EntryText());
  connect(entry, &QAction::triggered, this, &DesignEntry::OpenDialog);
}

void DesignEntry::OpenDialog() {
  QWidget* window = Field()->window();
  auto* dialog = new QDialog(window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QStringLiteral("designDialog"));
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  dialog->setFont(window->font());
  const QString name = QLatin1String(NameOf(unknown_));
  dialog->setWindowTitle(QStringLiteral("Подбор %1 по индуктивности").arg(name));

  auto* about = new QLabel(QStringLiteral("%1 подбирается так, чтобы точная индуктивность обмотки "
                                          "(равномерная плотность тока) была равна заданной; %2 "
                                          "берутся из окна.")
                               .arg(name, QString::fromUtf8(GivenNames(unknown_))),
                           dialog);
  about->setWordWrap(true);
  auto* caption = new QLabel(QStringLiteral("Индуктивность L, Гн:"), dialog);
  auto* target = new QLineEdit(fields_.L->text(), dialog);
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
    CalculationFields texts;
    texts.edR1 = fields_.R1->text().toStdString();
    texts.edR2 = fields_.R2->text().toStdString();
    texts.edH = fields_.H->text().toStdString();
    texts.edD = fields_.D->text().toStdString();
    texts.edLambda = fields_.Lambda->text().toStdString();
    DesignAnswer answer;
    // Errors stop here: none may unwind through the toolkit's event handling.
    try {
      answer = AnswerDesign(texts, unknown_, target->text().toStdString());
    } catch (const std::exception& error) {
      answer = {false, error.what()};
    }
    if (!answer.solved) {
      message->setText(QString::fromStdString(answer.text));
      message->show();
      target->setFocus();
      return;
    }
    dialog->accept();
    Field()->setText(QString::fromStdString(answer.text));
    // Its leading digits in view: the text may be wider than the field.
    Field()->setCursorPosition(0);
    calculate_();
  });
  target->setFocus();
  dialog->open();
}

}  // namespace tarnel
