#include "app/caption_group_box.h"

#include <qdrawutil.h>

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QStyle>

namespace tarnel {
namespace {

// The frame line stops this far from the caption on either side.
constexpr int kCaptionGap = 2;

}  // namespace

CaptionGroupBox::CaptionGroupBox(QWidget* parent) : QGroupBox(parent) {}

void CaptionGroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()), metrics.height());
  const QRect frame = rect().adjusted(0, caption.center().y(), 0, 0);

  painter.save();
  painter.setClipRegion(QRegion(rect()) -
                        QRegion(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0)));
  // An etched line: a dark line with a light one inside it.
  qDrawShadeRect(&painter, frame, palette(), true, 1, 0);
  painter.restore();

  style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic,
                        palette(), isEnabled(), title(), QPalette::WindowText);
}

}  // namespace tarnel
