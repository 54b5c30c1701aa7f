// Save and Load of the popup menu: the .twk dialogs, the overwrite question,
// the failure messages, and rebuilding the item list after a load.

#include "app/DocumentCommands.h"

#include <filesystem>
#include <system_error>

#include "app/DocumentLoader.h"
#include "app/RecoveryKeeper.h"
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

// Only an existing regular file is asked about; a folder of that name is
// left for the save to fail on.
bool IsExistingFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

void SaveDocumentCommand(const DocumentFileParts& parts) {
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
  if (SaveDocumentFile(path, parts.session.doc()) != ResultCode::kOk) {
    ask.dialogs.ShowMessage(ask.owner, QStringLiteral("Save data error"), QStringLiteral("Can't save file:\r\n") + shownPath,
                            MessageIcon::kError);
    return;
  }
  parts.session.savePath() = path;
  parts.session.MarkSaved();
}

void LoadDocumentCommand(const DocumentFileParts& parts) {
  const QString chosen = parts.ask.dialogs.AskFilePath(parts.ask.owner, DocumentDialog(parts.session.savePath(), kLoadTitle, false));
  if (chosen.isEmpty()) return;
  LoadDocumentFromPath(parts, chosen);
}

void LoadDocumentFromPath(const DocumentFileParts& parts, const QString& chosen) {
  const std::string path = chosen.toStdString();

  // Reading resets the record before filling it, so reading into a fresh
  // record gives the same document as reading into the live one.
  TWKFILE loaded;
  const ResultCode result = LoadDocumentFile(path, loaded);
  if (result != ResultCode::kOk) {
    parts.ask.dialogs.ShowMessage(parts.ask.owner, QStringLiteral("Load data error"),
                                  QStringLiteral("Can't read file:\r\n") + chosen, MessageIcon::kError);
    // A failed load leaves an empty document of size 0 x 0.
    loaded = TWKFILE{};
    loaded.TWKW = 0;
    loaded.TWKH = 0;
  }
  // One undo step either way: undo brings back the drawing before it, and
  // a copy of its unsaved changes stays for a later start. Without that
  // copy the drawing stays.
  if (!parts.recovery.DrawingReplaced(result == ResultCode::kOk ? path : std::string())) {
    parts.ask.dialogs.ShowMessage(parts.ask.owner, QStringLiteral("Load data error"),
                                  QStringLiteral("Can't keep the recovery copy of the drawing aside:\r\n") +
                                      QString::fromStdString(parts.recovery.copyPath()) +
                                      QStringLiteral("\r\n\r\nThe drawing stays; nothing was opened."),
                                  MessageIcon::kError);
    return;
  }
  parts.loader.LoadDocument(std::move(loaded), result == ResultCode::kOk ? path : parts.session.savePath());
  // A document just read equals its file.
  if (result == ResultCode::kOk) parts.session.MarkSaved();
}

}  // namespace twk
