// Undo and redo on in-memory rows: every kind of command reverts exactly,
// rows, labels, check marks and selection included, and applies again;
// repeated keys fold into one step; a new change drops the redo steps; the
// history keeps the last thousand steps.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "editor/ClipboardCommands.h"
#include "editor/Construction.h"
#include "editor/ItemCommands.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/LoadDocument.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

// Everything undo promises to restore, as one comparable record. Rows are
// stated by the position of their item in CData, so a row that points at
// another item, or an item that came back as a copy, shows.
struct Snapshot {
  std::string savePath;
  float w = 0, h = 0;
  std::vector<TWKDATA> items;
  std::vector<const TWKDATA*> addresses;
  struct Row {
    std::string text;
    int item;
    bool selected;
    bool checked;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> rows;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TestEditor& t) {
  Snapshot s{t.savePath, t.doc.TWKW, t.doc.TWKH, {}, {}, {}};
  for (int i = 0; i < t.doc.CData.size(); ++i) {
    s.items.push_back(*t.doc.CData.at(i));
    s.addresses.push_back(t.doc.CData.at(i));
  }
  for (int r = 0; r < t.rows.RowCount(); ++r) {
    const RowState state = t.rows.GetRowState(r);
    s.rows.push_back({t.rows.RowText(r), t.doc.CData.indexOf(t.rows.RowItem(r)), state.selected, state.checked});
  }
  return s;
}

// Four items, the third hidden, rows 1 and 3 selected; no step yet.
void FourItems(TestEditor& t) {
  for (int i = 0; i < 4; ++i) t.doc.CData.append(MakeItem(i % 4, i));
  t.doc.CData.at(2)->Visible = 0;
  RebuildRowsFromDocument(t.ed);
  SelectRows(t.rows, {1, 3});
  t.rows.InsertRow(0, "");  // labels must come back as they were, not anew
  t.rows.RemoveRow(0);
}

// The drag of row `from` (the only selected row) onto row `to`.
void DragOnto(TestEditor& t, int to) {
  PendingDrag drag;
  ASSERT_TRUE(RowDragStart(t.ed, drag));
  t.rows.SelectOnly(to);  // the drop selects the row under the pointer
  RowDrop(t.ed, drag, "Line");
}

// A loaded document of three items, the middle one hidden.
TWKFILE Loaded() {
  TWKFILE doc;
  doc.TWKW = 24;
  doc.TWKH = 20;
  for (int i = 0; i < 3; ++i) doc.CData.append(MakeItem(kRect, 10 + i));
  doc.CData.at(1)->Visible = 0;
  return doc;
}

// What a failed load leaves: no items, 0 x 0.
TWKFILE Emptied() {
  TWKFILE doc;
  doc.TWKW = 0;
  doc.TWKH = 0;
  return doc;
}

// The tool settings, which undo leaves alone.
auto Tools(const EditorState& s) {
  return std::make_tuple(s.CurType, s.CurDrawMethod, s.CurDrawMethod2, s.CurDrawWidth, s.CurAlpha, s.CurRGB);
}

struct Action {
  const char* name;
  std::vector<int> selection;  // the rows selected when the step begins
  std::function<void(TestEditor&)> run;
};

const Action kActions[] = {
    {"rotate key", {1, 3}, [](TestEditor& t) { DispatchCommand(t.ed, keys::kD); }},
    {"width key", {1, 3}, [](TestEditor& t) { DispatchCommand(t.ed, keys::kPadPlus); }},
    {"move all", {}, [](TestEditor& t) { DispatchCommand(t.ed, keys::kLeft); }},
    {"hide", {1, 3}, [](TestEditor& t) { SetSelectedVisibility(t.ed, false); }},
    {"show", {2, 3}, [](TestEditor& t) { SetSelectedVisibility(t.ed, true); }},
    {"check box", {1}, [](TestEditor& t) { t.rows.SetRowState(0, {false, false}); SyncVisibility(t.ed); }},
    {"clone", {1, 3}, [](TestEditor& t) { CloneSelected(t.ed); }},
    {"delete", {1, 3}, [](TestEditor& t) { DeleteSelected(t.ed); }},
    {"cut", {1, 2}, [](TestEditor& t) { (void)CopySelected(t.ed); DeleteSelected(t.ed); }},
    {"paste", {1, 3}, [](TestEditor& t) {
       ItemStore pasted;
       pasted.append(MakeItem(kRect, 7))->Visible = 0;
       pasted.append(MakeItem(kLine, 8));
       PasteItems(t.ed, pasted);
     }},
    {"delete key", {0, 1, 2}, [](TestEditor& t) { DispatchCommand(t.ed, keys::kDelete); }},
    {"drop down", {0}, [](TestEditor& t) { DragOnto(t, 2); }},
    {"drop up", {3}, [](TestEditor& t) { DragOnto(t, 1); }},
    {"size key", {1}, [](TestEditor& t) { DispatchCommand(t.ed, keys::kPad4); }},
    {"load", {1, 3}, [](TestEditor& t) { LoadAsStep(t.ed, Loaded(), "new.twk"); }},
    {"failed load", {1, 3}, [](TestEditor& t) { LoadAsStep(t.ed, Emptied(), t.savePath); }},
    {"drawing", {1, 3}, [](TestEditor& t) {
       StartItem(t.ed, 50, 50);
       FollowPointer(t.ed, 120, 90);
       FixFirstControlPoint(t.ed);
       FollowPointer(t.ed, 200, 150);
       DispatchCommand(t.ed, keys::kM);  // the tool setting goes into the drawing
       FinishItem(t.ed);
     }},
};

TEST(EditHistoryTest, EveryCommandUndoesAndRedoesAsOneStepWithOneReport) {
  for (const Action& action : kActions) {
    SCOPED_TRACE(action.name);
    TestEditor t;
    FourItems(t);
    t.rows.SelectOnly(-1);
    for (int row : action.selection) t.rows.SetRowState(row, {true, t.rows.GetRowState(row).checked});
    const Snapshot before = Take(t);
    action.run(t);
    const Snapshot after = Take(t);
    ASSERT_NE(after, before);
    ASSERT_EQ(t.history.undoCount(), 1u);
    ASSERT_TRUE(t.RowsMirrorDocument());

    const int reports = t.redraws;
    const auto tools = Tools(t.state);
    UndoCommand(t.ed);
    EXPECT_EQ(t.redraws, reports + 1);
    EXPECT_EQ(Take(t), before);
    EXPECT_EQ(Tools(t.state), tools);

    RedoCommand(t.ed);
    EXPECT_EQ(t.redraws, reports + 2);
    EXPECT_EQ(Take(t), after);
    EXPECT_EQ(t.history.undoCount(), 1u);
    EXPECT_EQ(t.history.redoCount(), 0u);
  }
}

TEST(EditHistoryTest, UndoRestoresTheSelectionTheStepFound) {
  TestEditor t;
  FourItems(t);
  DeleteSelected(t.ed);                  // rows 1 and 3 go
  SelectRows(t.rows, {0});
  DragOnto(t, 1);                        // selected {0} at the drag's start
  SelectRows(t.rows, {});
  UndoCommand(t.ed);
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{0});
  UndoCommand(t.ed);
  EXPECT_EQ(t.rows.SelectedRows(), (std::vector<int>{1, 3}));
  RedoCommand(t.ed);
  EXPECT_TRUE(t.rows.SelectedRows().empty());  // the deleted rows are gone again
  EXPECT_EQ(t.rows.RowCount(), 2);
}

TEST(EditHistoryTest, ALoadKeepsEveryEarlierStepGood) {
  TestEditor t;
  FourItems(t);
  const Snapshot start = Take(t);
  DeleteSelected(t.ed);
  SelectRows(t.rows, {0});
  CloneSelected(t.ed);
  DragOnto(t, 2);
  DispatchCommand(t.ed, keys::kRight);
  const Snapshot edited = Take(t);

  LoadAsStep(t.ed, Loaded(), "new.twk");
  EXPECT_EQ(t.history.undoCount(), 5u);
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(t.grids.back(), std::make_pair(24, 20));
  EXPECT_EQ(t.savePath, "new.twk");
  const Snapshot loaded = Take(t);

  // The steps before the load still find their items, back to the start.
  while (t.history.undoCount() > 0) UndoCommand(t.ed);
  EXPECT_EQ(Take(t), start);
  while (t.history.redoCount() > 1) RedoCommand(t.ed);
  EXPECT_EQ(Take(t), edited);
  EXPECT_EQ(t.grids.back(), std::make_pair(16, 16));
  RedoCommand(t.ed);
  EXPECT_EQ(Take(t), loaded);
}

TEST(EditHistoryTest, TheSameKeyOnTheSameSelectionIsOneStep) {
  TestEditor t;
  FourItems(t);
  const Snapshot start = Take(t);
  for (int i = 0; i < 5; ++i) DispatchCommand(t.ed, keys::kRight);   // one step
  DispatchCommand(t.ed, keys::kUp);                                   // another key
  DispatchCommand(t.ed, keys::kUp);
  SelectRows(t.rows, {0});
  DispatchCommand(t.ed, keys::kUp);                                   // another selection
  for (int i = 0; i < 3; ++i) DispatchCommand(t.ed, keys::kPad4);     // size keys fold too
  EXPECT_EQ(t.history.undoCount(), 4u);
  EXPECT_EQ(t.doc.TWKW, 13.0f);
  UndoCommand(t.ed);
  EXPECT_EQ(t.doc.TWKW, 16.0f);
  UndoCommand(t.ed);
  UndoCommand(t.ed);
  EXPECT_EQ(t.doc.CData.at(1)->X1, start.items[1].X1 + 5 * 0.125f);
  EXPECT_EQ(t.doc.CData.at(1)->Y1, start.items[1].Y1);
  UndoCommand(t.ed);
  EXPECT_EQ(Take(t), start);
  // After an undo the same key starts a step of its own.
  DispatchCommand(t.ed, keys::kRight);
  UndoCommand(t.ed);
  DispatchCommand(t.ed, keys::kRight);
  DispatchCommand(t.ed, keys::kRight);
  EXPECT_EQ(t.history.undoCount(), 1u);
}

// Repeats of a key that change different items of the selection (item 1
// already has one of the widths) still undo to the start as one step.
TEST(EditHistoryTest, RepeatsOfAKeyOnDifferentItemsAreOneStep) {
  for (const float ahead : {0.25f, 0.5f}) {  // the later press adds item 1, or leaves it
    SCOPED_TRACE(ahead);
    TestEditor t;
    FourItems(t);
    t.doc.CData.at(1)->DrawWidth = t.state.CurDrawWidth + ahead;
    const Snapshot start = Take(t);
    DispatchCommand(t.ed, keys::kPadPlus);
    DispatchCommand(t.ed, keys::kPadPlus);
    const Snapshot after = Take(t);
    ASSERT_EQ(t.history.undoCount(), 1u);
    UndoCommand(t.ed);
    EXPECT_EQ(Take(t), start);
    RedoCommand(t.ed);
    EXPECT_EQ(Take(t), after);
  }
}

TEST(EditHistoryTest, ANewChangeDropsTheRedoSteps) {
  TestEditor t;
  FourItems(t);
  DispatchCommand(t.ed, keys::kD);
  DispatchCommand(t.ed, keys::kA);
  UndoCommand(t.ed);
  UndoCommand(t.ed);
  EXPECT_EQ(t.history.redoCount(), 2u);
  CloneSelected(t.ed);
  EXPECT_EQ(t.history.redoCount(), 0u);
  const Snapshot now = Take(t);
  RedoCommand(t.ed);
  EXPECT_EQ(Take(t), now);
  EXPECT_EQ(t.history.undoCount(), 1u);
}

TEST(EditHistoryTest, KeepsTheLastThousandSteps) {
  TestEditor t;
  t.doc.CData.append(MakeItem(kLine, 0));
  RebuildRowsFromDocument(t.ed);
  // Keys that alternate never fold: ten size steps, then 1,000 turns.
  for (int i = 0; i < 10; ++i) DispatchCommand(t.ed, i % 2 ? keys::kPad8 : keys::kPad4);
  for (int i = 0; i < 1000; ++i) DispatchCommand(t.ed, i % 2 ? keys::kA : keys::kD);
  EXPECT_EQ(t.history.undoCount(), 1000u);
  while (t.history.undoCount() > 0) UndoCommand(t.ed);
  // The turns are undone; the size steps beyond the thousand stay.
  EXPECT_EQ(t.doc.CData.at(0)->DrawAngle, 0.0f);
  EXPECT_EQ(t.doc.TWKW, 11.0f);
  EXPECT_EQ(t.doc.TWKH, 11.0f);
  EXPECT_EQ(t.history.redoCount(), 1000u);
}

// Whether the document is saved after each step of a script: S saves,
// d and a are the rotate keys (d again on the same selection folds into
// the same step), u undoes, r redoes, c forgets the history.
TEST(EditHistoryTest, SavedFollowsTheCleanIndex) {
  const struct {
    const char* script;
    const char* saved;
  } cases[] = {
      {"Sdur", "1010"},
      {"dSur", "0101"},
      {"Sdud", "1010"},    // a new step from the saved state leaves it
      {"dSudu", "01000"},  // the saved state's step was dropped for another
      {"dSdur", "01000"},  // a fold into the step that reached it goes past it
      {"dSadu", "01000"},
      {"Sdc", "100"},
  };
  for (const auto& c : cases) {
    TestEditor t;
    t.doc.CData.append(MakeItem(kLine, 0));
    RebuildRowsFromDocument(t.ed);
    std::string saved;
    for (const char* op = c.script; *op; ++op) {
      switch (*op) {
        case 'S': t.ed.MarkSaved(); break;
        case 'd': DispatchCommand(t.ed, keys::kD); break;
        case 'a': DispatchCommand(t.ed, keys::kA); break;
        case 'u': UndoCommand(t.ed); break;
        case 'r': RedoCommand(t.ed); break;
        case 'c': t.history.Clear(); break;
      }
      saved += t.ed.saved() ? '1' : '0';
    }
    EXPECT_EQ(saved, c.saved) << c.script;
  }
}

TEST(EditHistoryTest, TheSavedStepStaysFoundWhenTheOldestStepsGo) {
  TestEditor t;
  t.doc.CData.append(MakeItem(kLine, 0));
  RebuildRowsFromDocument(t.ed);
  DispatchCommand(t.ed, keys::kPad4);
  t.ed.MarkSaved();
  // A thousand more steps: the first goes, the saved state is one nearer.
  for (int i = 0; i < 1000; ++i) DispatchCommand(t.ed, i % 2 ? keys::kA : keys::kD);
  while (t.history.undoCount() > 1) UndoCommand(t.ed);
  EXPECT_FALSE(t.ed.saved());
  UndoCommand(t.ed);
  EXPECT_TRUE(t.ed.saved());
}

TEST(EditHistoryTest, UndoWhileDrawingCancelsTheDrawingOnly) {
  TestEditor t;
  FourItems(t);
  DispatchCommand(t.ed, keys::kD);
  const Snapshot before = Take(t);
  StartItem(t.ed, 50, 50);
  FollowPointer(t.ed, 120, 90);
  DispatchCommand(t.ed, keys::kRedo);  // refused while drawing
  UndoCommand(t.ed);
  EXPECT_FALSE(t.state.Constructing);
  EXPECT_EQ(Take(t), before);
  EXPECT_EQ(t.history.undoCount(), 1u);
}

}  // namespace
}  // namespace twk::test
