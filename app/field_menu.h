// The context menu of a field of the window: the field's own standard
// entries, then the entries the window's dialogs add to it, in the order they
// were added. It opens on a right click, the Menu key and Shift+F10.
#pragma once

class QAction;
class QLineEdit;

namespace tarnel {

// Adds `entry` at the end of the context menu of `field`.
void AddMenuEntry(QLineEdit* field, QAction* entry);

}  // namespace tarnel
