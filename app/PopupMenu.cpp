#include "app/PopupMenu.h"

#include <QAction>
#include <QMenu>

#include "app/App.h"
#include "app/CodeExport.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommands.h"
#include "editor/ItemCommands.h"

namespace twk {

namespace {
void Hide(App& app) { SetSelectedVisibility(app.editor(), false); }
void Show(App& app) { SetSelectedVisibility(app.editor(), true); }
void Clone(App& app) { CloneSelected(app.editor()); }
void Delete(App& app) { DeleteSelected(app.editor()); }
}  // namespace

const std::array<PopupEntry, 8>& PopupEntries() {
  static const std::array<PopupEntry, 8> table = {{
      {6, "Hide", true, false, Hide},
      {7, "Show", true, true, Show},
      {8, "Clone", true, false, Clone},
      {9, "Delete", true, true, Delete},
      {10, "Export PNG", true, false, OpenExportWindow},
      {11, "Export Code", true, true, ExportCodeCommand},
      {12, "Save", true, false, SaveDocumentCommand},
      {13, "Load", true, false, LoadDocumentCommand},
  }};
  return table;
}

void RunPopupCommand(App& app, int number) {
  for (const PopupEntry& entry : PopupEntries()) {
    if (entry.number == number && entry.enabled && entry.run) entry.run(app);
  }
}

void BuildPopupMenu(QMenu& menu) {
  menu.clear();
  for (const PopupEntry& entry : PopupEntries()) {
    QAction* action = menu.addAction(QString::fromUtf8(entry.text));
    action->setData(entry.number);
    action->setEnabled(entry.enabled);
    action->setCheckable(false);
    if (entry.separatorAfter) menu.addSeparator();
  }
}

int PopupEntryNumber(const QAction* action) {
  if (!action || action->isSeparator()) return 0;
  bool ok = false;
  const int number = action->data().toInt(&ok);
  return ok ? number : 0;
}

}  // namespace twk
