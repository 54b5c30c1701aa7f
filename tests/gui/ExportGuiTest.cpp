// The PNG export window through the real widgets: check marks, the messages,
// the files written and their pixels, and the main window's state.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "GuiTestSupport.h"
#include "editor/KeyNumbers.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ExportWindow.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"
#include "export/ExportTestSupport.h"

namespace twk {
namespace {

using test::ScopedWorkDir;
using test::ScriptedDialogs;

struct ExportFixture {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = test::StartedApp(dialogs);
  QTreeWidget& list() { return *app->exportWindow()->lstExportRes; }

  void CheckOnly(std::initializer_list<int> rows) {
    for (int r = 0; r < list().topLevelItemCount(); ++r) list().topLevelItem(r)->setCheckState(0, Qt::Unchecked);
    for (int r : rows) list().topLevelItem(r)->setCheckState(0, Qt::Checked);
  }
  void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  bool MainWindowBack() {
    QCoreApplication::processEvents();
    return app->mainWindow()->isEnabled() && app->mainWindow()->isActiveWindow() &&
           !app->exportWindow()->isVisible() && !app->exportWindowOpen();
  }
  QStringList PngFiles() { return QDir(dir.path()).entryList({"*.png"}, QDir::Files, QDir::Name); }
};

// A red box over units 2..6 x 3..8.
void AddRedBox(TWKFILE& doc) {
  TWKDATA item;
  item.Type = kRect;
  item.DrawMethod = kFill;
  item.DrawWidth = 1;
  item.Visible = 1;
  item.DrawRGBA = PackRGBA(255, 0, 0, 255);
  item.X1 = 2, item.Y1 = 3, item.X4 = 6, item.Y4 = 8;
  doc.CData.append(item);
}

TEST(ExportWindow, OpensWithTheRememberedSizesChecked) {
  ExportFixture f;
  f.app->config().RecentExport = 5 | (1 << 20);
  OpenExportWindow(ExportPartsOf(*f.app));
  ASSERT_EQ(f.list().topLevelItemCount(), 12);
  const char* texts[] = {"16x16", "32x32",   "48x48",   "64x64",   "96x96",   "128x128",
                         "160x160", "192x192", "256x256", "512x512", "768x768", "1024x1024"};
  for (int i = 0; i < 12; ++i) {
    const QTreeWidgetItem* row = f.list().topLevelItem(i);
    EXPECT_EQ(row->text(0), texts[i]);
    EXPECT_EQ(row->data(0, Qt::UserRole).toInt(), i);
    EXPECT_EQ(row->checkState(0) == Qt::Checked, i == 0 || i == 2) << i;
  }
  EXPECT_TRUE(f.app->exportWindow()->isVisible());
  EXPECT_TRUE(f.app->exportWindowOpen());
  EXPECT_FALSE(f.app->mainWindow()->isEnabled());
  EXPECT_TRUE(f.app->exportWindow()->cmdExport->isEnabled());
  EXPECT_TRUE(f.app->exportWindow()->isEnabled());

  // Opening again while open changes nothing; Cancel forgets new marks.
  f.CheckOnly({3});
  f.app->DispatchCommand(keys::kExportPng);
  EXPECT_EQ(f.list().topLevelItem(3)->checkState(0), Qt::Checked);
  f.Click(f.app->exportWindow()->cmdExportAbort);
  EXPECT_TRUE(f.MainWindowBack());
  EXPECT_EQ(f.app->config().RecentExport, 5 | (1 << 20));
  OpenExportWindow(ExportPartsOf(*f.app));
  EXPECT_EQ(f.list().topLevelItem(3)->checkState(0), Qt::Unchecked);
  // The export window's own close button cancels too.
  f.app->exportWindow()->close();
  EXPECT_TRUE(f.MainWindowBack());
  EXPECT_EQ(f.app->config().RecentExport, 5 | (1 << 20));
}

TEST(ExportWindow, OpensScrolledToTheFirstSize) {
  ExportFixture f;
  OpenExportWindow(ExportPartsOf(*f.app));
  QScrollBar* down = f.list().verticalScrollBar();
  QScrollBar* across = f.list().horizontalScrollBar();
  ASSERT_GT(down->maximum(), 0);  // twelve sizes do not fit the list
  down->setValue(down->maximum());
  across->setValue(across->maximum());
  f.Click(f.app->exportWindow()->cmdExportAbort);
  OpenExportWindow(ExportPartsOf(*f.app));
  EXPECT_EQ(down->value(), 0);
  EXPECT_EQ(across->value(), 0);
  EXPECT_EQ(f.list().itemAt(1, 1), f.list().topLevelItem(0));
}

TEST(ExportWindow, NothingCheckedAsksForAResolution) {
  ExportFixture f;
  f.app->config().RecentExport = 5;
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({});
  f.list().topLevelItem(4)->setSelected(true);  // selected but not checked
  // The file's type decides: only the icon sets go without a size.
  f.dialogs.paths = {f.dir.path() + "/star.png"};
  f.Click(f.app->exportWindow()->cmdExport);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].title, "Export PNG");
  EXPECT_EQ(f.dialogs.messages[0].text, "Select at least one resolution");
  EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::kInformation);
  EXPECT_TRUE(f.PngFiles().isEmpty());
  // The refused choice is not remembered: the next window checks 16 and 48.
  EXPECT_EQ(f.app->config().RecentExport, 5);
  EXPECT_TRUE(f.app->exportWindow()->isVisible());
  EXPECT_TRUE(f.app->exportWindowOpen());
  f.Click(f.app->exportWindow()->cmdExportAbort);
  EXPECT_EQ(f.app->config().RecentExport, 5);
  EXPECT_TRUE(f.MainWindowBack());
}

TEST(ExportWindow, CheckedSizesAreWrittenUnderTheChosenBase) {
  ExportFixture f;
  AddRedBox(f.app->session().doc());
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({1, 11});
  const QString chosen = f.dir.path() + "/star.png";
  f.dialogs.paths = {chosen};
  f.Click(f.app->exportWindow()->cmdExport);

  ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
  const FileDialogRequest& request = f.dialogs.fileRequests[0];
  EXPECT_EQ(request.title, "Export PNG");
  EXPECT_EQ(request.filterName, "32-bit PNG Image");
  EXPECT_EQ(request.filterPattern, "*.png");
  EXPECT_TRUE(request.save);
  EXPECT_TRUE(request.presetPath.isEmpty());
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.app->config().RecentExport, 2050);
  EXPECT_EQ(f.app->exportWindow()->lastPath(), chosen);
  EXPECT_TRUE(f.MainWindowBack());
  EXPECT_EQ(f.PngFiles(), (QStringList{"star.1024x1024.png", "star.32x32.png"}));
  for (int n : {1024, 32}) {
    const std::string file = f.dir.file(("star." + std::to_string(n) + "x" + std::to_string(n) + ".png").c_str());
    const testing::ReadPng png = testing::ReadPngFile(file);
    ASSERT_TRUE(png.ok) << file;
    EXPECT_EQ(png.width, n);
    const int unit = n / 16;
    const testing::PngPixel inside = png.At(4 * unit + unit / 2, 5 * unit + unit / 2);
    EXPECT_EQ(inside.r, 255);
    EXPECT_EQ(inside.a, 255);
    EXPECT_EQ(png.At(10 * unit, 10 * unit).a, 0);
  }

  // The second export proposes the first path; "a.b.png" keeps "a.b".
  OpenExportWindow(ExportPartsOf(*f.app));
  EXPECT_EQ(f.list().topLevelItem(1)->checkState(0), Qt::Checked);
  f.CheckOnly({1});
  f.dialogs.paths = {f.dir.path() + "/a.b.png"};
  f.Click(f.app->exportWindow()->cmdExport);
  EXPECT_EQ(f.dialogs.fileRequests[1].presetPath, chosen);
  EXPECT_TRUE(QFile::exists(f.dir.path() + "/a.b.32x32.png"));
  EXPECT_EQ(f.PngFiles().size(), 3);
}

// Other sizes are written with the checked ones, under the same names, and
// come back in the next window; a bad list is refused; Esc is Cancel.
TEST(ExportWindow, OtherSizesAreWrittenWithTheCheckedOnesAndRemembered) {
  ExportFixture f;
  AddRedBox(f.app->session().doc());
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({0});
  QLineEdit* other = f.app->exportWindow()->txtOtherSizes;
  other->setText(" 40,20 ");
  f.dialogs.paths = {f.dir.path() + "/star.png"};
  f.Click(f.app->exportWindow()->cmdExport);
  EXPECT_EQ(f.PngFiles(), (QStringList{"star.16x16.png", "star.20x20.png", "star.40x40.png"}));
  for (int n : {20, 40}) {
    const testing::ReadPng png = testing::ReadPngFile(f.dir.file(("star." + std::to_string(n) + "x" + std::to_string(n) + ".png").c_str()));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, n);
  }
  EXPECT_EQ(f.app->config().OtherSizes, "20, 40");

  OpenExportWindow(ExportPartsOf(*f.app));
  EXPECT_EQ(other->text(), "20, 40");
  other->setText("20, 4097");
  f.Click(f.app->exportWindow()->cmdExport);
  EXPECT_EQ(f.dialogs.messages.back().text, "Other sizes: whole numbers of pixels from 1 to 4096, separated by commas");
  EXPECT_EQ(f.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(f.app->config().OtherSizes, "20, 40");
  QTest::keyClick(f.app->exportWindow()->lstExportRes, Qt::Key_Escape);
  EXPECT_TRUE(f.MainWindowBack());
}

TEST(ExportWindow, SmallDocumentKeepsATransparentBand) {
  ExportFixture f;
  f.app->session().doc().TWKW = 12;
  f.app->session().doc().TWKH = 12;
  TWKDATA box;
  box.Type = kRect, box.DrawMethod = kFill, box.Visible = 1, box.DrawRGBA = PackRGBA(0, 0, 255, 255);
  box.X4 = 12, box.Y4 = 12;
  f.app->session().doc().CData.append(box);
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({0});
  f.dialogs.paths = {f.dir.path() + "/small"};
  f.Click(f.app->exportWindow()->cmdExport);
  const testing::ReadPng png = testing::ReadPngFile(f.dir.file("small.16x16.png"));
  ASSERT_TRUE(png.ok);
  ASSERT_EQ(png.width, 16);
  ASSERT_EQ(png.height, 16);
  EXPECT_EQ(png.At(5, 5).b, 255);
  EXPECT_EQ(png.At(5, 5).a, 255);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(png.At(13, i).a, 0) << i;
    EXPECT_EQ(png.At(i, 13).a, 0) << i;
  }
}

TEST(ExportWindow, UnwritableFolderListsEverySize) {
  ExportFixture f;
  std::ofstream(f.dir.file("plain")) << "x";
  std::ofstream(f.dir.file("keep.16x16.png")) << "old";
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  const QString base = f.dir.path() + "/plain/star";
  f.dialogs.paths = {base + ".png"};
  f.Click(f.app->exportWindow()->cmdExport);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  QString expected = "Something wrong with following files:\r\n\r\n";
  for (const char* size : {"1024x1024", "768x768", "512x512", "256x256", "192x192", "160x160", "128x128",
                           "96x96", "64x64", "48x48", "32x32", "16x16"}) {
    expected += QString("(%1) : %2.%1.png\r\n").arg(size, base);
  }
  EXPECT_EQ(f.dialogs.messages[0].text, expected);
  EXPECT_EQ(f.dialogs.messages[0].title, "Export PNG");
  EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::kError);
  EXPECT_EQ(f.app->config().RecentExport, 4095);
  EXPECT_TRUE(f.MainWindowBack());

  // Existing files are replaced without a question.
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({0});
  f.dialogs.paths = {f.dir.path() + "/keep"};
  f.Click(f.app->exportWindow()->cmdExport);
  EXPECT_EQ(testing::ReadPngFile(f.dir.file("keep.16x16.png")).width, 16);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(ExportWindow, CancelledDialogAndConstructionWriteNothing) {
  ExportFixture f;
  OpenExportWindow(ExportPartsOf(*f.app));
  f.CheckOnly({2});
  f.Click(f.app->exportWindow()->cmdExport);  // the save dialog is cancelled
  EXPECT_EQ(f.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(f.app->config().RecentExport, 4);
  EXPECT_TRUE(f.MainWindowBack());
  EXPECT_TRUE(f.PngFiles().isEmpty());

  QTest::mousePress(f.app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(f.app->session().state().Constructing);
  f.app->DispatchCommand(keys::kExportPng);
  EXPECT_FALSE(f.app->exportWindowOpen());
  EXPECT_FALSE(f.app->exportWindow()->isVisible());
  QTest::mouseRelease(f.app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(90, 90));
}

}  // namespace
}  // namespace twk
