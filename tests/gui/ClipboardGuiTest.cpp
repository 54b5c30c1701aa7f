// Ctrl+C, Ctrl+X and Ctrl+V pressed in the main window move the selected
// items through the clipboard (an in-memory one here): copy offers the three
// kinds of data, cut and paste are one undo step each, a clipboard without
// whole items text is ignored, and nothing happens while drawing or while
// the export window is open.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/Clipboard.h"
#include "app/CopyPasteCommands.h"
#include "app/ExportCommands.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "editor/ItemCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/TestEditor.h"
#include "persist/DocumentFile.h"
#include "persist/ItemClipboard.h"

namespace twk::test {
namespace {

class FakeClipboard : public Clipboard {
 public:
  std::vector<ClipboardEntry> held;
  int puts = 0;

  void Put(const std::vector<ClipboardEntry>& entries) override {
    held = entries;
    ++puts;
  }
  std::string Get(const std::string& mimeType) override {
    for (const ClipboardEntry& entry : held) {
      if (entry.mimeType == mimeType) return entry.bytes;
    }
    return {};
  }
};

// An item told apart from others by `tag`.
TWKDATA Item(int type, int tag, bool visible = true) {
  TWKDATA item;
  item.Name = "item" + std::to_string(tag);
  item.Type = static_cast<std::uint8_t>(type);
  item.DrawWidth = 1.0f + static_cast<float>(tag) / 8;
  item.DrawRGBA = static_cast<std::int32_t>(0xff000000u | static_cast<unsigned>(tag * 0x102030));
  item.Visible = visible ? 1 : 0;
  item.X1 = static_cast<float>(tag);
  item.Y1 = 2.5f;
  item.X4 = 12.0f - static_cast<float>(tag);
  item.Y4 = 9.25f;
  return item;
}

class ClipboardGui : public ::testing::Test {
 protected:
  // Three items, the middle one hidden; rows 1 and 2 selected, the list
  // focused.
  void SetUp() override {
    TWKFILE doc;
    doc.CData.append(Item(kLine, 0));
    doc.CData.append(Item(kRect, 1, false));
    doc.CData.append(Item(kEllipse, 2));
    twk::test::ReplaceDocument(*app, std::move(doc));
    list()->items().Select({{1, 2}}, 1, false);
    list()->setFocus();
  }

  void Ctrl(Qt::Key key, QWidget* target = nullptr) {
    QTest::keyClick(target ? target : list(), key, Qt::ControlModifier);
  }
  ItemListWidget* list() { return app->mainWindow()->lstItems; }
  TWKFILE& doc() { return app->session().doc(); }
  std::string Saved() { return DocumentToXml(app->session().doc()); }
  // The document's items `first`..`last` in a document of its size.
  TWKFILE Part(int first, int last) {
    TWKFILE part;
    part.TWKW = doc().TWKW;
    part.TWKH = doc().TWKH;
    for (int i = first; i <= last; ++i) part.CData.append(*doc().CData.at(i));
    return part;
  }
  // Every row shows the item at its own place in the document.
  bool RowsFollowTheDocument() {
    if (list()->items().RowCount() != doc().CData.size()) return false;
    for (int row = 0; row < doc().CData.size(); ++row) {
      if (list()->items().RowItem(row) != doc().CData.at(row)) return false;
      if (list()->items().GetRowState(row).checked != (doc().CData.at(row)->Visible != 0)) return false;
    }
    return true;
  }

  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  FakeClipboard clipboard;
  std::unique_ptr<App> app = StartedApp(dialogs, {}, &clipboard);
};

TEST_F(ClipboardGui, CtrlCOnTheListOffersTheSelectedItemsInThreeKinds) {
  // The list's own copy of its row text must not run instead.
  QGuiApplication::clipboard()->setText("left alone");
  const std::string before = Saved();
  Ctrl(Qt::Key_C);
  EXPECT_EQ(clipboard.held, ItemClipboardData(Part(1, 2)));
  std::vector<std::string> kinds;
  for (const ClipboardEntry& entry : clipboard.held) kinds.push_back(entry.mimeType);
  EXPECT_EQ(kinds, (std::vector<std::string>{kItemsMimeType, kSvgMimeType, kPngMimeType}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "left alone");
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(app->session().history().undoCount(), 0u);
}

TEST_F(ClipboardGui, CtrlXCutsAsOneStepThatCtrlZTakesBackWhole) {
  const std::string before = Saved();
  const TWKFILE cut = Part(1, 2);
  Ctrl(Qt::Key_X);
  EXPECT_EQ(clipboard.held, ItemClipboardData(cut));
  TWKFILE left = Part(0, 0);
  EXPECT_EQ(Saved(), DocumentToXml(left));
  EXPECT_TRUE(RowsFollowTheDocument());
  EXPECT_EQ(app->session().history().undoCount(), 1u);

  Ctrl(Qt::Key_Z);
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(RowsFollowTheDocument());
  EXPECT_EQ(list()->items().SelectedRuns(), (std::vector<RowRun>{{1, 2}}));
}

TEST_F(ClipboardGui, CtrlVPutsTheItemsInFrontAsTheOnlySelectedRowsInOneStep) {
  TWKFILE copied;
  copied.TWKW = 40;  // a paste leaves this document's size alone
  copied.CData.append(Item(kRect, 7, false));
  copied.CData.append(Item(kLine, 8));
  clipboard.held = {{kItemsMimeType, ItemsToClipboardText(copied)}};
  const std::string before = Saved();
  TWKFILE expected = Part(0, 2);
  expected.CData.insert(0, *copied.CData.at(1));
  expected.CData.insert(0, *copied.CData.at(0));
  const int redraws = app->canvas().redrawCount();

  Ctrl(Qt::Key_V, app->mainWindow()->imgDraw);
  EXPECT_EQ(Saved(), DocumentToXml(expected));
  EXPECT_EQ(list()->items().SelectedRuns(), (std::vector<RowRun>{{0, 1}}));
  EXPECT_TRUE(RowsFollowTheDocument());  // the hidden item's row unchecked
  EXPECT_EQ(app->session().history().undoCount(), 1u);
  EXPECT_GT(app->canvas().redrawCount(), redraws);

  Ctrl(Qt::Key_Z);
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(RowsFollowTheDocument());
}

TEST_F(ClipboardGui, CtrlVIgnoresAClipboardWithoutWholeItemsText) {
  TWKFILE one;
  one.CData.append(Item(kLine, 5));
  const std::string text = ItemsToClipboardText(one);
  const std::vector<std::vector<ClipboardEntry>> contents = {
      {},                                                   // empty clipboard
      {{"text/plain", text}},                               // the text, but not as items
      {{kItemsMimeType, text.substr(0, text.size() - 3)}},  // cut short
      {{kItemsMimeType, "\x89PNG\r\n\x1a\n"}},              // not text at all
  };
  const std::string before = Saved();
  for (const std::vector<ClipboardEntry>& held : contents) {
    clipboard.held = held;
    Ctrl(Qt::Key_V);
    EXPECT_EQ(Saved(), before) << (held.empty() ? "empty" : held[0].bytes);
  }
  EXPECT_EQ(app->session().history().undoCount(), 0u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardGui, NothingMovesWhileDrawingOrWhileTheExportWindowIsOpen) {
  TWKFILE one;
  one.CData.append(Item(kLine, 5));
  const std::vector<ClipboardEntry> held = {{kItemsMimeType, ItemsToClipboardText(one)}};
  // Each situation: how it starts and how it ends.
  const std::pair<std::function<void()>, std::function<void()>> situations[] = {
      {[&] {
         QTest::mousePress(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
         QTest::mouseMove(app->mainWindow()->imgDraw, QPoint(150, 90));
         ASSERT_TRUE(app->session().state().Constructing);
       },
       [&] { QTest::keyClick(app->mainWindow()->imgDraw, Qt::Key_Escape); }},
      {[&] {
         OpenExportWindow(ExportPartsOf(*app));
         ASSERT_TRUE(app->exportWindowOpen());
       },
       [&] { CancelExport(*app->exportWindow()); }},
  };
  for (const auto& [enter, leave] : situations) {
    clipboard.held = held;
    clipboard.puts = 0;
    enter();
    const std::string before = Saved();
    const std::size_t steps = app->session().history().undoCount();
    for (int number : {keys::kCopy, keys::kCut, keys::kPaste}) app->DispatchCommand(number);
    EXPECT_EQ(clipboard.puts, 0);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(app->session().history().undoCount(), steps);
    leave();
  }
}

TEST(PasteCommand, PastTheItemCeilingSaysSoAndPastesNothing) {
  test::TestEditor t;
  for (std::size_t i = 0; i + 2 < kDocumentItemCeiling; ++i) t.doc.CData.append(Item(kLine, 0));
  RebuildRowsFromDocument(t.ed);
  FakeClipboard clipboard;
  TWKFILE copied;
  for (int tag = 0; tag < 3; ++tag) copied.CData.append(Item(kRect, tag));
  clipboard.held = {{kItemsMimeType, ItemsToClipboardText(copied)}};
  ScriptedDialogs dialogs;
  PasteItemsCommand(t.ed, clipboard, Asking{dialogs, nullptr});
  EXPECT_EQ(static_cast<std::size_t>(t.doc.CData.size()), kDocumentItemCeiling - 2);
  EXPECT_EQ(t.history.undoCount(), 0u);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Can't paste: the drawing would hold more than 250000 items.");
}

// A clipboard that has no memory for the items' copies.
class FullClipboard : public Clipboard {
 public:
  void Put(const std::vector<ClipboardEntry>&) override { throw std::bad_alloc(); }
  std::string Get(const std::string&) override { return {}; }
};

TEST(CutCommand, OutOfMemorySaysSoAndKeepsTheItems) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  FullClipboard clipboard;
  std::unique_ptr<App> app = StartedApp(dialogs, {}, &clipboard);
  TWKFILE doc;
  doc.CData.append(Item(kLine, 0));
  ReplaceDocument(*app, std::move(doc));
  app->session().rows().SelectOnly(0);
  app->DispatchCommand(keys::kCut);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Cut"));
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kError);
  EXPECT_EQ(app->session().doc().CData.size(), 1);
  EXPECT_EQ(app->session().history().undoCount(), 0u);
}

}  // namespace
}  // namespace twk::test
