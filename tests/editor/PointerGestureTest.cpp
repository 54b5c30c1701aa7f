// A Ctrl press, drag and release on the canvas, seen from the editor: what
// it selects, where the items go on the arrow keys' grid, and what a
// release or Esc leaves behind.

#include <gtest/gtest.h>

#include "editor/ItemCommands.h"
#include "editor/PointerGesture.h"
#include "render/PaintedItemLocator.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

// Canvas pixels at 20 a unit: the pixel holding the document point (x, y).
int Px(double units) { return static_cast<int>(units * 20); }

struct PointerGestureTest : ::testing::Test {
  TestEditor t;
  PointerGesture gesture{PaintedItemLocator()};
  TWKDATA line, box;
  void SetUp() override {
    line = MakeItem(kLine, 0);
    line.X1 = 2.5f, line.Y1 = 2.5f, line.X4 = 9.5f, line.Y4 = 2.5f;
    box = MakeItem(kRect, 1);
    box.DrawMethod = kFill;
    box.X1 = 2.5f, box.Y1 = 6.5f, box.X4 = 9.5f, box.Y4 = 12.5f;
    box.DrawAngle = line.DrawAngle = 0;
    t.doc.CData.append(line);
    t.doc.CData.append(box);
    RebuildRowsFromDocument(t.ed);
  }
  void Drag(double x0, double y0, double x1, double y1, bool toggle = false) {
    gesture.Press(t.ed, Px(x0), Px(y0), toggle);
    gesture.Follow(t.ed, Px(x1), Px(y1));
    gesture.Release(t.ed);
  }
  TWKDATA Record(int i) const { return *t.doc.CData.at(i); }
};

TEST_F(PointerGestureTest, AMoveFollowsThePointerOnTheKeysGrid) {
  // 0.3 and 0.2 units of pointer travel: the nearest steps of 0.125.
  Drag(6, 9, 6.3, 9.2);
  TWKDATA moved = box;
  moved.X1 += 0.25f, moved.X2 += 0.25f, moved.X3 += 0.25f, moved.X4 += 0.25f;
  moved.Y1 += 0.25f, moved.Y2 += 0.25f, moved.Y3 += 0.25f, moved.Y4 += 0.25f;
  EXPECT_EQ(Record(1), moved);
  EXPECT_EQ(Record(0), line);
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(t.history.undoCount(), 1u);
}

TEST_F(PointerGestureTest, AClickOnOneOfSeveralSelectedKeepsOnlyIt) {
  SelectRows(t.rows, {0, 1});
  Drag(6, 9, 6, 9);
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(t.history.undoCount(), 0u);
  // With Shift a click on nothing leaves the selection as it is.
  Drag(14, 14, 14, 14, true);
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{1});
}

TEST_F(PointerGestureTest, EscPutsAReshapeBackAndLeavesNoStep) {
  SelectRows(t.rows, {0});
  gesture.Press(t.ed, Px(9.5), Px(2.5), false);  // the line's end handle
  gesture.Follow(t.ed, Px(12.5), Px(4.5));
  // The centre of the pixel under the pointer, on the grid of 0.125.
  EXPECT_EQ(std::make_pair(Record(0).X4, Record(0).Y4), std::make_pair(12.5f, 4.5f));
  EXPECT_TRUE(gesture.Cancel(t.ed));
  EXPECT_EQ(Record(0), line);
  EXPECT_FALSE(gesture.Active());
  EXPECT_EQ(t.history.undoCount(), 0u);
}

TEST_F(PointerGestureTest, AnEllipsesCentreHandleMovesTheWholeEllipse) {
  TWKDATA circle = MakeItem(kEllipse, 2);
  circle.X1 = 12.5f, circle.Y1 = 9.5f, circle.X4 = 13.5f, circle.Y4 = 10.5f;
  circle.X2 = 30, circle.Y2 = 300, circle.DrawAngle = 0;
  t.doc.CData.append(circle);
  RebuildRowsFromDocument(t.ed);
  SelectRows(t.rows, {2});
  Drag(12.5, 9.5, 13.5, 9);  // one unit right, half a unit up
  TWKDATA moved = circle;
  moved.X1 += 1, moved.X4 += 1, moved.Y1 -= 0.5f, moved.Y4 -= 0.5f;
  EXPECT_EQ(Record(2), moved);
}

}  // namespace
}  // namespace twk::test
