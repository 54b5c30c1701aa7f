#include "app/CodeExport.h"

#include "export/ExportOperation.h"
#include "export/ExportPlan.h"
#include "export/FileTypes.h"

namespace twk {

namespace {

// Pixels of the written document: the PNG export's smallest size, as
// tarnwick-cli writes it without --sizes.
constexpr int kCodePixels = 16;

}  // namespace

void ExportCodeCommand(const Asking& ask, const TWKFILE& doc, QString& lastPath) {
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportCodeTitle);
  request.filterName = QString::fromLatin1(kSvgFileType.name);
  request.filterPattern = QString::fromLatin1(kSvgFileType.pattern);
  request.presetPath = lastPath;
  request.save = true;
  const QString chosen = ask.dialogs.AskFilePath(ask.owner, request);
  if (chosen.isEmpty()) return;
  lastPath = chosen;

  SizeSet sizes;
  sizes.Add(kCodePixels);
  const ExportReport report = RunExport({doc, sizes, ExportFormat::kSvg, ExportBase(chosen.toStdString())});
  for (const ExportMessage& message : ExportMessages(report)) {
    ask.dialogs.ShowMessage(ask.owner, QString::fromLatin1(kExportCodeTitle), QString::fromStdString(message.text),
                            MessageIcon::kError);
  }
}

}  // namespace twk
