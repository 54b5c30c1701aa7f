// Save and Load of documents through the real windows, with scripted dialogs.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <fstream>

#include "GuiTestSupport.h"
#include "editor/KeyNumbers.h"
#include "app/AppCommands.h"
#include "app/DocumentCommands.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"
#include "export/ExportTestSupport.h"
#include "app/ItemListWidget.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

using test::ScopedWorkDir;
using test::ScriptedDialogs;

TWKDATA Item(std::uint8_t type, std::uint8_t visible, const char* name) {
  TWKDATA item;
  item.Name = name;
  item.Type = type;
  item.DrawMethod = kFill;
  item.DrawWidth = 1.5f;
  item.DrawAngle = 30;
  item.DrawRGBA = PackRGBA(10, 20, 30, 255);
  item.Visible = visible;
  item.X1 = 2.5f, item.Y1 = 3.5f, item.X2 = 0, item.Y2 = 360, item.X4 = 9.5f, item.Y4 = 12.5f;
  return item;
}

// A document of three items, the middle one hidden, shown in the list.
void FillDocument(App& app) {
  TWKFILE doc;
  doc.CData.append(Item(kLine, 1, "<a&b>"));
  doc.CData.append(Item(kRect, 0, ""));
  doc.CData.append(Item(kEllipse, 1, "e"));
  twk::test::ReplaceDocument(app, std::move(doc));
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool GridOutlinesTopLeftCell(App& app) {
  const Image* grid = app.canvas().grid();
  return grid && !(grid->PixelAt(0, 0) == Rgba{255, 255, 255, 255});
}

TEST(SaveDocument, EveryNameIsSavedAsTwkAndRemembered) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  FillDocument(*app);
  const std::string twk = dir.file("drawing.twk");
  dialogs.paths = {Q(dir.file("drawing")), Q(dir.file("drawing.twk")), Q(dir.file("drawing.png"))};
  dialogs.answers = {true, true};

  SaveDocumentAsCommand(DocumentFilePartsOf(*app));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Save data");
  EXPECT_EQ(dialogs.fileRequests[0].filterName, "twk file");
  EXPECT_EQ(dialogs.fileRequests[0].filterPattern, "*.twk");
  EXPECT_TRUE(dialogs.fileRequests[0].save);
  EXPECT_TRUE(dialogs.fileRequests[0].presetPath.isEmpty());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(app->session().savePath(), twk);

  SaveDocumentAsCommand(DocumentFilePartsOf(*app));  // drawing.twk: the same file, asked first
  SaveDocumentAsCommand(DocumentFilePartsOf(*app));  // drawing.png: still drawing.twk
  EXPECT_EQ(dialogs.fileRequests[1].presetPath, Q(twk));
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(dialogs.questions[1].title, "Save data");
  EXPECT_EQ(dialogs.questions[1].text, "File already exists:\r\n" + Q(twk) + "\r\n\r\nOverwrite?");
  EXPECT_FALSE(QFile::exists(Q(dir.file("drawing.png"))));
  EXPECT_TRUE(dialogs.messages.empty());

  TWKFILE back;
  ASSERT_EQ(LoadDocumentFile(twk, back), ResultCode::kOk);
  ASSERT_EQ(back.CData.size(), 3);
  EXPECT_EQ(*back.CData.at(0), *app->session().doc().CData.at(0));
}

// Ctrl+S writes the loaded file without a question; Ctrl+Shift+S asks.
// Ctrl+N puts an empty drawing as one step, which has no file of its own
// and which Ctrl+Z takes back; Ctrl+Q closes as the close button does.
TEST(SaveDocument, CtrlSWritesTheOwnFileCtrlNStartsAfreshAndUndoes) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  QWidget* canvas = app->mainWindow()->imgDraw;
  const std::string own = dir.file("bell.twk");
  FillDocument(*app);
  ASSERT_EQ(SaveDocumentFile(own, app->session().doc()), ResultCode::kOk);
  LoadDocumentFromPath(DocumentFilePartsOf(*app), Q(own));
  QTest::keyClick(canvas, Qt::Key_Delete);  // row 0 selected: the line goes
  const std::string changed = DocumentToXml(app->session().doc());
  QTest::keyClick(canvas, Qt::Key_S, Qt::ControlModifier);
  TWKFILE back;
  ASSERT_EQ(LoadDocumentFile(own, back), ResultCode::kOk);
  EXPECT_EQ(DocumentToXml(back), changed);
  EXPECT_TRUE(dialogs.fileRequests.empty() && dialogs.questions.empty() && dialogs.messages.empty());
  EXPECT_TRUE(app->session().saved());

  QTest::keyClick(canvas, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);  // cancelled
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].presetPath, Q(own));

  QTest::keyClick(canvas, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(DocumentToXml(app->session().doc()), DocumentToXml(TWKFILE{}));
  EXPECT_EQ(app->mainWindow()->lstItems->items().RowCount(), 0);
  QTest::keyClick(canvas, Qt::Key_S, Qt::ControlModifier);  // no file of its own: asks (cancelled)
  EXPECT_EQ(dialogs.fileRequests.size(), 2u);
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DocumentToXml(app->session().doc()), changed);
  EXPECT_EQ(app->mainWindow()->lstItems->items().RowCount(), 2);
  EXPECT_EQ(app->session().ownFile(), own);

  bool closed = false;
  app->mainWindow()->closing = [&closed] { closed = true; };
  QTest::keyClick(canvas, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(closed);
}

TEST(SaveDocument, NoKeepsTheOldFileAndAFolderIsNotAFile) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  const std::string path = dir.file("old.twk");
  std::ofstream(path) << "old bytes";
  app->session().savePath() = "/elsewhere/kept.twk";
  FillDocument(*app);

  dialogs.paths = {Q(path)};
  dialogs.answers = {false};
  SaveDocumentAsCommand(DocumentFilePartsOf(*app));
  EXPECT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(testing::FileBytes(path), (std::vector<unsigned char>{'o', 'l', 'd', ' ', 'b', 'y', 't', 'e', 's'}));
  EXPECT_EQ(app->session().savePath(), "/elsewhere/kept.twk");

  QDir(dir.path()).mkdir("folder.twk");
  dialogs.paths = {Q(dir.file("folder"))};
  SaveDocumentAsCommand(DocumentFilePartsOf(*app));
  EXPECT_EQ(dialogs.questions.size(), 1u);  // no question for a folder
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Save data error");
  EXPECT_EQ(dialogs.messages[0].text, "Can't save file:\r\n" + Q(dir.file("folder.twk")));
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kError);
  EXPECT_EQ(app->session().savePath(), "/elsewhere/kept.twk");
}

TEST(DocumentCommands, NothingHappensDuringADragOrAfterCancel) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  FillDocument(*app);
  app->session().savePath() = dir.file("kept.twk");
  const int redraws = app->canvas().redrawCount();

  SaveDocumentAsCommand(DocumentFilePartsOf(*app));  // cancelled
  LoadDocumentCommand(DocumentFilePartsOf(*app));  // cancelled
  EXPECT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests[1].title, "Load data");
  EXPECT_FALSE(dialogs.fileRequests[1].save);
  EXPECT_EQ(dialogs.fileRequests[1].presetPath, Q(dir.file("kept.twk")));
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
  EXPECT_EQ(app->session().doc().CData.size(), 3);
  EXPECT_EQ(app->mainWindow()->lstItems->items().RowCount(), 3);
  EXPECT_EQ(app->session().savePath(), dir.file("kept.twk"));

  QTest::mousePress(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(app->session().state().Constructing);
  dialogs.paths = {Q(dir.file("x")), Q(dir.file("x.twk"))};
  app->DispatchCommand(keys::kSave);
  app->DispatchCommand(keys::kLoad);
  EXPECT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_FALSE(QFile::exists(Q(dir.file("x.twk"))));
  QTest::mouseMove(app->mainWindow()->imgDraw, QPoint(90, 90));
  QTest::mouseRelease(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(90, 90));
  EXPECT_FALSE(app->session().state().Constructing);
  EXPECT_EQ(app->session().doc().CData.size(), 4);  // the drawn line, finished normally
}

TEST(LoadDocument, SavedItemsComeBackWithRowsAndNames) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  FillDocument(*app);
  app->session().doc().TWKW = 12;
  const TWKFILE original = app->session().doc();
  const std::string path = dir.file("round.twk");

  // Two rounds of save and load keep everything, the escaped name included.
  for (int round = 0; round < 2; ++round) {
    dialogs.paths = {Q(path), Q(path)};
    dialogs.answers = {true};
    SaveDocumentAsCommand(DocumentFilePartsOf(*app));
    EXPECT_NE(DocumentToXml(app->session().doc()).find("<Name>&lt;a&amp;b&gt;</Name>"), std::string::npos);
    app->session().doc().CData.clear();
    app->mainWindow()->lstItems->items().RemoveAllRows();
    const int redraws = app->canvas().redrawCount();
    LoadDocumentCommand(DocumentFilePartsOf(*app));
    EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  }
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(app->session().doc().CData.size(), 3);
  EXPECT_EQ(app->session().doc().TWKW, 12);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(*app->session().doc().CData.at(i), *original.CData.at(i)) << i;
  EXPECT_EQ(app->session().doc().CData.at(0)->Name, "<a&b>");

  const ItemList& rows = app->mainWindow()->lstItems->items();
  ASSERT_EQ(rows.RowCount(), 3);
  const char* texts[] = {"Line", "Rect", "Ellipse"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows.RowText(i), texts[i]);
    EXPECT_EQ(rows.RowItem(i), app->session().doc().CData.at(i));
    EXPECT_EQ(rows.GetRowState(i).checked, i != 1);
    EXPECT_EQ(rows.GetRowState(i).selected, i == 0);
  }
  EXPECT_EQ(app->session().savePath(), path);
}

TEST(LoadDocument, NonDocumentsEmptyTheDocumentUntilAGoodLoad) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  FillDocument(*app);
  const std::string good = dir.file("good.twk");
  ASSERT_EQ(SaveDocumentFile(good, app->session().doc()), ResultCode::kOk);
  app->Shutdown();  // writes Tarnwick.cfg into the working directory
  const std::string png = dir.file("picture.png");
  std::ofstream(png, std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
  app->session().savePath() = "/kept.twk";

  for (const std::string& bad : {png, dir.file("Tarnwick.cfg"), dir.file("missing.twk")}) {
    FillDocument(*app);
    dialogs.paths = {Q(bad)};
    dialogs.messages.clear();
    const int redraws = app->canvas().redrawCount();
    LoadDocumentCommand(DocumentFilePartsOf(*app));
    ASSERT_EQ(dialogs.messages.size(), 1u) << bad;
    EXPECT_EQ(dialogs.messages[0].title, "Load data error");
    EXPECT_EQ(dialogs.messages[0].text,
              (bad == dir.file("missing.twk") ? "Can't read file:\r\n" : "Not a Tarnwick document:\r\n") + Q(bad));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kError);
    EXPECT_EQ(app->session().doc().TWKW, 0);
    EXPECT_EQ(app->session().doc().TWKH, 0);
    EXPECT_TRUE(app->session().doc().CData.empty());
    EXPECT_EQ(app->mainWindow()->lstItems->items().RowCount(), 0);
    EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
    EXPECT_FALSE(GridOutlinesTopLeftCell(*app));
    EXPECT_EQ(app->session().savePath(), "/kept.twk");
  }

  dialogs.paths = {Q(good)};
  LoadDocumentCommand(DocumentFilePartsOf(*app));
  EXPECT_EQ(app->session().doc().TWKW, 16);
  EXPECT_EQ(app->session().doc().CData.size(), 3);
  EXPECT_EQ(app->mainWindow()->lstItems->items().RowCount(), 3);
  EXPECT_TRUE(GridOutlinesTopLeftCell(*app));
  EXPECT_EQ(app->session().savePath(), good);
}

}  // namespace
}  // namespace twk
