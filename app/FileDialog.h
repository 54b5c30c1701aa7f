#pragma once
// The file dialog of Save, Load and the exports. It takes only a path whose
// folder exists, and it never reads a file's contents to show it: a file's
// icon and type come from its name, so a FIFO, a device or a file under
// /proc that blocks on reading cannot hang the editor.

#include <QFileDialog>
#include <QFileIconProvider>

namespace twk {

class NameOnlyIconProvider : public QFileIconProvider {
 public:
  QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* owner, const QString& title, const QString& folder);
  // Refuses a path whose folder does not exist, with a word, and stays open.
  void accept() override;
  // With one of these name filters selected, an existing folder's name is
  // the answer rather than a folder to open.
  void setFolderFilters(const QStringList& filters) { folderFilters_ = filters; }

 private:
  NameOnlyIconProvider icons_;
  QStringList folderFilters_;
};

}  // namespace twk
