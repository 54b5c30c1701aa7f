#pragma once
// The item list's popup menu: one table of entries, top to bottom. The menu
// is built afresh from it on every right-click; a chosen entry arrives as
// its command number.

#include <array>

class QAction;
class QMenu;

namespace twk {

class App;

struct PopupEntry {
  int number;
  const char* text;
  bool enabled;
  bool separatorAfter;
  void (*run)(App&);  // the command; none for a disabled entry
};

constexpr int kPopupMenuNumber = 5;
const std::array<PopupEntry, 8>& PopupEntries();

// Empties `menu` (its old entries and their connections go with them) and
// fills it from the table; each entry carries its number as its data.
void BuildPopupMenu(QMenu& menu);

// The number a chosen entry of the menu carries, or 0.
int PopupEntryNumber(const QAction* action);

// Runs the command of the entry with this number; numbers without a command
// (5, 14, anything else) do nothing.
void RunPopupCommand(App& app, int number);

}  // namespace twk
