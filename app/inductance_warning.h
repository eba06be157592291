// The warning sign inside edL: shown when the formula's L lies more than 1 %
// from the exact inductance of the winding. The exact value is worked out on
// a thread of its own after the results are shown, so that it never delays
// a calculation; its tooltip is the one edL gives on a hover.
//
// The field is too narrow to give the sign room of its own beside the digits:
// the sign is a small flag in the field's top right corner, above the tops of
// the characters and right of the end of the longest L the window writes. It
// is only drawn: the mouse, the keys and tooltip requests go to the field.
#pragma once

#include <QList>
#include <QObject>

class QLineEdit;
class QThread;
class QWidget;

namespace tarnel {

// The largest |formula / exact - 1| shown without a warning.
inline constexpr long double kWarnedDeviation = 0.01L;

class InductanceWarning : public QObject {
  Q_OBJECT

 public:
  // Owned by `field` (edL).
  explicit InductanceWarning(QLineEdit* field);
  ~InductanceWarning() override;
  InductanceWarning(const InductanceWarning&) = delete;
  InductanceWarning& operator=(const InductanceWarning&) = delete;

  // The L just written into the field, for the winding R1, R2, H of
  // `turnCount` turns: starts the comparison; the sign of an earlier L goes.
  void Check(long double R1, long double R2, long double H, long double turnCount,
             long double formulaL);
  // The field no longer shows a computed L: no sign, and a comparison still
  // running is dropped when it ends.
  void Forget();

  // The sign, while it is shown; nullptr otherwise. Its tooltip is the
  // field's exact-value tooltip.
  [[nodiscard]] QWidget* Sign() const;
  // Waits for every comparison started so far to end and shows what the
  // latest one found.
  void Settle();

 signals:
  // The comparison for the L the field shows has ended, with or without a sign.
  void Compared();

 private:
  QLineEdit* field_;
  QWidget* sign_;  // a child of the field
  // Counts the calculations: a comparison that ends after a newer one began
  // (or after Forget) is not shown.
  quint64 generation_ = 0;
  QList<QThread*> workers_;
};

}  // namespace tarnel
