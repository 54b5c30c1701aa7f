#pragma once
// The program's own entries of the command table: those whose action is a
// dialog or a window (save, load, the two exports, the preview). Added to
// the table at start-up, after the editor's.

#include "editor/CommandRegistry.h"

namespace twk {

class App;

void AddAppCommands(CommandRegistry& table, App& app);

}  // namespace twk
