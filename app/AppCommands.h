#pragma once
// Keyboard commands of the program itself rather than of the editor core:
// the Ctrl shortcuts for save, load and export run the popup menu's own
// commands, with the same dialogs, rules and refusals; P shows or hides the
// Preview window.

#include <array>

namespace twk {

class App;

struct AppCommand {
  int number;  // command number (editor/KeyNumbers.h)
  const char* name;
  void (*run)(App&);
};

constexpr int kAppCommandCount = 4;
const std::array<AppCommand, kAppCommandCount>& AppCommandTable();

// Runs the program command with this number; false when the number is not
// one (the editor's table may know it).
bool RunAppCommand(App& app, int number);

}  // namespace twk
