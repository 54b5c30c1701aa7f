#pragma once
// Save and Load of the popup menu.

class QString;

namespace twk {

class App;

void SaveDocumentCommand(App& app);
void LoadDocumentCommand(App& app);
// Load without the dialog, for a document named on the command line: the
// same access rule, failure message and RecentFile$ as Load.
void LoadDocumentFromPath(App& app, const QString& path);

}  // namespace twk
