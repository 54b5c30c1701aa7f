#include "app/CodeExport.h"

#include "app/App.h"
#include "editor/EditRules.h"
#include "export/FileTypes.h"
#include "export/SvgDocument.h"

namespace twk {

namespace {

// Pixels of the written document: the PNG export's smallest size, as
// tarnwick-cli writes it without --sizes.
constexpr int kCodePixels = 16;

}  // namespace

void ExportCodeCommand(App& app) {
  if (!MayRun(UserCommand::kExportCode, app.state())) return;
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportCodeTitle);
  request.filterName = QString::fromLatin1(kSvgFileType.name);
  request.filterPattern = QString::fromLatin1(kSvgFileType.pattern);
  request.presetPath = app.lastCodePath();
  request.save = true;
  const QString chosen = app.dialogs().AskFilePath(app.mainWidget(), request);
  if (chosen.isEmpty()) return;
  app.rememberCodePath(chosen);

  const std::string path = SingleFilePath(chosen.toStdString(), ExportFormat::kSvg);
  if (!ExportSvgFile(app.doc(), path, kCodePixels)) {
    app.dialogs().ShowMessage(app.mainWidget(), QString::fromLatin1(kExportCodeTitle),
                              QString::fromStdString(SingleFileFailureMessage(path)), MessageIcon::kError);
  }
}

}  // namespace twk
