#include "app/ExportSizeChecks.h"

#include <QAction>
#include <QKeyEvent>
#include <QTreeWidget>

namespace twk {

namespace {

// Ctrl+A and Ctrl+Shift+A on the list, before its own Ctrl+A (select
// every row) sees them.
class CheckKeys : public QObject {
 public:
  explicit CheckKeys(QTreeWidget& list) : QObject(&list), list_(list) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool all = held == Qt::ControlModifier;
    if (key->key() != Qt::Key_A || (!all && held != (Qt::ControlModifier | Qt::ShiftModifier))) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      // The key is this list's own: no shortcut elsewhere takes it.
      event->accept();
      return true;
    }
    CheckEveryRow(list_, all);
    return true;
  }

 private:
  QTreeWidget& list_;
};

}  // namespace

void CheckEveryRow(QTreeWidget& list, bool checked) {
  for (int r = 0; r < list.topLevelItemCount(); ++r)
    list.topLevelItem(r)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void AddCheckAllActions(QTreeWidget& list) {
  list.installEventFilter(new CheckKeys(list));
  for (const bool checked : {true, false}) {
    auto* action = new QAction(QString::fromLatin1(checked ? "Check all" : "Check none"), &list);
    QObject::connect(action, &QAction::triggered, &list, [&list, checked] { CheckEveryRow(list, checked); });
    list.addAction(action);
  }
  list.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace twk
