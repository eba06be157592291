// Enter on a push button, as in the toolkit's dialogs and on the desktop the
// window was designed for.
#pragma once

class QWidget;

namespace tarnel {

// Makes Enter (Return or the keypad's Enter) on any push button of `window`
// that has the focus press that button. A plain window leaves the key to a
// default button only, so that Enter on the Exit button did nothing.
void PressFocusedButtonOnEnter(QWidget& window);

}  // namespace tarnel
