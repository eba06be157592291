// The field on the axis of a winding, drawn over ±max(H, 2·R2) with the
// winding's extent marked.
#pragma once

#include <QWidget>
#include <vector>

#include "calc/winding.h"

namespace tarnel {

class FieldPlot : public QWidget {
  Q_OBJECT

 public:
  explicit FieldPlot(QWidget* parent = nullptr);

  // Draws B(z) of `winding` for the current density `density` (A/m²);
  // nothing drawn but the frame when no point of it is computable.
  void Show(const Winding& winding, long double density);
  void Forget();

  // The drawn points: z in metres, B in tesla.
  [[nodiscard]] const std::vector<std::pair<long double, long double>>& Points() const {
    return points_;
  }
  [[nodiscard]] long double Reach() const { return reach_; }

  [[nodiscard]] QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::pair<long double, long double>> points_;
  long double reach_ = 0;       // the plot spans -reach_ .. reach_
  long double halfHeight_ = 0;  // the winding spans -halfHeight_ .. halfHeight_
};

}  // namespace tarnel
