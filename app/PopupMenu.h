#pragma once
// The item list's popup menu: a view of the command table's menu entries,
// top to bottom by menu number. The menu is built afresh on every
// right-click; a chosen entry arrives as its menu number.

#include "editor/CommandRegistry.h"

class QAction;
class QMenu;

namespace twk {

// Empties `menu` (its old entries and their connections go with them) and
// fills it from `table`; each entry carries its menu number as its data.
void BuildPopupMenu(QMenu& menu, const CommandRegistry& table);

// The menu number a chosen entry of the menu carries, or 0.
int PopupEntryNumber(const QAction* action);

}  // namespace twk
