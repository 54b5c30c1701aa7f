// The PNG export window: opening it with the remembered sizes checked,
// exporting the checked sizes under one chosen name, and cancelling.

#include "app/ExportCommands.h"

#include <QTreeWidget>

#include "app/App.h"
#include "app/ExportWindow.h"
#include "editor/EditRules.h"
#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/PngExport.h"

namespace twk {

namespace {

std::vector<ExportRowChoice> CheckedRows(const QTreeWidget& list) {
  std::vector<ExportRowChoice> rows;
  for (int r = 0; r < list.topLevelItemCount(); ++r) {
    const QTreeWidgetItem* row = list.topLevelItem(r);
    bool isIndex = false;
    const int index = row->data(0, Qt::UserRole).toInt(&isIndex);
    rows.push_back({isIndex ? index : -1, row->checkState(0) == Qt::Checked});
  }
  return rows;
}

}  // namespace

void OpenExportWindow(App& app) {
  if (!MayRun(UserCommand::kExportPng, app.state()) || app.exportWindowOpen()) return;
  QTreeWidget* list = app.lstExportRes();
  list->clear();
  for (int i = 0; i < kExportSizeCount; ++i) {
    auto* row = new QTreeWidgetItem(QStringList{QString::fromStdString(SizeText(kExportScales[static_cast<std::size_t>(i)]))});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, ExportSizeChecked(app.config().RecentExport, i) ? Qt::Checked : Qt::Unchecked);
    row->setData(0, Qt::UserRole, i);
    list->insertTopLevelItem(i, row);
  }

  app.exportWindow()->Open();
}

void ExportCommand(App& app) {
  if (!MayRun(UserCommand::kExportPng, app.state()) || !app.exportWindowOpen()) return;
  const int mask = ExportMaskFromRows(CheckedRows(*app.lstExportRes()));
  app.config().RecentExport = mask;
  ExportWindow* window = app.exportWindow();
  if (mask == 0) {
    app.dialogs().ShowMessage(window, QString::fromLatin1(kExportTitle), QString::fromLatin1(kSelectResolutionText),
                              MessageIcon::kInformation);
    return;
  }

  window->hide();
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportTitle);
  request.filterName = QString::fromLatin1(kExportFilterName);
  request.filterPattern = QString::fromLatin1(kExportFilterPattern);
  request.presetPath = window->lastPath();
  request.save = true;
  const QString chosen = app.dialogs().AskFilePath(app.mainWidget(), request);
  if (chosen.isEmpty()) {
    window->Close();
    return;
  }
  window->rememberPath(chosen);

  // Every file is rendered from scratch, largest first; the two cores share
  // the files, and the failures come back in that order.
  const std::vector<ExportJob> jobs = ExportJobsForMask(ExportBase(chosen.toStdString()), mask);
  const std::string message = ExportFailureMessage(ExportFailureText(ExportPngFiles(app.doc(), jobs)));
  if (!message.empty()) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportTitle), QString::fromStdString(message),
                              MessageIcon::kError);
  }
  window->Close();
}

void CancelExport(App& app) {
  if (!app.exportWindowOpen()) return;
  app.exportWindow()->Close();
}

}  // namespace twk
