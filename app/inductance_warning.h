// The exact comparison of the L on show, and the warning sign inside edL.
// The comparison is made once per calculated L, on the window's thread once
// the calculation has returned to the event loop (so that the results are
// drawn first), or at once when edL's tooltip is asked for before that. It
// gives edL its tooltip and, when the formula's L lies more than 1 % from
// the exact inductance, the sign.
//
// The field is too narrow to give the sign room of its own beside the digits:
// the sign is a small flag in the field's top right corner, above the tops of
// the characters and right of the end of the longest L the window writes. It
// is only drawn: the mouse, the keys and tooltip requests go to the field.
#pragma once

#include <QObject>
#include <optional>

#include "calc/winding.h"

class QEvent;
class QLineEdit;
class QWidget;

namespace tarnel {

// The largest |formula / exact - 1| shown without a warning.
inline constexpr long double kWarnedDeviation = 0.01L;

class InductanceWarning : public QObject {
  Q_OBJECT

 public:
  // Owned by `field` (edL).
  explicit InductanceWarning(QLineEdit* field);

  // The L just written into the field, for `winding` of `turnCount` turns:
  // the comparison is due; the sign and the tooltip of an earlier L go.
  void Check(const Winding& winding, long double turnCount, long double formulaL);
  // The field no longer shows a computed L: no sign, no tooltip, and a
  // comparison still due is dropped.
  void Forget();

  // The sign, while it is shown; nullptr otherwise. Its tooltip is the
  // field's exact-value tooltip.
  [[nodiscard]] QWidget* Sign() const;

 public slots:
  // Makes the comparison still due, if any, now.
  void Settle();

 signals:
  // The comparison for the L the field shows has been made, with or without
  // a sign.
  void Compared();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Due {
    Winding winding;
    long double turnCount;
    long double formulaL;
  };

  QLineEdit* field_;
  QWidget* sign_;  // a child of the field
  std::optional<Due> due_;
};

}  // namespace tarnel
