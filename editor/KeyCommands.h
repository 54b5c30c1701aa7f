#pragma once
// The editor's own commands: the 25 single keys (numbered by their
// virtual-key codes), undo and redo, the popup menu's item commands and the
// item list's requests.

#include "editor/CommandRegistry.h"
#include "editor/EditorSession.h"

namespace twk {

// Adds the editor's entries to `table`, the single keys first in the order
// 3, 2, 1, Esc, M, V, T, A, D, W, S, Up, Down, Left, Right, keypad +,
// keypad -, "=/+", "-/_", Delete, Space, keypad 8, keypad 2, keypad 4, keypad 6.
void AddEditorCommands(CommandRegistry& table);

}  // namespace twk
