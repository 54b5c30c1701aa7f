#pragma once
// The one table of the user's commands. Each entry says, once, everything
// about a command: its number, the keys that give it, its place and text in
// the item list's popup menu, when it is refused, and what runs. The key
// handling, the popup menu and the list's requests are views of this table,
// and whether a command may run now is decided here alone, at dispatch.
//
// The editor adds its own entries (AddEditorCommands in KeyCommands.h); the
// program adds those whose action is its own (dialogs, windows) at start-up.
// A new command is one Add call.

#include <functional>
#include <vector>

#include "editor/EditorSession.h"

namespace twk {

// Where a key has to come from: the main keyboard, the keypad, or either.
enum class KeyPad { kMain, kKeypad, kEither };

// Keys without a character of their own. Every other key is named by the
// character it types unshifted, letters in upper case: 'A', '3', ' ', '=', '-', '+'.
namespace named_key {
constexpr int kEscape = 0x100, kUp = 0x101, kDown = 0x102, kLeft = 0x103, kRight = 0x104, kDelete = 0x105;
}  // namespace named_key

struct KeyStroke {
  int key = 0;  // a character or a named_key
  KeyPad pad = KeyPad::kEither;
  bool ctrl = false;   // exactly these modifiers are held (Alt never is)
  bool shift = false;
};

// An entry of the item list's popup menu: the menu is ordered by `number`,
// which is also what a chosen menu entry reports.
struct MenuPlace {
  int number = 0;  // 0: not in the menu
  const char* text = nullptr;
  bool separatorAfter = false;
};

// When a command is refused (a set of these bits).
enum RefusedWhile : unsigned {
  kNeverRefused = 0,
  kRefusedWhileDrawing = 1u << 0,     // an item is under construction on the canvas
  kRefusedWhileExporting = 1u << 1,   // the export window is open
};

// The state the refusals are judged against.
struct CommandConditions {
  bool drawing = false;
  bool exportWindowOpen = false;
};

struct CommandEntry {
  int number = 0;  // editor/KeyNumbers.h
  const char* name = "";
  std::vector<KeyStroke> keys;
  MenuPlace menu;
  unsigned refusedWhile = kNeverRefused;
  // What runs. None for a request that carries arguments of its own (a row
  // drag): its caller asks MayRun and then acts.
  std::function<void(EditorSession&)> run;
};

class CommandRegistry {
 public:
  // Adds an entry after the others. A command number, menu number or key
  // stroke already taken is a programming error and throws std::logic_error.
  void Add(CommandEntry entry);

  // In the order they were added.
  const std::vector<CommandEntry>& Entries() const { return entries_; }
  const CommandEntry* Find(int number) const;
  // The entry one of whose keys a press of `stroke` would match, or none.
  const CommandEntry* FindKey(const KeyStroke& stroke) const;
  // The entry that the popup menu shows as `menuNumber`, or none.
  const CommandEntry* FindMenuEntry(int menuNumber) const;
  // Menu entries in menu order.
  std::vector<const CommandEntry*> MenuEntries() const;

  // False for an unknown number or a command refused under `now`.
  bool MayRun(int number, const CommandConditions& now) const;
  // Runs the command unless it is refused or unknown; true when it ran.
  bool Dispatch(EditorSession& ed, int number, const CommandConditions& now) const;

 private:
  std::vector<CommandEntry> entries_;
};

}  // namespace twk
