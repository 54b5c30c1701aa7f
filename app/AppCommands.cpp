#include "app/AppCommands.h"

#include <memory>

#include "app/App.h"
#include "app/CanvasView.h"
#include "app/MainWindow.h"
#include "app/PreviewView.h"
#include "app/CodeExport.h"
#include "app/CopyPasteCommands.h"
#include "editor/KeyNumbers.h"

namespace twk {

Asking AskingOverMainWindow(App& app) { return {app.dialogs(), app.mainWindow()}; }

ExportParts ExportPartsOf(App& app) {
  return {app.session(), app.config(), *app.exportWindow(), AskingOverMainWindow(app)};
}

DocumentFileParts DocumentFilePartsOf(App& app) {
  return {app.session(), app.recovery(), app, AskingOverMainWindow(app)};
}

void AddAppCommands(CommandRegistry& table, App& app) {
  App* a = &app;
  // The path last chosen for "Export Code" in this run, offered again.
  auto codePath = std::make_shared<QString>();
  constexpr unsigned kDrawing = kRefusedWhileDrawing;
  const auto ctrl = [](int key) { return KeyStroke{key, KeyPad::kEither, true, false}; };
  table.Add({keys::kExportPng, "open the export window", {ctrl('E')}, {10, "Export PNG"},
             kDrawing | kRefusedWhileExporting, [a](EditorSession&) { OpenExportWindow(ExportPartsOf(*a)); }});
  table.Add({keys::kExportCode, "export the drawing as SVG", {}, {11, "Export Code", true}, kDrawing,
             [a, codePath](EditorSession&) { ExportCodeCommand(AskingOverMainWindow(*a), a->session().doc(), *codePath); }});
  const auto ctrlShift = [](int key) { return KeyStroke{key, KeyPad::kEither, true, true}; };
  table.Add({keys::kSave, "save to the drawing's own file", {ctrl('S')}, {}, kDrawing,
             [a](EditorSession&) { SaveDocumentCommand(DocumentFilePartsOf(*a)); }});
  table.Add({keys::kSaveAs, "save as", {ctrlShift('S')}, {12, "Save"}, kDrawing,
             [a](EditorSession&) { SaveDocumentAsCommand(DocumentFilePartsOf(*a)); }});
  table.Add({keys::kNew, "new drawing", {ctrl('N')}, {}, kDrawing,
             [a](EditorSession&) { NewDocumentCommand(DocumentFilePartsOf(*a)); }});
  // As the window's close button: the same path out.
  table.Add({keys::kQuit, "close the editor", {ctrl('Q')}, {}, kNeverRefused,
             [a](EditorSession&) { a->mainWindow()->close(); }});
  table.Add({keys::kLoad, "load", {ctrl('O')}, {13, "Load"}, kDrawing,
             [a](EditorSession&) { LoadDocumentCommand(DocumentFilePartsOf(*a)); }});
  table.Add({keys::kExportSizes, "export the checked sizes", {}, {}, kDrawing,
             [a](EditorSession&) { ExportCommand(ExportPartsOf(*a)); }});
  constexpr unsigned kDrawingOrExporting = kDrawing | kRefusedWhileExporting;
  table.Add({keys::kCopy, "copy the selected items", {ctrl('C')}, {}, kDrawingOrExporting,
             [a](EditorSession& ed) { CopyItemsCommand(ed, a->clipboard(), AskingOverMainWindow(*a)); }});
  table.Add({keys::kCut, "cut the selected items", {ctrl('X')}, {}, kDrawingOrExporting,
             [a](EditorSession& ed) { CutItemsCommand(ed, a->clipboard(), AskingOverMainWindow(*a)); }});
  table.Add({keys::kPaste, "paste items", {ctrl('V')}, {}, kDrawingOrExporting,
             [a](EditorSession& ed) { PasteItemsCommand(ed, a->clipboard(), AskingOverMainWindow(*a)); }});
  table.Add({keys::kH, "hide or show the selection's marks", {KeyStroke{'H'}}, {}, kRefusedWhileExporting,
             [a](EditorSession&) {
               // The choice is kept in the configuration.
               a->config().HideMarks = a->config().HideMarks == 0 ? 1 : 0;
               a->canvas().ShowMarks();
             }});
  // Nothing while the export window is open.
  table.Add({keys::kP, "show or hide the preview", {KeyStroke{'P'}}, {}, kNeverRefused, [a](EditorSession&) {
               if (!a->exportWindowOpen()) a->preview().Toggle();
             }});
}

}  // namespace twk
