#include "app/field_dialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <utility>

#include "app/field_menu.h"
#include "app/field_plot.h"
#include "calc/errors.h"
#include "calc/number_text.h"
#include "field/axial_field.h"
#include "field/calculated_magnet.h"
#include "field/fabry_factor.h"

namespace tarnel {
namespace {

// The significant digits of the dialog's figures.
constexpr int kFigureDigits = 7;

std::string FigureText(const std::optional<long double>& value) {
  return value ? FormatNumber(*value, GeneralFormat(kFigureDigits)) : "—";
}

std::optional<long double> ReadNumber(const std::string& text) {
  try {
    return TextToNumber(TrimBlanks(text));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

struct WayIn {
  field::Drive drive;
  const char* caption;
};

constexpr std::array<WayIn, 3> kWaysIn = {{
    {field::Drive::kCurrent, "&Ток, А"},
    {field::Drive::kVoltage, "&Напряжение источника, В"},
    {field::Drive::kCentreField, "&Поле в центре, Тл"},
}};

// The Fabry factor beside the largest one of any shape.
std::string FabryText(const std::optional<long double>& factor) {
  const field::BestFabry& best = field::BestFabryFactor();
  const std::string bestText = "наибольший " + FormatNumber(best.factor, GeneralFormat(4)) +
                               " при R2/R1 = " + FormatNumber(best.alpha, GeneralFormat(3)) +
                               " и H/(2·R1) = " + FormatNumber(best.beta, GeneralFormat(3));
  if (!factor) {
    return "— (нет отверстия; " + bestText + ")";
  }
  return FigureText(factor) + " (" + bestText + ")";
}

}  // namespace

FieldAnswer AnswerField(const CalculationFields& fields, field::Drive drive,
                        const std::string& valueText) {
  FieldAnswer answer;
  CalculationFields calculated = fields;
  ComputedValues values;
  try {
    RunCalculation(calculated, &values);
  } catch (const Exception& error) {
    // An error in the inductance leaves N and R computed: the field stands.
    if (!values.N || !values.R) {
      answer.message = "Расчёт не выполнен: " + error.Message();
      return answer;
    }
  }
  const std::optional<field::Magnet> magnet = field::CalculatedMagnet(values);
  if (!magnet) {
    answer.message = calculated.edMessage;
    return answer;
  }
  answer.magnet = *magnet;
  const std::optional<long double> value = ReadNumber(valueText);
  if (!value) {
    answer.message = "«" + TrimBlanks(valueText) + "» не является числом";
    return answer;
  }
  if (!(*value > 0)) {
    answer.message = "Введите значение > 0";
    return answer;
  }
  const field::MagnetFigures f = field::FiguresFor(*magnet, drive, *value);
  if (!f.current) {
    answer.message = "Для этой обмотки ток не вычисляется";
    return answer;
  }
  answer.computed = true;
  answer.density = field::CurrentDensity(magnet->winding, magnet->turnCount, *f.current);
  answer.lines = {
      {"Поле в центре, Тл", FigureText(f.centreField)},
      {"Поле в центре торца, Тл", FigureText(f.endField)},
      {"Ток, А", FigureText(f.current)},
      {"Напряжение, В", FigureText(f.voltage)},
      {"Мощность, Вт", FigureText(f.power)},
      {"Плотность тока в проводе, А/м²", FigureText(f.currentDensity)},
      {"Энергия поля, Дж", FigureText(f.energy)},
      {"Постоянная времени L/R, с", FigureText(f.timeConstant)},
      {"Нагрев без охлаждения, К/с", FigureText(f.heatingRate)},
      {"Коэффициент Фабри", FabryText(f.fabryFactor)},
  };
  return answer;
}

FieldEntry::FieldEntry(QLineEdit* field, const WindowFields& window,
                       std::function<void()> calculate)
    : field_(field), window_(window), calculate_(std::move(calculate)) {
  setParent(field_);
  auto* entry = new QAction(EntryText(), this);
  connect(entry, &QAction::triggered, this, &FieldEntry::OpenDialog);
  AddMenuEntry(field_, entry);
}

QString FieldEntry::EntryText() {
  return QStringLiteral("&Ток и магнитное поле…");
}

void FieldEntry::OpenDialog() {
  // The window shows the result of its inputs first, as Calculate would.
  const CalculationFields shown = TextsOf(window_);
  CalculationFields fresh = shown;
  bool current = false;
  try {
    RunCalculation(fresh);
    current = fresh.edN == shown.edN && fresh.edR == shown.edR && fresh.edL == shown.edL &&
              fresh.edMessage == shown.edMessage;
  } catch (const std::exception&) {
    current = false;
  }
  if (!current) {
    calculate_();
  }
  // No N and R: the window's message or error box has said why.
  if (window_.N->text().isEmpty() || window_.R->text().isEmpty()) {
    return;
  }

  QWidget* window = field_->window();
  QDialog* dialog = NewWindowDialog(window, QStringLiteral("fieldDialog"),
                                    QStringLiteral("Ток и магнитное поле"));

  auto* about = new QLabel(QStringLiteral("Поле на оси обмотки с равномерной плотностью тока. "
                                          "Сопротивление — при 20 °C; энергия и постоянная "
                                          "времени — по точной индуктивности."),
                           dialog);
  about->setWordWrap(true);
  auto* ways = new QButtonGroup(dialog);
  auto* layout = new QVBoxLayout(dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(about);
  for (std::size_t i = 0; i < kWaysIn.size(); ++i) {
    auto* way = new QRadioButton(QString::fromUtf8(kWaysIn[i].caption), dialog);
    way->setObjectName(QStringLiteral("rbWay%1").arg(i));
    ways->addButton(way, static_cast<int>(i));
    layout->addWidget(way);
  }
  ways->button(0)->setChecked(true);
  auto* caption = new QLabel(QStringLiteral("&Значение:"), dialog);
  auto* value = new QLineEdit(QString::fromStdString(NumberToText(1)), dialog);
  value->setObjectName(QStringLiteral("edFieldValue"));
  caption->setBuddy(value);
  layout->addWidget(caption);
  layout->addWidget(value);
  auto* message = new QLabel(dialog);
  message->setObjectName(QStringLiteral("lbFieldMessage"));
  message->setWordWrap(true);
  QPalette alert = message->palette();
  alert.setColor(QPalette::WindowText, Qt::red);
  message->setPalette(alert);
  message->hide();
  layout->addWidget(message);

  auto* figures = new QGridLayout;
  std::vector<QLabel*> texts;
  for (int row = 0; row < 10; ++row) {
    auto* name = new QLabel(dialog);
    name->setObjectName(QStringLiteral("lbFieldCaption%1").arg(row));
    auto* text = new QLabel(dialog);
    text->setObjectName(QStringLiteral("lbFieldText%1").arg(row));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures->addWidget(name, row, 0);
    figures->addWidget(text, row, 1);
    texts.push_back(name);
    texts.push_back(text);
  }
  layout->addLayout(figures);
  auto* plot = new FieldPlot(dialog);
  layout->addWidget(plot);

  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* compute =
      buttons->addButton(QStringLiteral("&Рассчитать"), QDialogButtonBox::ApplyRole);
  compute->setObjectName(QStringLiteral("btFieldCompute"));
  compute->setDefault(true);
  buttons->addButton(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
  layout->addWidget(buttons);
  about->setFixedWidth(about->fontMetrics().averageCharWidth() * 56);

  auto show = [this, ways, value, message, texts, plot] {
    FieldAnswer answer;
    // Errors stop here: none may unwind through the toolkit's event handling.
    try {
      answer =
          AnswerField(TextsOf(window_), kWaysIn[static_cast<std::size_t>(ways->checkedId())].drive,
                      value->text().toStdString());
    } catch (const std::exception& error) {
      answer.message = error.what();
    }
    for (std::size_t row = 0; row < 10; ++row) {
      const bool shown = answer.computed;
      texts[2 * row]->setText(shown ? QString::fromStdString(answer.lines[row].caption + ":")
                                    : QString());
      texts[2 * row + 1]->setText(shown ? QString::fromStdString(answer.lines[row].text)
                                        : QString());
    }
    if (!answer.computed) {
      message->setText(QString::fromStdString(answer.message));
      message->show();
      plot->Forget();
      value->setFocus();
      return;
    }
    message->hide();
    plot->Show(answer.magnet.winding, *answer.density);
  };
  connect(compute, &QPushButton::clicked, dialog, show);
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  // Choosing a way in leads to its value.
  connect(ways, &QButtonGroup::idClicked, dialog, [value](int /*id*/) {
    value->setFocus();
    value->selectAll();
  });
  show();
  value->selectAll();
  value->setFocus();
  dialog->open();
}

}  // namespace tarnel
