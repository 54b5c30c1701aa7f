// Hide, Show, Clone, Delete, the visibility sync, the rows after a load and
// the row drag and drop.

#include <gtest/gtest.h>

#include "editor/Construction.h"
#include "editor/ItemCommands.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

void Load(TestEditor& t, int count) {
  for (int i = 0; i < count; ++i) t.doc.CData.append(MakeItem(i % 4, i));
  RebuildRowsFromDocument(t.ed);
}

// The tags (MakeItem numbers) of CData from the front.
std::vector<std::string> Names(const TestEditor& t) {
  std::vector<std::string> names;
  for (int i = 0; i < t.doc.CData.size(); ++i) names.push_back(t.doc.CData.at(i)->Name);
  return names;
}

std::vector<std::string> Expect(std::initializer_list<int> tags) {
  std::vector<std::string> names;
  for (int tag : tags) names.push_back("item" + std::to_string(tag));
  return names;
}

TEST(RowsFromDocumentTest, RowsInOrderCheckedWhenVisible) {
  TestEditor t;
  t.doc.CData.append(MakeItem(kLine, 0));
  t.doc.CData.append(MakeItem(7, 1));
  t.doc.CData.append(MakeItem(kEllipse, 2));
  t.doc.CData.at(1)->Visible = 0;
  t.rows.InsertRow(0, "stale");
  RebuildRowsFromDocument(t.ed);
  ASSERT_EQ(t.rows.RowCount(), 3);
  EXPECT_EQ(t.rows.RowText(0), "Line");
  EXPECT_EQ(t.rows.RowText(1), "UNKNOWN");
  EXPECT_EQ(t.rows.RowText(2), "Ellipse");
  EXPECT_FALSE(t.rows.GetRowState(1).checked);
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{0});
  TestEditor empty;
  RebuildRowsFromDocument(empty.ed);
  EXPECT_EQ(empty.rows.RowCount(), 0);
}

TEST(VisibilityTest, CheckMarksDriveVisibility) {
  TestEditor t;
  Load(t, 3);
  t.rows.SetRowState(1, {false, false});
  SyncVisibility(t.ed);
  EXPECT_EQ(t.doc.CData.at(1)->Visible, 0);
  EXPECT_EQ(t.redraws, 1);
  SyncVisibility(t.ed);
  EXPECT_EQ(t.redraws, 1);
  t.rows.SetRowState(1, {false, true});
  t.state.Constructing = true;
  DispatchCommand(t.ed, keys::kCheckMarks);
  EXPECT_EQ(t.doc.CData.at(1)->Visible, 0);
  t.state.Constructing = false;
  DispatchCommand(t.ed, keys::kCheckMarks);
  EXPECT_EQ(t.doc.CData.at(1)->Visible, 1);
  EXPECT_EQ(t.redraws, 2);
}

TEST(VisibilityTest, HideKeepsSelectionAndHideAgainDoesNothing) {
  TestEditor t;
  Load(t, 3);
  SelectRows(t.rows, {0, 2});
  SetSelectedVisibility(t.ed, false);
  EXPECT_EQ(t.doc.CData.at(0)->Visible, 0);
  EXPECT_EQ(t.doc.CData.at(1)->Visible, 1);
  EXPECT_EQ(t.doc.CData.at(2)->Visible, 0);
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.SelectedRows(), (std::vector<int>{0, 2}));
  EXPECT_EQ(t.redraws, 1);
  SetSelectedVisibility(t.ed, false);
  EXPECT_EQ(t.redraws, 1);
  SetSelectedVisibility(t.ed, true);
  EXPECT_EQ(t.doc.CData.at(0)->Visible, 1);
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.redraws, 2);
  t.rows.SelectOnly(-1);
  SetSelectedVisibility(t.ed, false);
  EXPECT_EQ(t.redraws, 2);
}

TEST(CloneTest, CopiesGoOnTopInTheirOrderAndAloneSelected) {
  TestEditor t;
  Load(t, 4);
  SelectRows(t.rows, {1, 3});
  CloneSelected(t.ed);
  EXPECT_EQ(Names(t), Expect({1, 3, 0, 1, 2, 3}));
  EXPECT_EQ(t.rows.SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.RowText(0), t.rows.RowText(3));
  EXPECT_EQ(*t.doc.CData.at(0), *t.doc.CData.at(3));
  EXPECT_NE(t.doc.CData.at(0), t.doc.CData.at(3));
  EXPECT_EQ(t.redraws, 1);
}

TEST(CloneTest, HiddenItemGivesUncheckedSelectedRow) {
  TestEditor t;
  Load(t, 2);
  t.rows.SetRowState(1, {true, false});
  SyncVisibility(t.ed);
  SelectRows(t.rows, {1});
  CloneSelected(t.ed);
  EXPECT_EQ(t.doc.CData.front()->Visible, 0);
  EXPECT_TRUE(t.rows.GetRowState(0).selected);
  EXPECT_FALSE(t.rows.GetRowState(0).checked);
  EXPECT_TRUE(t.RowsMirrorDocument());
}

TEST(CloneTest, NothingSelectedOrDrawingChangesNothing) {
  TestEditor t;
  Load(t, 2);
  t.rows.SelectOnly(-1);
  CloneSelected(t.ed);
  EXPECT_EQ(t.doc.CData.size(), 2);
  SelectRows(t.rows, {0});
  StartItem(t.ed, 50, 50);
  DispatchCommand(t.ed, keys::kClone);
  DispatchCommand(t.ed, keys::kHide);
  DispatchCommand(t.ed, keys::kDelete);
  EXPECT_EQ(t.doc.CData.size(), 3);
  EXPECT_EQ(t.doc.CData.at(1)->Visible, 1);
  EXPECT_EQ(t.rows.RowCount(), 2);
  EXPECT_EQ(t.redraws, 1);  // the press only
}

TEST(DeleteTest, DeletesSelectedRowsAndItems) {
  TestEditor t;
  Load(t, 4);
  SelectRows(t.rows, {0, 2});
  DeleteSelected(t.ed);
  EXPECT_EQ(Names(t), Expect({1, 3}));
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_TRUE(t.rows.SelectedRows().empty());
  EXPECT_EQ(t.redraws, 1);
  DeleteSelected(t.ed);
  EXPECT_EQ(t.redraws, 1);
  SelectRows(t.rows, {0, 1});
  DeleteSelected(t.ed);
  EXPECT_EQ(t.doc.CData.size(), 0);
  EXPECT_EQ(t.rows.RowCount(), 0);
  EXPECT_EQ(t.redraws, 2);
}

// Drags the first selected row and drops it on `target` (-1: below the
// last row); the drop selects only the row under the pointer first.
bool DragAndDrop(TestEditor& t, int target) {
  PendingDrag drag;
  if (!RowDragStart(t.ed, drag)) return false;
  t.rows.SelectOnly(target);
  return RowDrop(t.ed, drag, "Line");
}

TEST(RowDropTest, MovesDownBehindAndUpInFront) {
  TestEditor t;
  Load(t, 4);
  SelectRows(t.rows, {0});
  EXPECT_TRUE(DragAndDrop(t, 2));
  EXPECT_EQ(Names(t), Expect({1, 2, 0, 3}));
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(t.rows.RowText(2), "Line");
  EXPECT_EQ(t.redraws, 1);

  TestEditor u;
  Load(u, 4);
  SelectRows(u.rows, {3});
  EXPECT_TRUE(DragAndDrop(u, 1));
  EXPECT_EQ(Names(u), Expect({0, 3, 1, 2}));
  EXPECT_TRUE(u.RowsMirrorDocument());
  EXPECT_EQ(u.rows.RowText(1), "Ellipse");  // the row keeps its own label
}

TEST(RowDropTest, MovedRowKeepsItsCheckMark) {
  TestEditor t;
  Load(t, 3);
  t.rows.SetRowState(0, {true, false});
  SyncVisibility(t.ed);
  EXPECT_TRUE(DragAndDrop(t, 2));
  EXPECT_EQ(Names(t), Expect({1, 2, 0}));
  EXPECT_FALSE(t.rows.GetRowState(2).checked);
  EXPECT_TRUE(t.rows.GetRowState(2).selected);
  EXPECT_TRUE(t.RowsMirrorDocument());
}

TEST(RowDropTest, OnItselfOrBelowTheListMovesNothing) {
  TestEditor t;
  Load(t, 4);
  SelectRows(t.rows, {1});
  EXPECT_FALSE(DragAndDrop(t, 1));
  EXPECT_EQ(Names(t), Expect({0, 1, 2, 3}));
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(t.redraws, 0);
  EXPECT_FALSE(DragAndDrop(t, -1));
  EXPECT_EQ(Names(t), Expect({0, 1, 2, 3}));
  EXPECT_TRUE(t.rows.SelectedRows().empty());
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.redraws, 0);
}

TEST(RowDropTest, FirstSelectedRowIsTheOneDragged) {
  TestEditor t;
  Load(t, 4);
  SelectRows(t.rows, {1, 3});
  EXPECT_TRUE(DragAndDrop(t, 3));
  EXPECT_EQ(Names(t), Expect({0, 2, 3, 1}));
  EXPECT_TRUE(t.RowsMirrorDocument());
}

TEST(RowDropTest, StaleOrMissingDragMovesNothing) {
  TestEditor t;
  Load(t, 4);
  // A drop with no drag pending (text from another program).
  PendingDrag none;
  t.rows.SelectOnly(2);
  EXPECT_FALSE(RowDrop(t.ed, none, "Line"));
  EXPECT_EQ(Names(t), Expect({0, 1, 2, 3}));

  // The dragged row was deleted after the drag started.
  PendingDrag drag;
  SelectRows(t.rows, {0});
  ASSERT_TRUE(RowDragStart(t.ed, drag));
  DeleteSelected(t.ed);
  t.rows.SelectOnly(1);
  const int redraws = t.redraws;
  EXPECT_FALSE(RowDrop(t.ed, drag, "Line"));
  EXPECT_EQ(drag.row, -1);
  EXPECT_EQ(Names(t), Expect({1, 2, 3}));
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.redraws, redraws);

  // The row index still exists but now holds another item.
  SelectRows(t.rows, {1});
  ASSERT_TRUE(RowDragStart(t.ed, drag));
  SelectRows(t.rows, {0});
  DeleteSelected(t.ed);
  t.rows.SelectOnly(0);
  EXPECT_FALSE(RowDrop(t.ed, drag, "Line"));
  EXPECT_EQ(Names(t), Expect({2, 3}));
  EXPECT_TRUE(t.RowsMirrorDocument());

  // Nothing selected: no drag starts.
  t.rows.SelectOnly(-1);
  EXPECT_FALSE(RowDragStart(t.ed, drag));
  EXPECT_EQ(drag.row, -1);
}

}  // namespace
}  // namespace twk::test
