#pragma once
// The PNG export window's commands.

#include "app/Dialogs.h"
#include "editor/EditorSession.h"
#include "persist/Config.h"

namespace twk {

class ExportWindow;

// What the export commands work on.
struct ExportParts {
  const EditorSession& session;  // the drawing and the name it was saved as
  CONFIG& config;  // the sizes last exported (RecentExport)
  ExportWindow& window;
  Asking ask;      // the file question and the report, over the main window
};

void OpenExportWindow(const ExportParts& parts);  // popup "Export PNG"
void ExportCommand(const ExportParts& parts);     // button cmdExport
void CancelExport(ExportWindow& window);  // button cmdExportAbort and the window's close button

}  // namespace twk
