#pragma once
// The program's own entries of the command table: those whose action is a
// dialog, a window or the system clipboard (save, load, the two exports, the
// preview, copy, cut and paste). Added to
// the table at start-up, after the editor's.
//
// Each command gets only the parts of the program it works on. They are
// taken from the App when the command runs, since tests replace the dialogs
// and the clipboard after start-up.

#include "app/DocumentCommands.h"
#include "app/ExportCommands.h"
#include "editor/CommandRegistry.h"

namespace twk {

class App;

void AddAppCommands(CommandRegistry& table, App& app);

// Questions and messages over the main window.
Asking AskingOverMainWindow(App& app);
ExportParts ExportPartsOf(App& app);
DocumentFileParts DocumentFilePartsOf(App& app);

}  // namespace twk
