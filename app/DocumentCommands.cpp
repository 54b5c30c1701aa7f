// Save (to the document's own file, or asking), Save as, Load and New: the
// .twk dialogs, the overwrite question, the failure messages, and
// rebuilding the item list after a load. Load also opens SVG images, told by
// their first bytes, as new drawings.

#include "app/DocumentCommands.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/DocumentLoader.h"
#include "app/RecoveryKeeper.h"
#include "document/Colour.h"
#include "import/FileHead.h"
#include "import/SvgReader.h"
#include "persist/DocumentFile.h"
#include "persist/PathRules.h"

namespace twk {

namespace {

const QString kSaveTitle = QStringLiteral("Save data");
const QString kLoadTitle = QStringLiteral("Load data");

FileDialogRequest DocumentDialog(const std::string& savePath, const QString& title, bool save) {
  FileDialogRequest request;
  request.title = title;
  request.filterName = QStringLiteral("twk file");
  request.filterPattern = QStringLiteral("*.twk");
  request.presetPath = QString::fromStdString(savePath);
  request.save = save;
  return request;
}

FileDialogRequest LoadDialog(const std::string& savePath) {
  FileDialogRequest request = DocumentDialog(savePath, kLoadTitle, false);
  request.moreFilters.push_back({QStringLiteral("SVG images"), QStringLiteral("*.svg")});
  return request;
}

// Sets the recovery copy of the drawing aside before another takes its place
// (saved as `savedAs`, empty when it was never saved); when it cannot be
// kept, says so and the drawing stays.
bool MakeWayForDrawing(const DocumentFileParts& parts, const std::string& savedAs) {
  if (parts.recovery.DrawingReplaced(savedAs)) return true;
  parts.ask.dialogs.ShowMessage(parts.ask.owner, QStringLiteral("Load data error"),
                                QStringLiteral("Can't keep the recovery copy of the drawing aside:\r\n") +
                                    QString::fromStdString(parts.recovery.copyPath()) +
                                    QStringLiteral("\r\n\r\nThe drawing stays; nothing was opened."),
                                MessageIcon::kError);
  return false;
}

// An SVG image becomes a new drawing in place of the document, as one undo
// step: it equals no document file, so it has unsaved changes, and Save
// proposes NAME.twk beside it. currentColor is the tool colour. A file that
// cannot be read leaves the drawing as it was.
void OpenSvg(const DocumentFileParts& parts, const QString& chosen) {
  const std::string path = chosen.toStdString();
  SvgReadOptions options;
  options.currentColor = WithAlpha(parts.session.state().CurRGB, 255);
  SvgRead read = ReadSvgFile(path, options);
  const Asking& ask = parts.ask;
  if (!read.ok) {
    ask.dialogs.ShowMessage(ask.owner, QStringLiteral("Load data error"),
                            QStringLiteral("Can't read file:\r\n") + chosen + QStringLiteral("\r\n\r\n") +
                                QString::fromStdString(read.error),
                            MessageIcon::kError);
    return;
  }
  if (!MakeWayForDrawing(parts, std::string())) return;
  parts.loader.LoadDocument(std::move(read.doc), DocumentPathBeside(path));
  if (read.leftOut.empty()) return;
  ask.dialogs.ShowMessage(ask.owner, kLoadTitle,
                          QStringLiteral("Not everything in ") + chosen + QStringLiteral(" could come in.\r\nLeft out: ") +
                              QString::fromStdString(read.leftOut),
                          MessageIcon::kWarning);
}

// Only an existing regular file is asked about; a folder of that name is
// left for the save to fail on.
bool IsExistingFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// After a failed load: whether `path` is a file that can be read but holds
// no document. A missing, unreadable or read-only file cannot be read.
bool NotADocument(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  TWKFILE probe;
  return LoadDocumentFile(path, probe, LoadAccess::kShared) != ResultCode::kOk && std::ifstream(path).good();
}

}  // namespace

namespace {

// Writes the document to `path`, which becomes its own file, or says it
// cannot.
void WriteDocument(const DocumentFileParts& parts, const std::string& path) {
  if (SaveDocumentFile(path, parts.session.doc()) != ResultCode::kOk) {
    parts.ask.dialogs.ShowMessage(parts.ask.owner, QStringLiteral("Save data error"),
                                  QStringLiteral("Can't save file:\r\n") + QString::fromStdString(path),
                                  MessageIcon::kError);
    return;
  }
  parts.session.savePath() = path;
  parts.session.ownFile() = path;
  parts.session.MarkSaved();
}

}  // namespace

void SaveDocumentAsCommand(const DocumentFileParts& parts) {
  const Asking& ask = parts.ask;
  const QString chosen = ask.dialogs.AskFilePath(ask.owner, DocumentDialog(parts.session.savePath(), kSaveTitle, true));
  if (chosen.isEmpty()) return;

  const std::string path = ExtensionBase(chosen.toStdString()) + ".twk";
  const QString shownPath = QString::fromStdString(path);
  if (IsExistingFile(path) &&
      !ask.dialogs.AskYesNo(ask.owner, kSaveTitle,
                            QStringLiteral("File already exists:\r\n") + shownPath + QStringLiteral("\r\n\r\nOverwrite?"))) {
    return;
  }
  WriteDocument(parts, path);
}

void SaveDocumentCommand(const DocumentFileParts& parts) {
  if (parts.session.ownFile().empty()) {
    SaveDocumentAsCommand(parts);
    return;
  }
  WriteDocument(parts, parts.session.ownFile());
}

void NewDocumentCommand(const DocumentFileParts& parts) {
  // As for a load: undo brings the drawing back, and a copy of its unsaved
  // changes stays for a later start.
  if (!MakeWayForDrawing(parts, std::string())) return;
  parts.loader.LoadDocument(TWKFILE{}, parts.session.savePath());
}

void LoadDocumentCommand(const DocumentFileParts& parts) {
  const QString chosen = parts.ask.dialogs.AskFilePath(parts.ask.owner, LoadDialog(parts.session.savePath()));
  if (chosen.isEmpty()) return;
  LoadDocumentFromPath(parts, chosen);
}

void LoadDocumentFromPath(const DocumentFileParts& parts, const QString& chosen) {
  const std::string path = chosen.toStdString();
  if (FileLooksLikeSvg(path)) {
    OpenSvg(parts, chosen);
    return;
  }

  // Reading resets the record before filling it, so reading into a fresh
  // record gives the same document as reading into the live one.
  TWKFILE loaded;
  const ResultCode result = LoadDocumentFile(path, loaded);
  if (result != ResultCode::kOk) {
    const QString why = NotADocument(path) ? QStringLiteral("Not a Tarnwick document:\r\n")
                                           : QStringLiteral("Can't read file:\r\n");
    parts.ask.dialogs.ShowMessage(parts.ask.owner, QStringLiteral("Load data error"), why + chosen,
                                  MessageIcon::kError);
    // A failed load leaves an empty document of size 0 x 0.
    loaded = TWKFILE{};
    loaded.TWKW = 0;
    loaded.TWKH = 0;
  }
  // One undo step either way: undo brings back the drawing before it, and
  // a copy of its unsaved changes stays for a later start. Without that
  // copy the drawing stays.
  if (!MakeWayForDrawing(parts, result == ResultCode::kOk ? path : std::string())) return;
  parts.loader.LoadDocument(std::move(loaded), result == ResultCode::kOk ? path : parts.session.savePath(),
                            result == ResultCode::kOk ? path : std::string());
  // A document just read equals its file.
  if (result == ResultCode::kOk) parts.session.MarkSaved();
}

}  // namespace twk
