#pragma once
// The keyboard commands beyond the 25 single keys: the Ctrl shortcuts for
// undo and redo, and for save, load and export, which run the popup menu's
// own commands with the same dialogs, rules and refusals; copy, cut and
// paste through the system clipboard; P shows or hides the Preview window.

#include <array>

namespace twk {

class App;

struct AppCommand {
  int number;  // command number (editor/KeyNumbers.h)
  const char* name;
  void (*run)(App&);
};

constexpr int kAppCommandCount = 9;
const std::array<AppCommand, kAppCommandCount>& AppCommandTable();

// Runs the program command with this number; false when the number is not
// one (the editor's table may know it).
bool RunAppCommand(App& app, int number);

}  // namespace twk
