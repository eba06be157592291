#include "app/winding_picture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tarnel {

long double DrawnOuterRadius(const Winding& winding, const std::optional<WoundTurns>& turns) {
  if (!turns) {
    return winding.R2;
  }
  return std::max(winding.R2, winding.R1 + turns->sheet.buildDepth);
}

void PaintTurns(QPainter& painter, const Winding& winding, const WoundTurns& turns,
                const std::function<QPointF(double r, double z)>& at, double scale) {
  const wire::WindingSheet& sheet = turns.sheet;
  const bool orthocyclic = turns.style == wire::WindingStyle::kOrthocyclic;
  const auto p = static_cast<double>(turns.overallDiameter);
  const auto r1 = static_cast<double>(winding.R1);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(150, 80, 20), 0.5));
  painter.setBrush(QColor(210, 120, 40));
  const double rise = orthocyclic ? p * std::sqrt(3.0) / 2 : p;
  const double radius = std::max(p * scale / 2, 0.5);
  long long left = sheet.wholeTurns;
  for (long long layer = 0; layer < sheet.layers && left > 0; ++layer) {
    const bool other = layer % 2 == 1;
    const long long count = other ? sheet.turnsPerOtherLayer : sheet.turnsPerLayer;
    const double offset = orthocyclic && other ? p / 2 : 0;
    const double centreR = r1 + p / 2 + static_cast<double>(layer) * rise;
    for (long long turn = 0; turn < count && left > 0; ++turn, --left) {
      const double centreZ = p / 2 + offset + static_cast<double>(turn) * p;
      painter.drawEllipse(at(centreR, centreZ), radius, radius);
    }
  }
  painter.restore();
}

WindingPicture::WindingPicture(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("windingPicture"));
  setMinimumSize(240, 200);
}

void WindingPicture::Show(const std::optional<wire::WindingSheet>& sheet, const Winding& winding,
                          long double overallDiameter, wire::WindingStyle style) {
  turns_.reset();
  if (sheet) {
    turns_ = WoundTurns{*sheet, overallDiameter, style};
  }
  winding_ = winding;
  update();
}

void WindingPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (!turns_) {
    return;
  }
  const auto r1 = static_cast<double>(winding_.R1);
  const auto outer = static_cast<double>(DrawnOuterRadius(winding_, turns_));
  const auto height = static_cast<double>(winding_.H);
  const double margin = 8;
  // One scale for both directions: the section to scale, the axis at the left.
  const double scale =
      std::min((width() - 2 * margin) / outer, (this->height() - 2 * margin) / height);
  const auto at = [&](double r, double z) {
    return QPointF(margin + r * scale, margin + z * scale);
  };

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().text().color(), 1, Qt::DashDotLine));
  painter.drawLine(QPointF(at(0, 0).x(), 0), QPointF(at(0, 0).x(), this->height()));
  painter.setPen(QPen(palette().text().color(), 1));
  painter.drawRect(QRectF(at(r1, 0), at(static_cast<double>(winding_.R2), height)));
  PaintTurns(painter, winding_, *turns_, at, scale);
}

}  // namespace tarnel
