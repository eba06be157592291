#include "app/main_window.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QResource>
#include <algorithm>
#include <exception>
#include <string>

#include "app/best_coil_dialog.h"
#include "app/button_keys.h"
#include "app/design_entry.h"
#include "app/error_box.h"
#include "app/field_dialog.h"
#include "app/inductance_warning.h"
#include "app/winding_tooltips.h"
#include "app/window_font.h"
#include "app/window_placement.h"
#include "app/wire_dialog.h"
#include "calc/errors.h"
#include "ui_main_window.h"

// Q_INIT_RESOURCE may not stand inside a namespace. Calling it keeps the
// linker from dropping the icon's resource out of the static library.
static void InitTarnelResources() {
  Q_INIT_RESOURCE(tarnel);
}

namespace tarnel {
namespace {

// The window's icon and the close glyph ship as raw 32-bit pixels (B, G, R,
// A bytes) of the PNG pictures beside them in app/icons: shown as they are,
// they cost no image decoder and no search through the image plugins.
QIcon RawIcon(const QString& path, int side) {
  const QResource resource(path);
  const qint64 bytes = qint64{side} * side * 4;
  if (resource.size() != bytes || resource.compressionAlgorithm() != QResource::NoCompression) {
    return {};
  }
  const QImage image(resource.data(), side, side, QImage::Format_ARGB32);
  return QIcon(QPixmap::fromImage(image));
}

void PaintOnButtonFace(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
}

std::string TextOf(const QLineEdit* field) {
  return field->text().toStdString();
}

// Writing a field resets its caret and undo history, so unchanged texts are
// left alone.
void SetText(QLineEdit* field, const std::string& text) {
  const QString newText = QString::fromStdString(text);
  if (field->text() != newText) {
    field->setText(newText);
  }
}

}  // namespace

TfmTarnel::TfmTarnel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TfmTarnel>()) {
  InitTarnelResources();
  // The form names no font: set before its controls are made, the window's
  // font is the one they lay their texts out in, once.
  setFont(WindowFont());
  ui_->setupUi(this);

  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  setWindowIcon(RawIcon(QStringLiteral(":/icons/tarnel-32.bgra"), 32));
  ui_->BitBtn1->setIcon(RawIcon(QStringLiteral(":/icons/close-16.bgra"), 16));
  // The defaults are numbers: written with the decimal separator in use.
  ShowFieldTexts(StartupFields());

  if (!HasDesignedWidths(font())) {
    setFont(FittedFont(font(), CaptionRooms(*this)));
  }
  // Labels grow to their text, as auto-sized labels do: a stand-in font may
  // be a pixel or two wider than the designed one.
  for (QLabel* label : findChildren<QLabel*>()) {
    if (label != ui_->Label1) {
      label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    }
  }
  PlaceOnScreen(*this);

  QPalette titlePalette = ui_->Label1->palette();
  titlePalette.setColor(QPalette::WindowText, Qt::blue);
  ui_->Label1->setPalette(titlePalette);
  PaintOnButtonFace(ui_->Label1);
  PaintOnButtonFace(ui_->lbN);

  connect(ui_->BitBtn1, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->btProcess, &QPushButton::clicked, this, &TfmTarnel::btProcessClick);

  // A plain window has no default-button handling of its own: Enter in a
  // field presses btProcess the way a dialog's default button would be.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    connect(field, &QLineEdit::returnPressed, ui_->btProcess, &QPushButton::click);
  }
  PressFocusedButtonOnEnter(*this);

  inductanceWarning_ = new InductanceWarning(ui_->edL);
  windingTooltips_ = new WindingTooltips({.edN = ui_->edN, .edR = ui_->edR});
  const WindowFields fields{ui_->edR1, ui_->edR2, ui_->edH, ui_->edD,      ui_->edLambda,
                            ui_->edN,  ui_->edR,  ui_->edL, ui_->edMessage};
  for (const design::Unknown unknown :
       {design::Unknown::kR2, design::Unknown::kH, design::Unknown::kD}) {
    new DesignEntry(unknown, fields, [this] { btProcessClick(); });
  }
  for (QLineEdit* field : {ui_->edN, ui_->edR}) {
    new FieldEntry(field, fields, [this] { btProcessClick(); });
  }
  new WireEntry(fields, [this] { btProcessClick(); });
  for (QLineEdit* field : {ui_->edR1, ui_->edR2, ui_->edH}) {
    new BestCoilEntry(field, fields, [this] { btProcessClick(); });
  }
}

TfmTarnel::~TfmTarnel() = default;

void TfmTarnel::btProcessClick() {
  CalculationFields fields = FieldTexts();
  ComputedValues values;
  // Errors stop here: none may unwind through the toolkit's event handling.
  try {
    RunCalculation(fields, &values);
  } catch (const Exception& error) {
    ShowFieldTexts(fields);
    ShowNotes(values);
    ReportEventError(this, error);
    return;
  } catch (const std::exception& error) {
    ShowFieldTexts(fields);
    ShowNotes(values);
    ReportEventError(this, Exception(error.what()));
    return;
  }
  ShowFieldTexts(fields);
  ShowNotes(values);
}

void TfmTarnel::ShowNotes(const ComputedValues& values) {
  if (values.L && values.N && values.winding) {
    inductanceWarning_->Check(*values.winding, *values.N, *values.L);
  } else {
    inductanceWarning_->Forget();
  }
  // An error in the inductance leaves N and R computed: their figures stand.
  if (values.N && values.winding) {
    windingTooltips_->Show(*values.winding, *values.N);
  } else {
    windingTooltips_->Forget();
  }
}

CalculationFields TfmTarnel::FieldTexts() const {
  CalculationFields fields;
  fields.edR1 = TextOf(ui_->edR1);
  fields.edR2 = TextOf(ui_->edR2);
  fields.edH = TextOf(ui_->edH);
  fields.edD = TextOf(ui_->edD);
  fields.edLambda = TextOf(ui_->edLambda);
  fields.edN = TextOf(ui_->edN);
  fields.edR = TextOf(ui_->edR);
  fields.edL = TextOf(ui_->edL);
  fields.edMessage = TextOf(ui_->edMessage);
  return fields;
}

void TfmTarnel::ShowFieldTexts(const CalculationFields& fields) {
  SetText(ui_->edR1, fields.edR1);
  SetText(ui_->edR2, fields.edR2);
  SetText(ui_->edH, fields.edH);
  SetText(ui_->edD, fields.edD);
  SetText(ui_->edLambda, fields.edLambda);
  SetText(ui_->edN, fields.edN);
  SetText(ui_->edR, fields.edR);
  SetText(ui_->edL, fields.edL);
  SetText(ui_->edMessage, fields.edMessage);
}

}  // namespace tarnel
