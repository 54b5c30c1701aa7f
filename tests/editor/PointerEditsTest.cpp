// Moving items and reshaping one as undoable steps, compared as whole records.

#include <gtest/gtest.h>

#include "editor/ItemCommands.h"
#include "editor/PointerEdits.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

std::vector<TWKDATA> Records(const TWKFILE& doc) {
  std::vector<TWKDATA> out;
  for (int i = 0; i < doc.CData.size(); ++i) out.push_back(*doc.CData.at(i));
  return out;
}

struct PointerEditsTest : ::testing::Test {
  TestEditor t;
  void SetUp() override {
    t.doc.CData.append(MakeItem(kLine, 0));
    t.doc.CData.append(MakeItem(kCurve, 1));
    t.doc.CData.append(MakeItem(kEllipse, 2));
    RebuildRowsFromDocument(t.ed);
  }
  TWKDATA* Item(int i) { return t.doc.CData.at(i); }
};

TEST_F(PointerEditsTest, MoveIsOneStepThatUndoesExactly) {
  const std::vector<TWKDATA> before = Records(t.doc);
  std::vector<TWKDATA> moved = before;
  for (int i : {1, 2}) {
    TWKDATA& it = moved[i];
    it.X1 += 0.125f, it.Y1 -= 0.25f, it.X3 += 0.125f, it.Y3 -= 0.25f, it.X4 += 0.125f, it.Y4 -= 0.25f;
  }
  moved[1].X2 += 0.125f, moved[1].Y2 -= 0.25f;  // the ellipse keeps its arc angles in X2, Y2
  RunEdit(t.ed, MoveRowsBy(t.doc, {1, 2, 2}, 0.125f, -0.25f));
  EXPECT_EQ(Records(t.doc), moved);
  EXPECT_EQ(t.redraws, 1);
  ASSERT_TRUE(t.history.Undo(t.ed));
  EXPECT_EQ(Records(t.doc), before);
  ASSERT_TRUE(t.history.Redo(t.ed));
  EXPECT_EQ(Records(t.doc), moved);
  EXPECT_EQ(t.history.undoCount(), 1u);
  EXPECT_EQ(MoveRowsBy(t.doc, {0}, 0, 0), nullptr);
  EXPECT_EQ(MoveRowsBy(t.doc, {}, 1, 1), nullptr);
  EXPECT_EQ(MoveRowsBy(t.doc, {3}, 1, 1), nullptr);
}

TEST_F(PointerEditsTest, ReshapeGivesTheItemItsNewValueAndBack) {
  const std::vector<TWKDATA> before = Records(t.doc);
  TWKDATA reshaped = *Item(1);
  reshaped.X3 = 9.125f, reshaped.Y3 = 0.5f;
  RunEdit(t.ed, ReshapeRow(t.doc, 1, reshaped));
  std::vector<TWKDATA> after = before;
  after[1] = reshaped;
  EXPECT_EQ(Records(t.doc), after);
  ASSERT_TRUE(t.history.Undo(t.ed));
  EXPECT_EQ(Records(t.doc), before);
  EXPECT_EQ(ReshapeRow(t.doc, 1, *Item(1)), nullptr);
}

}  // namespace
}  // namespace twk::test
