// Nothing is lost: a Load is an undo step, and the recovery copy follows
// every change, goes when the drawing is saved, stays when the editor ends
// and is offered to the next editor, which restores it or sets it aside. A
// restored drawing that another drawing replaces keeps its copy, and a copy
// is only taken once the editor's own copy of it is on disk.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <set>
#include <fstream>
#include <sstream>
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
#include "persist/RecoveryCopy.h"

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

Shown Take(App& app) {
  Shown s{DocumentToXml(app.session().doc()), {}, app.session().savePath()};
  const ItemList& list = app.mainWindow()->lstItems->items();
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
  twk::test::ReplaceDocument(*app, Drawing(3));
  app->mainWindow()->lstItems->items().SelectOnly(2);
  app->session().savePath() = dir.file("before.twk");
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
  twk::test::ReplaceDocument(*app, Drawing(2));
  // An item being drawn is not kept; once finished, it is.
  QTest::mousePress(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(app->mainWindow()->imgDraw, QPoint(120, 90));
  app->recovery().HandOver();
  EXPECT_EQ(copied(), DocumentToXml(Drawing(2)));
  QTest::mouseRelease(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(120, 90));
  ASSERT_EQ(app->session().doc().CData.size(), 3);
  EXPECT_EQ(copied(), DocumentToXml(app->session().doc()));

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
  app->session().savePath() = "/other.twk";
  const Shown fresh = Take(*app);
  dialogs.answers = {true};
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  const QString ranIn = QString::fromStdString(fs::current_path().string());
  EXPECT_TRUE(dialogs.questions[0].text.startsWith("Restore the drawing that was not saved?\r\n\r\nLast saved as: " +
                                                   QString::fromStdString(dir.file("saved.twk")) +
                                                   "\r\nEditor ran in: " + ranIn + "\r\nLast changed: "))
      << dialogs.questions[0].text.toStdString();
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
  ASSERT_EQ(CopiesIn(state.folder() / "recovered"), 1);
  const fs::path keptAt = fs::directory_iterator(state.folder() / "recovered")->path();
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, "The drawing is kept in:\r\n" + QString::fromStdString(keptAt.string()));
}

// Copies of drawings left by editors that ended, the newest last.
void Abandoned(const fs::path& folder, const std::vector<std::pair<int, CopyNotes>>& drawings) {
  const auto now = fs::file_time_type::clock::now();
  for (std::size_t i = 0; i < drawings.size(); ++i) {
    auto copy = RecoveryCopy::Claim(folder.string());
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->Write(Drawing(drawings[i].first), drawings[i].second), ResultCode::kOk);
    fs::last_write_time(copy->copyPath(), now - std::chrono::minutes(drawings.size() - i));
  }
}

// The item counts and notes (last saved as, folder) of the copies the next
// start would offer.
std::multiset<std::pair<int, std::string>> Offered(const fs::path& folder) {
  std::multiset<std::pair<int, std::string>> offered;
  AbandonedCopies found = AbandonedCopies::Claim(folder.string());
  for (AbandonedCopy& copy : found.copies()) {
    TWKFILE doc;
    EXPECT_EQ(found.Load(copy, doc), CopyLoad::kLoaded);
    offered.emplace(doc.CData.size(), copy.notes.savedAs + "|" + copy.notes.folder);
  }
  return offered;
}

TEST(RecoveryCopy, RestoreOverRestoreKeepsBothForTheNextStart) {
  ScopedStateHome state;
  ScriptedDialogs dialogs;
  Abandoned(state.folder(), {{2, {"", "/a/two.twk", "/a"}}, {5, {"", "", "/b"}}});
  auto app = test::StartedApp(dialogs);
  dialogs.answers = {true, true};
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_TRUE(dialogs.questions[0].text.contains("\r\nNever saved\r\nEditor ran in: /b\r\n"));
  EXPECT_EQ(app->session().doc().CData.size(), 2);
  EXPECT_TRUE(dialogs.messages.empty());
  app->Shutdown();
  app.reset();
  EXPECT_EQ(Offered(state.folder()), (std::multiset<std::pair<int, std::string>>{{2, "/a/two.twk|/a"}, {5, "|/b"}}));
}

TEST(RecoveryCopy, RestoreThenOpenFileKeepsTheRestoredDrawing) {
  ScopedStateHome state;
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  Abandoned(state.folder(), {{3, {"", "/a/three.twk", "/a"}}});
  const std::string file = dir.file("point.twk");
  ASSERT_EQ(SaveDocumentFile(file, Drawing(4)), ResultCode::kOk);
  auto app = test::StartedApp(dialogs);
  dialogs.answers = {true};
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(file));
  EXPECT_EQ(app->session().doc().CData.size(), 4);
  app->Shutdown();
  app.reset();
  EXPECT_EQ(Offered(state.folder()), (std::multiset<std::pair<int, std::string>>{{3, "/a/three.twk|/a"}}));
}

// A loaded drawing changed and then replaced is offered with the file it
// came from; the empty drawing a failed load leaves is never offered.
TEST(RecoveryCopy, ALoadedDrawingNamesItsFileAndAnEmptyOneIsNotKept) {
  ScopedStateHome state;
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  const std::string bell = dir.file("bell.twk");
  ASSERT_EQ(SaveDocumentFile(bell, Drawing(2)), ResultCode::kOk);
  auto app = test::StartedApp(dialogs);
  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(bell));
  app->DispatchCommand(keys::kPad4);
  for (const char* missing : {"missing.twk", "other.twk"}) {
    LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(dir.file(missing)));
    app->recovery().HandOver();
  }
  app->Shutdown();
  app.reset();
  EXPECT_EQ(Offered(state.folder()),
            (std::multiset<std::pair<int, std::string>>{{2, bell + "|" + fs::current_path().string()}}));
}

TEST(RecoveryCopy, YesOnAFullDiskKeepsTheOldCopyAndSaysSo) {
  ScopedStateHome state;
  ScriptedDialogs dialogs;
  Abandoned(state.folder(), {{3, {"", "", "/c"}}});
  auto app = test::StartedApp(dialogs);
  dialogs.answers = {true};
  const WriteCall saved = SetWriteCallForTesting([](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  });
  testing::internal::CaptureStderr();
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  SetWriteCallForTesting(saved);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(app->session().doc().CData.size(), 3);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.contains("The drawing is not protected until space is freed."));
  EXPECT_EQ(Offered(state.folder()), (std::multiset<std::pair<int, std::string>>{{3, "|/c"}}));
}

TEST(RecoveryCopy, ManyDrawingsAreOfferedInOneListChosenEachOnItsOwn) {
  ScopedStateHome state;
  ScriptedDialogs dialogs;
  const CopyNotes d{"", "", "/d"};
  Abandoned(state.folder(), {{1, d}, {2, d}, {3, d}, {4, d}, {5, d}});
  auto app = test::StartedApp(dialogs);
  // Newest first: 5 restored, 4 and 2 kept for later, 3 discarded, 1 left
  // to the default.
  dialogs.copyChoices = {CopyChoice::kRestore, CopyChoice::kKeep, CopyChoice::kDiscard, CopyChoice::kKeep};
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  EXPECT_TRUE(dialogs.questions.empty());
  ASSERT_EQ(dialogs.copyLists.size(), 1u);
  EXPECT_EQ(dialogs.copyLists[0].size(), 5u);
  EXPECT_EQ(app->session().doc().CData.size(), 5);
  EXPECT_EQ(Offered(state.folder()), (std::multiset<std::pair<int, std::string>>{{1, "|/d"}, {2, "|/d"}, {4, "|/d"}}));
  EXPECT_EQ(CopiesIn(state.folder() / "recovered"), 1);
}

TEST(RecoveryCopy, ManySetAsideAreListedOnlyWhereTheyAreStillKept) {
  ScopedStateHome state;
  ScriptedDialogs dialogs;
  const CopyNotes e{"", "", "/e"};
  Abandoned(state.folder(), std::vector<std::pair<int, CopyNotes>>(14, {1, e}));
  auto app = test::StartedApp(dialogs);
  dialogs.copyChoices.assign(14, CopyChoice::kDiscard);
  OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(dialogs.lists.size(), 1u);
  QStringList lines = dialogs.lists[0].text.split("\r\n");
  EXPECT_EQ(lines.takeFirst(), "4 older drawings set aside are not kept: only 10 are. "
                               "The drawings set aside are kept in:");
  std::set<std::string> named, kept;
  for (const QString& line : lines) named.insert(line.toStdString());
  for (const auto& entry : fs::directory_iterator(state.folder() / "recovered")) kept.insert(entry.path().string());
  EXPECT_EQ(named, kept);
  EXPECT_EQ(kept.size(), 10u);
}

// The list window itself: 300 paths in a window that fits the screen,
// whose OK button is on it and ends it.
TEST(ListMessage, ManyLinesScrollInAWindowThatFitsTheScreen) {
  QStringList items;
  for (int i = 0; i < 300; ++i) items << QStringLiteral("/state/tarnwick/recovered/editor-%1-0.twk").arg(i);
  QRect shown, space;
  bool okOnScreen = false, scrolls = false;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window) return;
    space = window->screen()->availableGeometry();
    shown = window->frameGeometry();
    auto* list = window->findChild<QListWidget*>();
    scrolls = list && list->count() == 300 && list->verticalScrollBar()->maximum() > 0;
    auto* buttons = window->findChild<QDialogButtonBox*>();
    QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
    okOnScreen = ok && ok->isVisible() && space.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()));
    if (ok) ok->click();
  });
  DesktopDialogs().ShowList(nullptr, "Tarnwick", "The drawings set aside are kept in:", items,
                            MessageIcon::kInformation);
  EXPECT_TRUE(space.contains(shown)) << shown.height() << " of " << space.height();
  EXPECT_TRUE(okOnScreen);
  EXPECT_TRUE(scrolls);
}

TEST(RecoveryCopy, AStateFolderThatCannotBeWrittenOrIsALinkLeavesEditingAlone) {
  ScopedWorkDir dir;
  std::ofstream(dir.file("file")) << "x";
  fs::create_directories(dir.file("links/icons"));
  fs::create_symlink(dir.file("links/icons"), dir.file("links/tarnwick"));
  const struct {
    std::string home;
    std::string said;
  } cases[] = {
      {dir.file("file"), "tarnwick: no recovery copies: cannot write to " + dir.file("file") + "/tarnwick\n"},
      {dir.file("links"),
       "tarnwick: no recovery copies: " + dir.file("links") + "/tarnwick is not a folder of this user\n"},
      {"", "tarnwick: no recovery copies: neither XDG_STATE_HOME nor HOME is an absolute path\n"},
  };
  for (const auto& c : cases) {
    ScopedStateHome state(c.home.empty() ? "unset" : c.home);
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/";
    if (c.home.empty()) unsetenv("XDG_STATE_HOME"), unsetenv("HOME");
    ScriptedDialogs dialogs;
    testing::internal::CaptureStderr();
    auto app = test::StartedApp(dialogs);
    twk::test::ReplaceDocument(*app, Drawing(2));
    app->recovery().Flush();
    OfferAbandonedDrawings(AskingOverMainWindow(*app), app->recovery(), *app);
    app->Shutdown();
    // Only the program's own lines: Qt may add its own.
    std::istringstream said(testing::internal::GetCapturedStderr());
    std::string own;
    for (std::string line; std::getline(said, line);)
      if (line.rfind("tarnwick:", 0) == 0) own += line + "\n";
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(own, c.said);
    EXPECT_FALSE(app->recovery().keepsCopies());
    EXPECT_EQ(app->session().doc().CData.size(), 2);
  }
  EXPECT_TRUE(fs::is_empty(dir.file("links/icons")));
}

}  // namespace
}  // namespace twk
