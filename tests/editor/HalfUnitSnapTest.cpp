// Drawing with Shift: points snap to the half-unit grid, cell corners as
// well as centres, at the press and its moves, and when a point is fixed
// with Shift+1, 2 or 3.
#include <gtest/gtest.h>

#include "TestEditor.h"
#include "editor/Construction.h"

namespace twk {
namespace {

using test::TestEditor;

TEST(HalfUnitSnap, PointsGoToTheNearestCornerOrCentre) {
  struct Case {
    int px, py;
    float ppu;
    DocPoint expected;
  } cases[] = {
      {41, 59, 20, {2.0f, 3.0f}},     // near corners
      {49, 51, 20, {2.5f, 2.5f}},     // near a centre
      {15, 5, 20, {1.0f, 0.5f}},      // three quarters and one: ties go up
      {-6, 0, 20, {-0.5f, 0.0f}},     // not clamped
      {31, 31, 25, {1.0f, 1.0f}},     // 1.24 units at scale 1.25
  };
  for (const Case& c : cases) {
    const DocPoint p = HalfUnitPoint(c.px, c.py, c.ppu, c.ppu);
    EXPECT_EQ(p.x, c.expected.x) << c.px;
    EXPECT_EQ(p.y, c.expected.y) << c.py;
  }
}

TEST(HalfUnitSnap, AShiftPressSnapsTheItemAndShiftKeysFixOnCorners) {
  TestEditor t;
  StartItem(t.ed, 41, 59, PointSnap::kHalfUnits);
  FollowPointer(t.ed, 159, 101);
  TWKDATA* item = t.doc.CData.front();
  EXPECT_EQ(item->X1, 2.0f);
  EXPECT_EQ(item->Y1, 3.0f);
  EXPECT_EQ(item->X4, 8.0f);
  EXPECT_EQ(item->Y4, 5.0f);
  FinishItem(t.ed);

  // A plain press keeps to cell centres; Shift+2 fixes the control point
  // at the corner the pointer is nearest, Shift+1 the start.
  StartItem(t.ed, 41, 59);
  FollowPointer(t.ed, 99, 61);
  item = t.doc.CData.front();
  EXPECT_EQ(item->X4, 4.5f);
  EXPECT_EQ(item->Y4, 3.5f);
  FixFirstControlPointOnHalfUnits(t.ed);
  FixStartPointOnHalfUnits(t.ed);
  TWKDATA expected = *item;
  expected.Type = kCurve;
  expected.X1 = expected.X2 = expected.X3 = expected.X4 = 5.0f;
  expected.Y1 = expected.Y2 = expected.Y3 = expected.Y4 = 3.0f;
  EXPECT_EQ(*item, expected);
}

}  // namespace
}  // namespace twk
