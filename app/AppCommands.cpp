#include "app/AppCommands.h"

#include "app/App.h"
#include "app/CodeExport.h"
#include "app/CopyPasteCommands.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommands.h"
#include "editor/KeyNumbers.h"

namespace twk {

void AddAppCommands(CommandRegistry& table, App& app) {
  App* a = &app;
  constexpr unsigned kDrawing = kRefusedWhileDrawing;
  const auto ctrl = [](int key) { return KeyStroke{key, KeyPad::kEither, true, false}; };
  table.Add({keys::kExportPng, "open the export window", {ctrl('E')}, {10, "Export PNG"},
             kDrawing | kRefusedWhileExporting, [a](Editor&) { OpenExportWindow(*a); }});
  table.Add({keys::kExportCode, "export the drawing as SVG", {}, {11, "Export Code", true}, kDrawing,
             [a](Editor&) { ExportCodeCommand(*a); }});
  table.Add({keys::kSave, "save", {ctrl('S')}, {12, "Save"}, kDrawing, [a](Editor&) { SaveDocumentCommand(*a); }});
  table.Add({keys::kLoad, "load", {ctrl('O')}, {13, "Load"}, kDrawing, [a](Editor&) { LoadDocumentCommand(*a); }});
  table.Add({keys::kExportSizes, "export the checked sizes", {}, {}, kDrawing, [a](Editor&) { ExportCommand(*a); }});
  constexpr unsigned kDrawingOrExporting = kDrawing | kRefusedWhileExporting;
  table.Add({keys::kCopy, "copy the selected items", {ctrl('C')}, {}, kDrawingOrExporting,
             [a](Editor&) { CopyItemsCommand(*a); }});
  table.Add({keys::kCut, "cut the selected items", {ctrl('X')}, {}, kDrawingOrExporting,
             [a](Editor&) { CutItemsCommand(*a); }});
  table.Add({keys::kPaste, "paste items", {ctrl('V')}, {}, kDrawingOrExporting,
             [a](Editor&) { PasteItemsCommand(*a); }});
  table.Add({keys::kH, "hide or show the selection's marks", {KeyStroke{'H'}}, {}, kRefusedWhileExporting,
             [a](Editor&) { a->ToggleSelectionMarks(); }});
  table.Add({keys::kP, "show or hide the preview", {KeyStroke{'P'}}, {}, kNeverRefused, [a](Editor&) { a->TogglePreview(); }});
}

}  // namespace twk
