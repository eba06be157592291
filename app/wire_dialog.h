// Standard wire from the window: the context menu of edD gets «Выбрать
// провод…», a dialog that picks a wire, its size and the winding style,
// shows the winder's sheet for the window's R1, R2 and H and draws its
// layers, and on OK writes D and Lambda and runs the calculation.
#pragma once

#include <QObject>
#include <functional>

#include "app/window_fields.h"

namespace tarnel {

// The entry «Выбрать провод…», an action of edD that its context menu shows,
// and the dialog it opens. Owned by edD.
class WireEntry : public QObject {
  Q_OBJECT

 public:
  // `calculate` runs the window's calculation, as its Calculate button does.
  WireEntry(const WindowFields& fields, std::function<void()> calculate);

 private:
  void OpenDialog();

  WindowFields fields_;
  std::function<void()> calculate_;
};

}  // namespace tarnel
