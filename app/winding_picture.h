// The turns of a winder's sheet drawn in the winding's cross-section, to
// scale, and the picture the wire dialog shows of them.
#pragma once

#include <QPointF>
#include <QWidget>
#include <functional>
#include <optional>

#include "calc/winding.h"
#include "wire/winding_sheet.h"
#include "wire/winding_style.h"

class QPainter;

namespace tarnel {

// The turns of a sheet as they lie in the winding.
struct WoundTurns {
  wire::WindingSheet sheet;
  long double overallDiameter = 0;  // metres
  wire::WindingStyle style = wire::WindingStyle::kLayered;
};

// How far from the axis the drawing of a winding reaches: R2, or R1 and
// the turns' build depth where the layers stand out beyond R2.
long double DrawnOuterRadius(const Winding& winding, const std::optional<WoundTurns>& turns);

// Paints every whole turn in its layer from R1 outward, the first turn of
// each layer at one end of H. `at` maps a point `r` metres from the axis
// and `z` metres from that end to the widget; `scale` is pixels a metre.
void PaintTurns(QPainter& painter, const Winding& winding, const WoundTurns& turns,
                const std::function<QPointF(double r, double z)>& at, double scale);

// The cross-section of a winding beside the axis, to scale: the space from
// R1 to R2 over H, and every whole turn of the sheet in its layer.
class WindingPicture : public QWidget {
 public:
  explicit WindingPicture(QWidget* parent);
  void Show(const std::optional<wire::WindingSheet>& sheet, const Winding& winding,
            long double overallDiameter, wire::WindingStyle style);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<WoundTurns> turns_;
  Winding winding_;
};

}  // namespace tarnel
