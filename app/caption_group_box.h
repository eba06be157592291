// A group box drawn the way the window's layout was made for: its frame line
// runs through the middle of the caption, so controls placed 16 pixels below
// the box's top edge sit inside the frame with the box's own background.
#pragma once

#include <QGroupBox>

namespace tarnel {

// The caption starts this far from the box's left edge; the frame line is
// this wide (a dark line and a light one).
inline constexpr int kCaptionIndent = 8;
inline constexpr int kFrameLineWidth = 2;

class CaptionGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit CaptionGroupBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarnel
