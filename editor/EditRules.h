#pragma once
// Whether a user command may run now. While an item is being drawn on the
// canvas most commands on items and files are refused; this table says once
// which, and every command asks it before it acts.

#include "document/EditorState.h"

namespace twk {

enum class UserCommand {
  kSetOnSelection,  // M, V, +, -, W, S write the new setting into the selected items
  kNextType,      // T
  kRotate,        // A, D
  kMove,          // arrow keys
  kRecolour,      // Space
  kDocumentSize,  // keypad 8, 2, 4, 6
  kDelete,        // Delete key and popup "Delete"
  kHide,
  kShow,
  kClone,
  kCheckBox,      // a row's check mark changed
  kRowDrag,
  kRowDrop,
  kSave,
  kLoad,
  kExportPng,     // opening the export window and exporting
  kExportCode,    // popup "Export Code": the drawing as SVG
  kRedo,          // Ctrl+Y (undo while drawing cancels the drawing instead)
  kCopy,          // Ctrl+C
  kCut,           // Ctrl+X
  kPaste,         // Ctrl+V
};

struct UserCommandRule {
  UserCommand command;
  const char* name;
  bool refusedWhileDrawing;
};

// The rule of a command (the table has one row per command).
const UserCommandRule& RuleOf(UserCommand command);

// False when `command` is refused in this state.
bool MayRun(UserCommand command, const EditorState& state);

}  // namespace twk
