// The file dialog shows a folder without reading any file in it, and takes
// a path only when its folder exists.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "app/FileDialog.h"

namespace twk {
namespace {

TEST(FileDialog, ShowsAFifoAndAFileWithoutReadingThem) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  // A picture under a name that does not say so: only its bytes would tell.
  const QString picture = dir.filePath("picture");
  std::ofstream(picture.toStdString(), std::ios::binary) << "\x89PNG\r\n\x1a\n";
  FileDialog dialog(nullptr, QStringLiteral("Load data"), dir.path());
  auto* model = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(model, nullptr);
  const QAbstractFileIconProvider* icons = model->iconProvider();

  // Reading a FIFO with no writer would never return; the thread is left
  // behind rather than hang the test run.
  auto shown = std::async(std::launch::async, [icons, fifo, picture] {
    (void)icons->icon(QFileInfo(fifo));
    return icons->type(QFileInfo(fifo)) + "|" + icons->type(QFileInfo(picture));
  });
  ASSERT_EQ(shown.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(shown.get().contains(QStringLiteral("PNG")));
}

TEST(FileDialog, TakesAPathOnlyInAFolderThatExists) {
  QTemporaryDir dir;
  for (const bool folderExists : {false, true}) {
    FileDialog dialog(nullptr, QStringLiteral("Save data"), dir.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.open();
    dialog.selectFile(dir.filePath(folderExists ? "drawing.twk" : "nowhere/drawing.twk"));
    dialog.accept();
    EXPECT_EQ(dialog.isVisible(), !folderExists);
    EXPECT_EQ(dialog.result(), folderExists ? QDialog::Accepted : QDialog::Rejected);
  }
}

TEST(FileDialog, AFolderFilterTakesAnExistingFolderInsteadOfOpeningIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("icons")));
  const QString folderType = QStringLiteral("Icon sets for every platform (folder)");
  for (const bool folderFilter : {false, true}) {
    FileDialog dialog(nullptr, QStringLiteral("Export PNG"), dir.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("32-bit PNG Image (*.png)"), folderType});
    dialog.setFolderFilters({folderType});
    if (folderFilter) dialog.selectNameFilter(folderType);
    dialog.open();
    dialog.selectFile(dir.filePath("icons"));
    dialog.accept();
    // Otherwise the folder is opened and the dialog stays.
    EXPECT_EQ(dialog.result(), folderFilter ? QDialog::Accepted : QDialog::Rejected);
    if (folderFilter) EXPECT_EQ(dialog.selectedFiles(), QStringList{dir.filePath("icons")});
  }
}

}  // namespace
}  // namespace twk
