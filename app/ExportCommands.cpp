// The PNG export window: opening it with the remembered sizes checked,
// exporting the checked sizes under one chosen name, and cancelling.

#include "app/ExportCommands.h"

#include <QTreeWidget>

#include "app/App.h"
#include "app/ExportWindow.h"
#include "app/MainWindow.h"
#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/PngExport.h"

namespace twk {

namespace {

// Gives the main window back: enabled, active, export window closed.
void ReturnToMainWindow(App& app) {
  QWidget* main = app.mainWidget();
  main->setEnabled(true);
  main->activateWindow();
  app.exportWindowOpen() = false;
}

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
  if (app.state().Constructing || app.exportWindowOpen()) return;
  QTreeWidget* list = app.lstExportRes();
  list->clear();
  const std::vector<float>& scales = app.exportScales();
  for (int i = 0; i < static_cast<int>(scales.size()); ++i) {
    auto* row = new QTreeWidgetItem(QStringList{QString::fromStdString(SizeText(scales[static_cast<std::size_t>(i)]))});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, ExportSizeChecked(app.config().RecentExport, i) ? Qt::Checked : Qt::Unchecked);
    row->setData(0, Qt::UserRole, i);
    list->insertTopLevelItem(i, row);
  }

  ExportWindow* window = app.exportWindow();
  window->adjustSize();
  CentreWindow(window, app.mainWidget());
  window->show();
  // The export window is owned by the main window, so disabling the main
  // window disables it too; a window may be enabled again on its own.
  app.mainWidget()->setEnabled(false);
  window->setEnabled(true);
  window->activateWindow();
  app.exportWindowOpen() = true;
}

void ExportCommand(App& app) {
  if (app.state().Constructing || !app.exportWindowOpen()) return;
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
  request.presetPath = app.lastExportPath();
  request.save = true;
  const QString chosen = app.dialogs().AskFilePath(app.mainWidget(), request);
  if (chosen.isEmpty()) {
    ReturnToMainWindow(app);
    return;
  }
  app.lastExportPath() = chosen;

  // Every file is rendered from scratch, largest first; the two cores share
  // the files, and the failures come back in that order.
  const std::vector<ExportJob> jobs = ExportJobsForMask(ExportBase(chosen.toStdString()), mask);
  const std::string message = ExportFailureMessage(ExportFailureText(ExportPngFiles(app.doc(), jobs)));
  if (!message.empty()) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportTitle), QString::fromStdString(message),
                              MessageIcon::kError);
  }
  ReturnToMainWindow(app);
}

void CancelExport(App& app) {
  if (!app.exportWindowOpen()) return;
  app.exportWindow()->hide();
  ReturnToMainWindow(app);
}

}  // namespace twk
