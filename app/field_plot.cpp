#include "app/field_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <optional>

#include "calc/number_text.h"
#include "field/axial_field.h"

namespace tarnel {
namespace {

constexpr int kSamples = 241;

}  // namespace

FieldPlot::FieldPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fieldPlot"));
  setMinimumSize(320, 160);
}

QSize FieldPlot::sizeHint() const {
  return {fontMetrics().averageCharWidth() * 56, fontMetrics().height() * 12};
}

void FieldPlot::Show(const Winding& winding, long double density) {
  points_.clear();
  reach_ = std::max(winding.H, 2 * winding.R2);
  halfHeight_ = winding.H / 2;
  for (int i = 0; i < kSamples; ++i) {
    const long double z = -reach_ + 2 * reach_ * i / (kSamples - 1);
    const std::optional<long double> field = field::AxialField(winding, density, z);
    if (field) {
      points_.emplace_back(z, *field);
    }
  }
  update();
}

void FieldPlot::Forget() {
  points_.clear();
  update();
}

void FieldPlot::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const int margin = fontMetrics().height();
  const QRect area = rect().adjusted(margin, margin, -margin, -margin * 2);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(area);
  if (points_.empty() || !(reach_ > 0)) {
    return;
  }
  long double top = 0;
  for (const auto& point : points_) {
    top = std::max(top, point.second);
  }
  if (!(top > 0)) {
    return;
  }
  auto x = [&](long double z) {
    return area.left() + static_cast<double>((z + reach_) / (2 * reach_)) * area.width();
  };
  auto y = [&](long double b) {
    return area.bottom() - static_cast<double>(b / top) * area.height();
  };
  // The winding's extent along the axis.
  const QRectF winding(QPointF(x(-halfHeight_), area.top()),
                       QPointF(x(halfHeight_), area.bottom()));
  QColor shade = palette().color(QPalette::Highlight);
  shade.setAlpha(50);
  painter.fillRect(winding, shade);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
  painter.drawLine(winding.topLeft(), winding.bottomLeft());
  painter.drawLine(winding.topRight(), winding.bottomRight());

  QPainterPath curve;
  curve.moveTo(x(points_.front().first), y(points_.front().second));
  for (const auto& point : points_) {
    curve.lineTo(x(point.first), y(point.second));
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Text), 2));
  painter.drawPath(curve);

  painter.setPen(palette().color(QPalette::Text));
  const QString topText =
      QStringLiteral("B = %1 Тл").arg(QString::fromStdString(FormatNumber(top, GeneralFormat(4))));
  painter.drawText(QPointF(area.left() + 4, area.top() + fontMetrics().ascent() + 2), topText);
  const QString reachText = QString::fromStdString(FormatNumber(reach_, GeneralFormat(4)));
  const double baseline = area.bottom() + fontMetrics().ascent() + 2;
  painter.drawText(QPointF(area.left(), baseline), QStringLiteral("−") + reachText);
  painter.drawText(QPointF(x(0) - fontMetrics().averageCharWidth(), baseline), QStringLiteral("0"));
  const QString right = reachText + QStringLiteral(" м");
  painter.drawText(QPointF(area.right() - fontMetrics().horizontalAdvance(right), baseline), right);
}

}  // namespace tarnel
