// The tooltips of edN and edR: what a winder needs beside the turn count and
// the resistance, the length of the wire and the mass of its copper.
#pragma once

#include <QObject>
#include <QString>

#include "calc/winding.h"

class QLineEdit;

namespace tarnel {

// The tooltip's text for `winding` of `turnCount` turns, numbers written
// with DecimalMark().
QString WindingTooltipText(const Winding& winding, long double turnCount);

// The two fields that carry the tooltips.
struct WindingTooltipFields {
  QLineEdit* edN;
  QLineEdit* edR;
};

class WindingTooltips : public QObject {
  Q_OBJECT

 public:
  // Owned by edN.
  explicit WindingTooltips(const WindingTooltipFields& fields);

  // The calculation wrote N (and R) for this winding.
  void Show(const Winding& winding, long double turnCount);
  // Neither field shows a computed value any more.
  void Forget();

 private:
  QLineEdit* turnsField_;
  QLineEdit* resistanceField_;
};

}  // namespace tarnel
