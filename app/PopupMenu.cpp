#include "app/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace twk {

void BuildPopupMenu(QMenu& menu, const CommandRegistry& table) {
  menu.clear();
  for (const CommandEntry* entry : table.MenuEntries()) {
    QAction* action = menu.addAction(QString::fromUtf8(entry->menu.text));
    action->setData(entry->menu.number);
    action->setCheckable(false);
    if (entry->menu.separatorAfter) menu.addSeparator();
  }
}

int PopupEntryNumber(const QAction* action) {
  if (!action || action->isSeparator()) return 0;
  bool ok = false;
  const int number = action->data().toInt(&ok);
  return ok ? number : 0;
}

}  // namespace twk
