// The PNG export window: opening it with the remembered sizes checked,
// exporting the checked sizes under one chosen name (one PNG per size, or
// one icon file holding them), and cancelling.

#include "app/ExportCommands.h"

#include <QTreeWidget>

#include "app/App.h"
#include "app/ExportWindow.h"
#include "editor/EditRules.h"
#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/FileTypes.h"
#include "export/IconExport.h"
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

// One icon file with the checked sizes its format holds; the sizes it
// cannot hold are named afterwards.
void ExportIconFileOf(App& app, const QString& chosen, ExportFormat format, int mask) {
  const FormatSizes sizes = SplitSizes(format, mask);
  const std::string path = SingleFilePath(chosen.toStdString(), format);
  const bool written = sizes.held != 0 && ExportIconFile(app.doc(), format, path, sizes.held);
  if (sizes.held != 0 && !written) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportTitle),
                              QString::fromStdString(SingleFileFailureMessage(path)), MessageIcon::kError);
  }
  if (sizes.leftOut != 0) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportTitle),
                              QString::fromStdString(LeftOutMessage(sizes.leftOut, written)),
                              MessageIcon::kInformation);
  }
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
  request.filterName = QString::fromLatin1(kExportWindowFileTypes[0].name);
  request.filterPattern = QString::fromLatin1(kExportWindowFileTypes[0].pattern);
  request.presetPath = window->lastPath();
  request.save = true;
  for (std::size_t i = 1; i < kExportWindowFileTypes.size(); ++i) {
    request.moreFilters.push_back({QString::fromLatin1(kExportWindowFileTypes[i].name),
                                   QString::fromLatin1(kExportWindowFileTypes[i].pattern)});
  }
  int filter = 0;
  const QString chosen = app.dialogs().AskFilePath(app.mainWidget(), request, &filter);
  if (chosen.isEmpty()) {
    window->Close();
    return;
  }
  window->rememberPath(chosen);
  const ExportFormat format = filter > 0 && filter < static_cast<int>(kExportWindowFileTypes.size())
                                  ? kExportWindowFileTypes[static_cast<std::size_t>(filter)].format
                                  : ExportFormat::kPng;
  if (format != ExportFormat::kPng) {
    ExportIconFileOf(app, chosen, format, mask);
    window->Close();
    return;
  }

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
