#include "app/AppCommands.h"

#include "app/App.h"
#include "app/CopyPasteCommands.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommands.h"
#include "editor/EditHistory.h"
#include "editor/KeyNumbers.h"

namespace twk {

const std::array<AppCommand, kAppCommandCount>& AppCommandTable() {
  static const std::array<AppCommand, kAppCommandCount> table = {{
      {keys::kUndo, "undo", [](App& app) { UndoCommand(app.editor()); }},
      {keys::kRedo, "redo", [](App& app) { RedoCommand(app.editor()); }},
      {keys::kSave, "save", SaveDocumentCommand},
      {keys::kLoad, "load", LoadDocumentCommand},
      {keys::kExportPng, "export PNG", OpenExportWindow},
      {keys::kCopy, "copy", CopyItemsCommand},
      {keys::kCut, "cut", CutItemsCommand},
      {keys::kPaste, "paste", PasteItemsCommand},
      {keys::kP, "show or hide the preview", [](App& app) { app.TogglePreview(); }},
  }};
  return table;
}

bool RunAppCommand(App& app, int number) {
  for (const AppCommand& command : AppCommandTable()) {
    if (command.number == number) {
      command.run(app);
      return true;
    }
  }
  return false;
}

}  // namespace twk
