#pragma once
// The item list's popup menu: one table of entries, top to bottom. The menu
// is built afresh from it on every right-click; a chosen entry arrives as
// its command number.

#include <array>

class QAction;
class QMenu;

namespace twk {

struct PopupEntry {
  int number;
  const char* text;
  bool enabled;
  bool separatorAfter;
};

constexpr int kPopupMenuNumber = 5;
const std::array<PopupEntry, 8>& PopupEntries();

// Empties `menu` (its old entries and their connections go with them) and
// fills it from the table; each entry carries its number as its data.
void BuildPopupMenu(QMenu& menu);

// The number a chosen entry of the menu carries, or 0.
int PopupEntryNumber(const QAction* action);

}  // namespace twk
