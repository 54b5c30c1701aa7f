#include "itemlist/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace twk {

const std::array<PopupEntry, 8>& PopupEntries() {
  static const std::array<PopupEntry, 8> table = {{
      {6, "Hide", true, false},
      {7, "Show", true, true},
      {8, "Clone", true, false},
      {9, "Delete", true, true},
      {10, "Export PNG", true, false},
      {11, "Export Code", false, true},
      {12, "Save", true, false},
      {13, "Load", true, false},
  }};
  return table;
}

void BuildPopupMenu(QMenu& menu) {
  menu.clear();
  for (const PopupEntry& entry : PopupEntries()) {
    QAction* action = menu.addAction(QString::fromUtf8(entry.text));
    action->setData(entry.number);
    action->setEnabled(entry.enabled);
    action->setCheckable(false);
    if (entry.separatorAfter) menu.addSeparator();
  }
}

int PopupEntryNumber(const QAction* action) {
  if (!action || action->isSeparator()) return 0;
  bool ok = false;
  const int number = action->data().toInt(&ok);
  return ok ? number : 0;
}

}  // namespace twk
