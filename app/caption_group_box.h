// A group box drawn the way the window's layout was made for: its frame line
// runs through the middle of the caption, so controls placed 16 pixels below
// the box's top edge sit inside the frame with the box's own background.
#pragma once

#include <QGroupBox>

namespace tarnel {

class CaptionGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit CaptionGroupBox(QWidget* parent = nullptr);

  // The rectangle of the frame line, in the box's coordinates.
  [[nodiscard]] QRect FrameRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  [[nodiscard]] QRect CaptionRect() const;
};

}  // namespace tarnel
