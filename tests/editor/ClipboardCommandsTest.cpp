// Copy, cut and paste of items between two editors through the clipboard
// text: the pasted items lead the list in their order, alone selected,
// checked as they were, and save to the same element text as their sources.

#include <gtest/gtest.h>

#include "editor/ClipboardCommands.h"
#include "editor/ItemCommands.h"
#include "persist/DocumentFile.h"
#include "persist/ItemClipboard.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

// Four items, the third hidden; rows 1 and 2 selected.
void FourItems(TestEditor& t) {
  for (int i = 0; i < 4; ++i) t.doc.CData.append(MakeItem(i % 4, i));
  t.doc.CData.at(2)->Visible = 0;
  RebuildRowsFromDocument(t.ed);
  SelectRows(t.rows, {1, 2});
}

// The saved text of items first..last of a document.
std::string SavedItems(const TWKFILE& doc, int first, int last) {
  TWKFILE part;
  for (int i = first; i <= last; ++i) part.CData.append(*doc.CData.at(i));
  return DocumentToXml(part);
}

TEST(ClipboardCommandsTest, CopyInOneEditorPastesSelectedAndCheckedInAnother) {
  TestEditor source;
  FourItems(source);
  source.doc.TWKW = 11;
  const TWKFILE copied = CopySelected(source.ed);
  EXPECT_EQ(copied.TWKW, 11.0f);
  const std::optional<TWKFILE> received = ItemsFromClipboardText(ItemsToClipboardText(copied));
  ASSERT_TRUE(received);

  TestEditor target;
  target.doc.CData.append(MakeItem(kEllipse, 9));
  RebuildRowsFromDocument(target.ed);
  PasteItems(target.ed, received->CData);

  EXPECT_EQ(SavedItems(target.doc, 0, 1), SavedItems(source.doc, 1, 2));
  EXPECT_EQ(target.doc.CData.at(2)->Name, "item9");
  EXPECT_EQ(target.doc.TWKW, 16.0f);  // a paste leaves the size alone
  EXPECT_EQ(target.rows.SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(target.RowsMirrorDocument());  // the hidden item's row is unchecked
  EXPECT_EQ(target.history.undoCount(), 1u);
  EXPECT_EQ(target.redraws, 1);
}

// A cut is a copy, then Delete: one step.
TEST(ClipboardCommandsTest, CutHandsOverTheItemsItDeletes) {
  TestEditor t;
  FourItems(t);
  const std::string cutText = SavedItems(t.doc, 1, 2);
  const TWKFILE cut = CopySelected(t.ed);
  DeleteSelected(t.ed);
  EXPECT_EQ(DocumentToXml(cut), cutText);
  ASSERT_EQ(t.doc.CData.size(), 2);
  EXPECT_EQ(t.doc.CData.at(0)->Name, "item0");
  EXPECT_EQ(t.doc.CData.at(1)->Name, "item3");
  EXPECT_EQ(t.history.undoCount(), 1u);
}

TEST(ClipboardCommandsTest, PasteAndCloneStopAtTheDocumentItemCeiling) {
  TestEditor t;
  for (std::size_t i = 0; i + 1 < kDocumentItemCeiling; ++i) t.doc.CData.append(MakeItem(kLine, 0));
  RebuildRowsFromDocument(t.ed);
  SelectRows(t.rows, {0, 1});
  TWKFILE two;
  two.CData.append(MakeItem(kRect, 1));
  two.CData.append(MakeItem(kRect, 2));

  // Past the ceiling: nothing pasted or cloned, no step.
  EXPECT_FALSE(PasteItems(t.ed, two.CData));
  CloneSelected(t.ed);
  EXPECT_EQ(static_cast<std::size_t>(t.doc.CData.size()), kDocumentItemCeiling - 1);
  EXPECT_EQ(t.history.undoCount(), 0u);
  // Up to it: pasted.
  (void)two.CData.take(1);
  EXPECT_TRUE(PasteItems(t.ed, two.CData));
  EXPECT_EQ(static_cast<std::size_t>(t.doc.CData.size()), kDocumentItemCeiling);
  EXPECT_EQ(t.doc.CData.at(0)->Name, "item1");
}

}  // namespace
}  // namespace twk::test
