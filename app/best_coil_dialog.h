// The coil of least resistance from the window: the context menu of edR1,
// edR2 and edH gets an entry whose dialog asks the target inductance, which
// of R1 and H stay as they stand and an outer radius limit, writes the coil
// of least wire into R1, R2 and H, calculates, and draws its cross-section
// beside the Brooks coil of the same inductance. Given a resistance limit,
// a wire family and a style in place of the window's D and Lambda, it picks
// the thinnest wire of the family whose coil meets the limit, writes D and
// Lambda too and shows the winder's sheet.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/design_entry.h"
#include "app/winding_picture.h"
#include "app/winding_sheet_text.h"
#include "calc/winding.h"
#include "wire/winding_style.h"
#include "wire/wire_table.h"

class QEvent;
class QLineEdit;
class QPoint;

namespace tarnel {

// What the dialog asks, as texts.
struct BestCoilTexts {
  std::string target;      // henries
  std::string outerLimit;  // the largest R2, metres; empty for none
  bool keepR1 = false;
  bool keepH = false;
  // The largest resistance, ohms; empty for none: D and Lambda are then the
  // window's. Given, the wire is picked from `family` wound in `style`.
  std::string maxResistance;
  wire::WireFamily family = wire::WireFamily::kIecGrade1;
  wire::WindingStyle style = wire::WindingStyle::kLayered;
};

// What the dialog answers: the texts to write, the coil they read back to
// and what it states about it, or why there is none.
struct BestCoilAnswer {
  bool solved = false;
  std::string R1;
  std::string R2;
  std::string H;
  Winding coil;            // solved: the coil of the texts
  long double exactL = 0;  // solved: its exact L, henries
  std::string statement;   // solved: its exact L, resistance and wire; else the reason
  // Solved under a resistance limit: the wire picked, and D, Lambda and the
  // sheet of the written coil as the wire dialog gives them.
  std::optional<wire::StandardWire> wire;
  WireSheetAnswer sheet;
};

// The fewest significant digits the fields can show a coil's R1, R2 and H
// with.
using FewestDigits = std::function<int(const Winding& coil)>;

// Finds the coil of least wire for the texts of the window (`fields`, read
// with DecimalMark()) and of the dialog, and writes it with kSolvedDigits
// digits, or with fewer, down to what `fewestDigits` gives for that coil
// (at least kFewestFieldDigits), or more up to kMostFieldDigits where fewer
// do not keep the promise. Raises nothing.
BestCoilAnswer AnswerBestCoil(const CalculationFields& fields, const BestCoilTexts& texts,
                              const FewestDigits& fewestDigits = nullptr);

// The winding's cross-section to scale beside its axis, with a second
// winding dashed for comparison and, where a sheet is given, every whole
// turn of the first in its layer.
class CrossSectionView : public QWidget {
  Q_OBJECT

 public:
  explicit CrossSectionView(QWidget* parent);
  void Show(const std::optional<Winding>& coil, const std::optional<Winding>& dashed,
            const std::optional<WoundTurns>& turns = std::nullopt);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<Winding> coil_;
  std::optional<Winding> dashed_;
  std::optional<WoundTurns> turns_;
};

// The entry in the context menu of edR1, edR2 and edH (mouse, Menu key or
// Shift+F10), beside the field's design entry, and the dialog it opens.
// Owned by the field.
class BestCoilEntry : public QObject {
  Q_OBJECT

 public:
  BestCoilEntry(QLineEdit* field, const WindowFields& fields, std::function<void()> calculate);

  static QString EntryText();

 private:
  void OpenDialog();
  // The fewest digits any of edR1, edR2 and edH shows the coil's value
  // whole with, kFewestFieldDigits to kSolvedDigits.
  int FewestShownDigits(const Winding& coil) const;

  QLineEdit* field_;
  WindowFields fields_;
  std::function<void()> calculate_;
};

}  // namespace tarnel
