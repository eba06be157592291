// The tooltip of edL: the exact inductance of the winding the shown L was
// computed for, and how far the formula's L lies from it. Worked out only
// when the tooltip is asked for, so that it never delays a calculation.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "reference/exact_comparison.h"

class QEvent;
class QLineEdit;

namespace tarnel {

// The tooltip's text for a comparison, numbers written with DecimalMark().
QString ExactInductanceTooltipText(const reference::ExactComparison& comparison);

class ExactInductanceTooltip : public QObject {
  Q_OBJECT

 public:
  // Watches `field` (edL) for tooltip requests and hand edits.
  explicit ExactInductanceTooltip(QLineEdit* field);

  // The winding behind the L just written into the field.
  void Show(long double R1, long double R2, long double H, long double turnCount,
            long double formulaL);
  // The field no longer shows a computed L: no tooltip.
  void Forget();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Winding {
    long double R1;
    long double R2;
    long double H;
    long double turnCount;
    long double formulaL;
  };

  QLineEdit* field_;
  std::optional<Winding> winding_;
};

}  // namespace tarnel
