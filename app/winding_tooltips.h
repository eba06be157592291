// The tooltips of edN and edR: what a winder needs beside the turn count and
// the resistance, the length of the wire and the mass of its copper.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace tarnel {

// The tooltip's text for a winding of `turnCount` turns between the radii R1
// and R2 of wire diameter D, numbers written with DecimalMark().
QString WindingTooltipText(long double turnCount, long double R1, long double R2, long double D);

class WindingTooltips : public QObject {
  Q_OBJECT

 public:
  // Owned by `turnsField` (edN); `resistanceField` is edR.
  WindingTooltips(QLineEdit* turnsField, QLineEdit* resistanceField);

  // The calculation wrote N (and R) for this winding.
  void Show(long double turnCount, long double R1, long double R2, long double D);
  // Neither field shows a computed value any more.
  void Forget();

 private:
  QLineEdit* turnsField_;
  QLineEdit* resistanceField_;
};

}  // namespace tarnel
