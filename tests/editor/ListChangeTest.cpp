// The item list reports which rows came and went, so a view can follow each
// piece instead of reading every row again: for every edit, its undo and its
// redo, the reported pieces are the expected ones, and applied to the rows
// as they stood they give the rows as they are.

#include <gtest/gtest.h>

#include <functional>

#include "editor/ListFollower.h"
#include "editor/ClipboardCommands.h"
#include "editor/ItemCommands.h"
#include "editor/LoadDocument.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

using Kind = RowEdit::Kind;

// Collects every report of the list.
struct Reports {
  explicit Reports(ItemList& rows) : follower(rows, [this](const ListChange& c) { changes.push_back(c); }) {}
  std::vector<ListChange> changes;
  ItemListFollower follower;
};

std::vector<TWKDATA*> RowItems(const ItemList& rows) {
  std::vector<TWKDATA*> items;
  for (int r = 0; r < rows.RowCount(); ++r) items.push_back(rows.RowItem(r));
  return items;
}

// The rows `before` with the pieces of `change` applied; a row that came is
// taken from `after`, so only the rows that stayed are checked for place.
std::vector<TWKDATA*> Replay(std::vector<TWKDATA*> before, const ListChange& change,
                             const std::vector<TWKDATA*>& after) {
  for (const RowEdit& edit : change.edits) {
    if (edit.first < 0 || edit.first > static_cast<int>(before.size())) return {};
    const auto at = before.begin() + edit.first;
    if (edit.kind == Kind::kRemoved) {
      if (edit.first + edit.count > static_cast<int>(before.size())) return {};
      before.erase(at, at + edit.count);
    } else {
      before.insert(at, static_cast<std::size_t>(edit.count), nullptr);
    }
  }
  for (std::size_t r = 0; r < before.size() && r < after.size(); ++r) {
    if (!before[r]) before[r] = after[r];
  }
  return before;
}

void SixItems(TestEditor& t) {
  for (int i = 0; i < 6; ++i) t.doc.CData.append(MakeItem(i % 4, i));
  RebuildRowsFromDocument(t.ed);
}

TWKFILE TwoItems() {
  TWKFILE doc;
  doc.CData.append(MakeItem(kRect, 10));
  doc.CData.append(MakeItem(kLine, 11));
  return doc;
}

struct Case {
  const char* name;
  std::vector<int> selection;
  std::function<void(TestEditor&)> run;
  std::vector<RowEdit> done;    // the edit and its redo
  std::vector<RowEdit> undone;  // its undo
  bool refilled = false;        // all three read every row again
};

const Case kCases[] = {
    {"delete a run", {2, 3, 4}, [](TestEditor& t) { DeleteSelected(t.ed); },
     {{Kind::kRemoved, 2, 3}}, {{Kind::kInserted, 2, 3}}},
    {"delete two apart", {1, 4}, [](TestEditor& t) { DeleteSelected(t.ed); },
     {{Kind::kRemoved, 4, 1}, {Kind::kRemoved, 1, 1}}, {{Kind::kInserted, 1, 1}, {Kind::kInserted, 4, 1}}},
    {"delete all", {0, 1, 2, 3, 4, 5}, [](TestEditor& t) { DeleteSelected(t.ed); },
     {{Kind::kRemoved, 0, 6}}, {{Kind::kInserted, 0, 6}}},
    {"clone", {1, 3}, [](TestEditor& t) { CloneSelected(t.ed); },
     {{Kind::kInserted, 0, 2}}, {{Kind::kRemoved, 0, 2}}},
    {"paste", {5}, [](TestEditor& t) { PasteItems(t.ed, TwoItems().CData); },
     {{Kind::kInserted, 0, 2}}, {{Kind::kRemoved, 0, 2}}},
    {"cut", {0, 1}, [](TestEditor& t) { (void)CopySelected(t.ed); DeleteSelected(t.ed); },
     {{Kind::kRemoved, 0, 2}}, {{Kind::kInserted, 0, 2}}},
    {"drop down", {3}, [](TestEditor& t) {
       // Row 0 was dragged; the drop has selected row 3, under the pointer.
       PendingDrag drag{0, t.rows.RowItem(0), {}};
       RowDrop(t.ed, drag, "Line");
     },
     {{Kind::kRemoved, 0, 1}, {Kind::kInserted, 3, 1}}, {{Kind::kRemoved, 3, 1}, {Kind::kInserted, 0, 1}}},
    {"load", {1}, [](TestEditor& t) { LoadAsStep(t.ed, TwoItems(), "new.twk"); }, {}, {}, true},
};

TEST(ListChangeTest, EachEditUndoAndRedoNamesTheRowsThatCameAndWent) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TestEditor t;
    SixItems(t);
    SelectRows(t.rows, {});
    for (int row : c.selection) t.rows.SetRowState(row, {true, true});
    Reports reports(t.rows);
    const std::function<void(TestEditor&)> steps[] = {c.run, [](TestEditor& e) { UndoCommand(e.ed); },
                                                      [](TestEditor& e) { RedoCommand(e.ed); }};
    const std::vector<RowEdit>* expected[] = {&c.done, &c.undone, &c.done};
    for (int s = 0; s < 3; ++s) {
      SCOPED_TRACE(s);
      const std::vector<TWKDATA*> before = RowItems(t.rows);
      reports.changes.clear();
      steps[s](t);
      ASSERT_EQ(reports.changes.size(), 1u);
      const ListChange& change = reports.changes.front();
      EXPECT_TRUE(change.rows);
      EXPECT_EQ(change.refilled, c.refilled);
      EXPECT_EQ(change.edits, *expected[s]);
      if (!c.refilled) EXPECT_EQ(Replay(before, change, RowItems(t.rows)), RowItems(t.rows));
    }
  }
}

TEST(ListChangeTest, ACheckMarkNamesItsRowAlone) {
  TestEditor t;
  SixItems(t);
  Reports reports(t.rows);
  t.rows.SetChecked(3, false);
  ListChange expected;
  expected.checks = true;
  expected.checked = RowBlock{3, 3};
  EXPECT_EQ(reports.changes, std::vector<ListChange>{expected});
}

TEST(ListChangeTest, CheckedRowsFollowRowsThatCameAndWentBeforeTheReport) {
  TestEditor t;
  SixItems(t);
  Reports reports(t.rows);
  {
    RowUpdateBatch batch(t.rows);
    t.rows.SetChecked(4, false);
    t.rows.InsertRow(4, "Line");
    t.rows.RemoveRow(0);
    t.rows.InsertRow(6, "Line");
  }
  ASSERT_EQ(reports.changes.size(), 1u);
  EXPECT_EQ(reports.changes.front().checked, (RowBlock{4, 4}));
}

TEST(ListChangeTest, ManyScatteredPiecesAreOneRefill) {
  TestEditor t;
  for (int i = 0; i < 300; ++i) t.doc.CData.append(MakeItem(kLine, i));
  RebuildRowsFromDocument(t.ed);
  std::vector<RowRun> everyOther;
  for (int r = 0; r < 300; r += 2) everyOther.emplace_back(r, r);
  t.rows.Select(everyOther, 0, false);
  Reports reports(t.rows);
  DeleteSelected(t.ed);
  ASSERT_EQ(reports.changes.size(), 1u);
  EXPECT_TRUE(reports.changes.front().refilled);
  EXPECT_TRUE(reports.changes.front().edits.empty());
  EXPECT_EQ(t.rows.RowCount(), 150);
}

}  // namespace
}  // namespace twk::test
