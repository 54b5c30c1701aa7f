// The PNG export window: opening it with the remembered sizes checked and
// the remembered other sizes, exporting those sizes under one chosen name
// (one PNG per size, or one icon file holding them, as the typed extension
// or else the chosen file type says; or every platform's icon sets into the
// folder of that name, which need no size), and cancelling.

#include "app/ExportCommands.h"

#include <new>
#include <optional>

#include <QLineEdit>
#include <QTreeWidget>

#include "app/ExportProgressDialog.h"
#include "app/ExportWindow.h"
#include "document/Colour.h"
#include "export/ExportOperation.h"
#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/FileTypes.h"
#include "export/IconSetExport.h"

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

// The messages of a finished export, over the main window.
void ShowExportMessages(const Asking& ask, const ExportReport& report) {
  for (const ExportMessage& message : ExportMessages(report)) {
    ask.dialogs.ShowMessage(ask.owner, QString::fromLatin1(kExportTitle), QString::fromStdString(message.text),
                            message.kind == ExportMessageKind::kError ? MessageIcon::kError
                                                                      : MessageIcon::kInformation);
  }
}

}  // namespace

void OpenExportWindow(const ExportParts& parts) {
  QTreeWidget* list = parts.window.lstExportRes;
  list->clear();
  for (int i = 0; i < kExportSizeCount; ++i) {
    auto* row = new QTreeWidgetItem(QStringList{QString::fromStdString(SizeText(kExportScales[static_cast<std::size_t>(i)]))});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, ExportSizeChecked(parts.config.RecentExport, i) ? Qt::Checked : Qt::Unchecked);
    row->setData(0, Qt::UserRole, i);
    list->insertTopLevelItem(i, row);
  }
  parts.window.txtOtherSizes->setText(QString::fromStdString(parts.config.OtherSizes));

  parts.window.Open();
}

void ExportCommand(const ExportParts& parts) {
  ExportWindow* window = &parts.window;
  if (!window->isOpen()) return;
  const int mask = ExportMaskFromRows(CheckedRows(*window->lstExportRes));
  const std::optional<SizeSet> other = SizeSet::FromText(window->txtOtherSizes->text().toStdString());
  if (!other) {
    parts.ask.dialogs.ShowMessage(window, QString::fromLatin1(kExportTitle), QString::fromLatin1(kOtherSizesText),
                                  MessageIcon::kInformation);
    window->txtOtherSizes->setFocus();
    return;
  }
  SizeSet sizes = SizeSet::FromListMask(mask);
  for (int edge : other->edges()) sizes.Add(edge);
  // An empty choice is not remembered: the next window would open with
  // nothing checked.
  if (mask != 0) parts.config.RecentExport = mask;
  parts.config.OtherSizes = other->Text();

  window->hide();
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportTitle);
  request.filterName = QString::fromLatin1(kExportWindowFileTypes[0].name);
  request.filterPattern = QString::fromLatin1(kExportWindowFileTypes[0].pattern);
  request.presetPath = window->lastPath();
  request.save = true;
  for (std::size_t i = 1; i < kExportWindowFileTypes.size(); ++i) {
    request.moreFilters.push_back({QString::fromLatin1(kExportWindowFileTypes[i].name),
                                   QString::fromLatin1(kExportWindowFileTypes[i].pattern),
                                   kExportWindowFileTypes[i].format == ExportFormat::kIconSets});
  }
  int filter = 0;
  const QString chosen = parts.ask.dialogs.AskFilePath(parts.ask.owner, request, &filter);
  if (chosen.isEmpty()) {
    window->Close();
    return;
  }
  window->rememberPath(chosen);
  const ExportFormat listed = filter > 0 && filter < static_cast<int>(kExportWindowFileTypes.size())
                                  ? kExportWindowFileTypes[static_cast<std::size_t>(filter)].format
                                  : ExportFormat::kPng;
  const std::string path = chosen.toStdString();
  const ExportFormat format = ChosenExportFormat(path, listed);
  // Only the icon sets, which fix their own sizes, go without one.
  if (sizes.empty() && format != ExportFormat::kIconSets) {
    window->show();
    parts.ask.dialogs.ShowMessage(window, QString::fromLatin1(kExportTitle), QString::fromLatin1(kSelectResolutionText),
                                  MessageIcon::kInformation);
    return;
  }
  // PNG files are rendered from scratch, largest first, on both cores, off
  // the GUI thread; the owner stays disabled, so the document cannot change.
  ExportRequest setsOrFiles{parts.session.doc(), sizes, format, ExportBase(path), nullptr,
                            parts.config.FitEdges ? EdgeFit::kToPixels : EdgeFit::kAsDrawn};
  if (format == ExportFormat::kIconSets) {
    // The ground colour under the opaque pictures, asked once per export
    // starting from the last one chosen; cancelled, nothing is written.
    const std::int32_t last = StoredGround(parts.config.IconGround);
    QColor ground;
    if (!parts.ask.dialogs.ChooseColour(parts.ask.owner, QColor(RedOf(last), GreenOf(last), BlueOf(last)), ground)) {
      window->Close();
      return;
    }
    parts.config.IconGround = PackRGBA(ground.red(), ground.green(), ground.blue(), 255);
    setsOrFiles.ground = parts.config.IconGround;
    // The name typed is the sets' folder; the checked sizes play no part.
    setsOrFiles.base = path;
    setsOrFiles.sets = kAllIconSets;
    setsOrFiles.setName = IconSetDrawingName(parts.session.savePath(), path);
  }
  try {
    ShowExportMessages(parts.ask, RunExportWithProgress(parts.ask.owner, setsOrFiles));
  } catch (const std::bad_alloc&) {
    // No memory for the workers' copies of the drawing: nothing was written.
    parts.ask.dialogs.ShowMessage(parts.ask.owner, QString::fromLatin1(kExportTitle),
                                  QStringLiteral("Not enough memory to export the drawing."), MessageIcon::kError);
  }
  window->Close();
}

void CancelExport(ExportWindow& window) {
  if (!window.isOpen()) return;
  window.Close();
}

}  // namespace twk
