#include "app/CodeExport.h"

#include "app/App.h"
#include "export/ExportOperation.h"
#include "export/ExportPlan.h"
#include "export/FileTypes.h"

namespace twk {

namespace {

// Pixels of the written document: the PNG export's smallest size, as
// tarnwick-cli writes it without --sizes.
constexpr int kCodePixels = 16;

}  // namespace

void ExportCodeCommand(App& app) {
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportCodeTitle);
  request.filterName = QString::fromLatin1(kSvgFileType.name);
  request.filterPattern = QString::fromLatin1(kSvgFileType.pattern);
  request.presetPath = app.lastCodePath();
  request.save = true;
  const QString chosen = app.dialogs().AskFilePath(app.mainWidget(), request);
  if (chosen.isEmpty()) return;
  app.rememberCodePath(chosen);

  SizeSet sizes;
  sizes.Add(kCodePixels);
  const ExportReport report = RunExport({app.doc(), sizes, ExportFormat::kSvg, ExportBase(chosen.toStdString())});
  for (const ExportMessage& message : ExportMessages(report)) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportCodeTitle),
                              QString::fromStdString(message.text), MessageIcon::kError);
  }
}

}  // namespace twk
