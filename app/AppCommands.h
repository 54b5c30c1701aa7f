#pragma once
// The program's own entries of the command table: those whose action is a
// dialog, a window or the system clipboard (save, load, the two exports, the
// preview, copy, cut and paste). Added to
// the table at start-up, after the editor's.

#include "editor/CommandRegistry.h"

namespace twk {

class App;

void AddAppCommands(CommandRegistry& table, App& app);

}  // namespace twk
