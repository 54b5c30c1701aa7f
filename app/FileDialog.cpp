#include "app/FileDialog.h"

#include <QDir>
#include <QMessageBox>
#include <QMimeDatabase>

namespace twk {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  return QFileIconProvider::icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (info.isDir()) return QStringLiteral("Folder");
  return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension).comment();
}

FileDialog::FileDialog(QWidget* owner, const QString& title, const QString& folder)
    : QFileDialog(owner, title, folder) {
  setOption(QFileDialog::DontUseNativeDialog, true);
  // Before the model reads the first folder.
  setIconProvider(&icons_);
}

void FileDialog::accept() {
  const QStringList files = selectedFiles();
  if (!files.isEmpty()) {
    const QFileInfo chosen(files.front());
    if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
      auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                  QStringLiteral("The folder does not exist:\n") +
                                      QDir::toNativeSeparators(chosen.absolutePath()),
                                  QMessageBox::Ok, this);
      box->setAttribute(Qt::WA_DeleteOnClose);
      box->open();
      return;
    }
    if (chosen.isDir() && folderFilters_.contains(selectedNameFilter())) {
      QDialog::accept();
      return;
    }
  }
  QFileDialog::accept();
}

}  // namespace twk
