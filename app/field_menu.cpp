#include "app/field_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace tarnel {
namespace {

const char* const kMenuName = "tarnelFieldMenu";

// Owned by its field; shows the field's menu in place of the field's own.
class FieldMenu : public QObject {
 public:
  explicit FieldMenu(QLineEdit* field) : QObject(field), field_(field) {
    setObjectName(QLatin1String(kMenuName));
    field_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != field_) {
      return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ContextMenu) {
      Show(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
    // The Menu key reaches the field as a context-menu event; Shift+F10, the
    // other key people open a context menu with, does not.
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
        Show(field_->mapToGlobal(
            field_->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft()));
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Show(const QPoint& globalPos) {
    QMenu* menu = field_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addActions(field_->actions());
    menu->popup(globalPos);
  }

  QLineEdit* field_;
};

}  // namespace

void AddMenuEntry(QLineEdit* field, QAction* entry) {
  if (field->findChild<QObject*>(QLatin1String(kMenuName), Qt::FindDirectChildrenOnly) == nullptr) {
    new FieldMenu(field);
  }
  field->addAction(entry);
}

}  // namespace tarnel
