#pragma once
// The PNG export window's commands.

namespace twk {

class App;

void OpenExportWindow(App& app);  // popup "Export PNG"
void ExportCommand(App& app);     // button cmdExport
void CancelExport(App& app);      // button cmdExportAbort and the window's close button

}  // namespace twk
