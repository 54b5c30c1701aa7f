// Nothing is lost: a Load is an undo step, and the recovery copy follows
// every change, goes when the drawing is saved, stays when the editor ends
// and is offered to the next editor, which restores it or sets it aside.

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <fstream>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/DocumentCommands.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/RecoveryKeeper.h"
#include "app/RecoveryPrompt.h"
#include "editor/KeyNumbers.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

using test::ScopedWorkDir;
using test::ScriptedDialogs;
namespace fs = std::filesystem;

// Points $XDG_STATE_HOME at a fresh folder for the life of the object.
class ScopedStateHome {
 public:
  explicit ScopedStateHome(const std::string& home = {}) {
    const char* old = std::getenv("XDG_STATE_HOME");
    old_ = old ? old : "";
    setenv("XDG_STATE_HOME", home.empty() ? dir_.path().toLocal8Bit().constData() : home.c_str(), 1);
  }
  ~ScopedStateHome() { setenv("XDG_STATE_HOME", old_.c_str(), 1); }
  fs::path folder() const { return fs::path(dir_.path().toStdString()) / "tarnwick"; }

 private:
  QTemporaryDir dir_;
  std::string old_;
};

// Everything a step restores, as one comparable record.
struct Shown {
  std::string doc;  // the document as saving writes it
  std::vector<std::tuple<std::string, bool, bool>> rows;  // label, selected, checked
  std::string savePath;
  bool operator==(const Shown&) const = default;
};

Shown Take(TestApp& app) {
  Shown s{DocumentToXml(app.doc()), {}, app.config().RecentFile};
  const ItemList& list = app.lstItems()->items();
  for (int r = 0; r < list.RowCount(); ++r)
    s.rows.emplace_back(list.RowText(r), list.GetRowState(r).selected, list.GetRowState(r).checked);
  return s;
}

TWKFILE Drawing(int items) {
  TWKFILE doc;
  for (int i = 0; i < items; ++i) {
    TWKDATA item;
    item.Type = static_cast<std::uint8_t>(i % 3);
    item.Visible = i % 2 ? 0 : 1;
    item.X4 = 3.5f + i;
    doc.CData.append(item);
  }
  return doc;
}

int CopiesIn(const fs::path& folder) {
  int n = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) n += entry.path().extension() == ".twk";
  return n;
}

TEST(LoadStep, UndoBringsBackTheDrawingAndRedoTheLoadWithoutTheDisk) {
  ScopedStateHome state;
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  app->ReplaceDocument(Drawing(3));
  app->lstItems()->items().SelectOnly(2);
  app->config().RecentFile = dir.file("before.twk");
  const Shown drawing = Take(*app);

  const std::string good = dir.file("good.twk");
  ASSERT_EQ(SaveDocumentFile(good, Drawing(5)), ResultCode::kOk);
  for (const std::string& path : {dir.file("missing.twk"), good}) {
    SCOPED_TRACE(path);
    dialogs.paths = {QString::fromStdString(path)};
    LoadDocumentCommand(DocumentFilePartsOf(*app));
    const Shown loaded = Take(*app);
    EXPECT_EQ(loaded.doc, path == good ? DocumentToXml(Drawing(5)) : DocumentToXml(TWKFILE{0, 0, {}}));
    if (path == good) QFile::remove(QString::fromStdString(good));  // redo reads nothing
    app->DispatchCommand(keys::kUndo);
    EXPECT_EQ(Take(*app), drawing);
    app->DispatchCommand(keys::kRedo);
    EXPECT_EQ(Take(*app), loaded);
    app->DispatchCommand(keys::kUndo);
  }
  EXPECT_EQ(dialogs.messages.size(), 1u);  // "Can't read file:" for the missing one only
}

TEST(RecoveryCopy, FollowsChangesGoesWhenSavedStaysAtCloseAndComesBack) {
  ScopedStateHome state;
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  app->recovery().Flush();
  EXPECT_EQ(CopiesIn(state.folder()), 0);  // the empty start document

  auto copied = [&app] {
    app->recovery().Flush();
    TWKFILE copy;
    EXPECT_EQ(LoadDocumentFile(app->recovery().copyPath(), copy), ResultCode::kOk);
    return DocumentToXml(copy);
  };
  app->ReplaceDocument(Drawing(2));
  // An item being drawn is not kept; once finished, it is.
  QTest::mousePress(app->imgDraw(), Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(app->imgDraw(), QPoint(120, 90));
  app->recovery().HandOver();
  EXPECT_EQ(copied(), DocumentToXml(Drawing(2)));
  QTest::mouseRelease(app->imgDraw(), Qt::LeftButton, {}, QPoint(120, 90));
  ASSERT_EQ(app->doc().CData.size(), 3);
  EXPECT_EQ(copied(), DocumentToXml(app->doc()));

  dialogs.paths = {QString::fromStdString(dir.file("saved.twk"))};
  SaveDocumentCommand(DocumentFilePartsOf(*app));
  app->recovery().Flush();
  EXPECT_EQ(CopiesIn(state.folder()), 0);

  app->DispatchCommand(keys::kPad4);  // a change after the save
  const Shown unsaved = Take(*app);
  app->Shutdown();
  app.reset();
  EXPECT_EQ(CopiesIn(state.folder()), 1);

  // The next editor asks, and Yes restores the drawing as one undo step.
  app = test::StartedApp(dialogs);
  app->config().RecentFile = "/other.twk";
  const Shown fresh = Take(*app);
  dialogs.answers = {true};
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_TRUE(dialogs.questions[0].text.startsWith("Restore the drawing that was not saved?\r\n"));
  EXPECT_TRUE(dialogs.questions[0].text.endsWith("\r\nItems: 3"));
  EXPECT_EQ(Take(*app).doc, unsaved.doc);
  EXPECT_EQ(Take(*app).savePath, dir.file("saved.twk"));
  EXPECT_EQ(CopiesIn(state.folder()), 1);  // this editor's own copy, the old one taken
  app->DispatchCommand(keys::kUndo);
  EXPECT_EQ(Take(*app), fresh);
  app->DispatchCommand(keys::kRedo);

  // No sets the drawing aside, and nothing is asked again.
  app->Shutdown();
  app.reset();
  app = test::StartedApp(dialogs);
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(CopiesIn(state.folder()), 0);
  EXPECT_EQ(CopiesIn(state.folder() / "recovered"), 1);
}

TEST(RecoveryCopy, AStateFolderThatCannotBeWrittenLeavesEditingAlone) {
  ScopedWorkDir dir;
  std::ofstream(dir.file("file")) << "x";
  ScopedStateHome state(dir.file("file"));
  ScriptedDialogs dialogs;
  testing::internal::CaptureStderr();
  auto app = test::StartedApp(dialogs);
  app->ReplaceDocument(Drawing(2));
  app->recovery().Flush();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(app->recovery().keepsCopies());
  std::size_t lines = 0;
  for (std::size_t at = said.find("tarnwick:"); at != std::string::npos; at = said.find("tarnwick:", at + 1)) ++lines;
  EXPECT_EQ(lines, 1u) << said;
  EXPECT_NE(said.find("no recovery copies"), std::string::npos) << said;
  EXPECT_EQ(app->doc().CData.size(), 2);
}

}  // namespace
}  // namespace twk
