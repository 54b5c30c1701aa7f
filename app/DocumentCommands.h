#pragma once
// Save and Load of the popup menu.

namespace twk {

class App;

void SaveDocumentCommand(App& app);
void LoadDocumentCommand(App& app);

}  // namespace twk
