// Drawing items with the mouse and the construction keys 1, 2, 3 and Esc.

#include <gtest/gtest.h>

#include "document/Colour.h"
#include "editor/Construction.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

// A canvas pixel inside the cell whose centre is `c` (at scale 1).
int Px(float c) { return static_cast<int>((c + 0.5f) * kUnitPixels); }

void Press(TestEditor& t, float x, float y) { StartItem(t.ed, Px(x), Px(y)); }
void MoveTo(TestEditor& t, float x, float y) { FollowPointer(t.ed, Px(x), Px(y)); }

TEST(CanvasPointTest, SnapsToCellCentres) {
  EXPECT_FLOAT_EQ(CanvasPoint(0, 0, 20, 20).x, -0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(0, 0, 20, 20).y, -0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(1, 20, 20, 20).x, 0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(1, 20, 20, 20).y, 0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(21, 40, 20, 20).x, 1.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(301, 319, 20, 20).x, 15.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(301, 319, 20, 20).y, 15.5f);
  // Scale 1.25: one unit is 25 pixels.
  const float ppu = kUnitPixels * 1.25f;
  EXPECT_FLOAT_EQ(CanvasPoint(25, 26, ppu, ppu).x, 0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(25, 26, ppu, ppu).y, 1.5f);
  // Each axis has its own scale, and nothing is clamped.
  EXPECT_FLOAT_EQ(CanvasPoint(40, 40, 20, 40).y, 0.5f);
  EXPECT_FLOAT_EQ(CanvasPoint(-21, 400, 20, 20).x, -1.5f);
}

TEST(ArcAngleTest, ClockwiseScreenAngles) {
  float a = -1;
  ASSERT_TRUE(ArcAngle(7.5f, 7.5f, 7.5f, 11.5f, a));
  EXPECT_EQ(a, 90.0f);
  ASSERT_TRUE(ArcAngle(7.5f, 7.5f, 11.5f, 7.5f, a));
  EXPECT_EQ(a, 360.0f);  // straight right is 360, not 0
  ASSERT_TRUE(ArcAngle(7.5f, 7.5f, 3.5f, 7.5f, a));
  EXPECT_EQ(a, 180.0f);
  ASSERT_TRUE(ArcAngle(7.5f, 7.5f, 7.5f, 3.5f, a));
  EXPECT_EQ(a, 270.0f);
  ASSERT_TRUE(ArcAngle(8, 8, 12, 12, a));
  EXPECT_NEAR(a, 45.0f, 1e-4);
  ASSERT_TRUE(ArcAngle(8, 8, 4, 4, a));
  EXPECT_NEAR(a, 225.0f, 1e-4);
}

TEST(ArcAngleTest, RoundsHalfToEvenAndHasNoValueForOnePoint) {
  float a = 123;
  // 7.5 and 8.5 both round to 8: the same point, so no angle.
  EXPECT_FALSE(ArcAngle(7.5f, 7.5f, 8.5f, 8.5f, a));
  EXPECT_EQ(a, 123.0f);
  // 6.5 rounds to 6, 9.5 to 10: a point straight right.
  ASSERT_TRUE(ArcAngle(6.5f, 8.0f, 9.5f, 8.0f, a));
  EXPECT_EQ(a, 360.0f);
}

TEST(ConstructionTest, ClickWithoutMoveCreatesNothing) {
  TestEditor t;
  Press(t, 4.5f, 4.5f);
  EXPECT_TRUE(t.state.Constructing);
  EXPECT_EQ(t.doc.CData.size(), 1);
  EXPECT_EQ(t.state.ConstructionItem, t.doc.CData.front());
  EXPECT_EQ(t.rows.RowCount(), 0);
  FinishItem(t.ed);
  EXPECT_FALSE(t.state.Constructing);
  EXPECT_EQ(t.state.ConstructionItem, nullptr);
  EXPECT_EQ(t.doc.CData.size(), 0);
  EXPECT_EQ(t.rows.RowCount(), 0);
  EXPECT_EQ(t.redraws, 2);
}

TEST(ConstructionTest, PixelZeroStartsOutsideTheArea) {
  TestEditor t;
  StartItem(t.ed, 0, 0);
  ASSERT_EQ(t.doc.CData.size(), 1);
  EXPECT_EQ(t.doc.CData.front()->X1, -0.5f);
  EXPECT_EQ(t.doc.CData.front()->Y1, -0.5f);
}

TEST(ConstructionTest, LineTakesToolSettingsAndIsListedAlone) {
  TestEditor t;
  t.doc.CData.append(MakeItem(kRect, 1));
  t.rows.InsertRow(0, "Rect");
  t.rows.AttachItem(0, t.doc.CData.at(0));
  t.rows.SetRowState(0, {true, true});
  t.state.CurDrawMethod = kDots;
  t.state.CurDrawMethod2 = kRoundEnds;
  t.state.CurDrawWidth = 2.25f;
  t.state.CurAlpha = 190;
  t.state.CurRGB = PackRGBA(10, 20, 30, 0);

  Press(t, 2.5f, 2.5f);
  MoveTo(t, 5.5f, 5.5f);
  MoveTo(t, 9.5f, 6.5f);
  FinishItem(t.ed);

  ASSERT_EQ(t.rows.RowCount(), 2);
  EXPECT_EQ(t.rows.RowText(0), "Line");
  EXPECT_TRUE(t.RowsMirrorDocument());
  EXPECT_EQ(t.rows.SelectedRows(), std::vector<int>{0});
  EXPECT_TRUE(t.rows.GetRowState(0).checked);
  const TWKDATA& line = *t.doc.CData.front();
  EXPECT_EQ(line.Type, kLine);
  EXPECT_EQ(line.DrawMethod, kDots);
  EXPECT_EQ(line.DrawMethod2, kRoundEnds);
  EXPECT_EQ(line.DrawWidth, 2.25f);
  EXPECT_EQ(line.DrawRGBA, PackRGBA(10, 20, 30, 190));
  EXPECT_EQ(line.DrawAngle, 0.0f);
  EXPECT_EQ(line.Visible, 1);
  EXPECT_EQ(line.X1, 2.5f);
  EXPECT_EQ(line.Y1, 2.5f);
  EXPECT_EQ(line.X4, 9.5f);
  EXPECT_EQ(line.Y4, 6.5f);
  EXPECT_EQ(line.X2, 2.5f);  // control points keep the start
  EXPECT_EQ(line.Y3, 2.5f);
  EXPECT_FALSE(t.state.Constructing);
  EXPECT_EQ(t.redraws, 4);  // press, two moves, release
}

TEST(ConstructionTest, MovesRedrawEvenInTheSameCell) {
  TestEditor t;
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 2.5f, 2.5f);
  MoveTo(t, 2.5f, 2.5f);
  EXPECT_EQ(t.redraws, 3);
}

TEST(ConstructionTest, KeyTwoTurnsALineIntoACurve) {
  TestEditor t;
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 6.5f, 3.5f);
  const int before = t.redraws;
  FixFirstControlPoint(t.ed);
  EXPECT_EQ(t.redraws, before + 1);
  EXPECT_EQ(t.state.CurType, kLine);  // only the item becomes a curve
  MoveTo(t, 9.5f, 6.5f);
  FinishItem(t.ed);
  ASSERT_EQ(t.rows.RowCount(), 1);
  EXPECT_EQ(t.rows.RowText(0), "Curve");
  const TWKDATA& curve = *t.doc.CData.front();
  EXPECT_EQ(curve.Type, kCurve);
  EXPECT_EQ(curve.X2, 6.5f);
  EXPECT_EQ(curve.Y2, 3.5f);
  EXPECT_EQ(curve.X3, 9.5f);
  EXPECT_EQ(curve.Y3, 6.5f);
  EXPECT_EQ(curve.X4, 9.5f);
  EXPECT_EQ(curve.Y4, 6.5f);
}

TEST(ConstructionTest, ThreeThenTwoFixesBothControlPoints) {
  TestEditor t;
  Press(t, 1.5f, 1.5f);
  MoveTo(t, 3.5f, 4.5f);
  FixSecondControlPoint(t.ed);
  MoveTo(t, 5.5f, 6.5f);
  FixFirstControlPoint(t.ed);
  MoveTo(t, 10.5f, 11.5f);
  const TWKDATA& curve = *t.doc.CData.front();
  EXPECT_EQ(curve.X3, 3.5f);
  EXPECT_EQ(curve.Y3, 4.5f);
  EXPECT_EQ(curve.X2, 5.5f);
  EXPECT_EQ(curve.Y2, 6.5f);
  EXPECT_EQ(curve.X4, 10.5f);
  EXPECT_EQ(curve.Y4, 11.5f);
  // Fixing again moves the point to the current point.
  FixSecondControlPoint(t.ed);
  EXPECT_EQ(curve.X3, 10.5f);
  EXPECT_EQ(curve.Y3, 11.5f);
}

TEST(ConstructionTest, EllipseArcAnglesFromKeysTwoAndThree) {
  TestEditor t;
  t.state.CurType = kEllipse;
  Press(t, 7.5f, 7.5f);
  const TWKDATA& e = *t.doc.CData.front();
  EXPECT_EQ(e.X2, 0.0f);
  EXPECT_EQ(e.Y2, 360.0f);
  MoveTo(t, 7.5f, 11.5f);
  FixFirstControlPoint(t.ed);
  EXPECT_EQ(e.X2, 90.0f);
  EXPECT_EQ(e.Type, kEllipse);
  MoveTo(t, 11.5f, 7.5f);
  int before = t.redraws;
  FixSecondControlPoint(t.ed);
  EXPECT_EQ(e.Y2, 360.0f);
  EXPECT_EQ(t.redraws, before);  // 360 already: nothing changed
  MoveTo(t, 3.5f, 7.5f);
  FixSecondControlPoint(t.ed);
  EXPECT_EQ(e.Y2, 180.0f);
  EXPECT_EQ(t.redraws, before + 2);
  // The pointer on the rounded centre gives no angle: the old one stays.
  MoveTo(t, 8.5f, 8.5f);
  before = t.redraws;
  FixFirstControlPoint(t.ed);
  EXPECT_EQ(e.X2, 90.0f);
  EXPECT_EQ(t.redraws, before);
  FinishItem(t.ed);
  EXPECT_EQ(t.rows.RowText(0), "Ellipse");
}

TEST(ConstructionTest, RectIgnoresKeysTwoAndThree) {
  TestEditor t;
  t.state.CurType = kRect;
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 6.5f, 7.5f);
  const TWKDATA snapshot = *t.doc.CData.front();
  const int before = t.redraws;
  FixFirstControlPoint(t.ed);
  FixSecondControlPoint(t.ed);
  EXPECT_EQ(*t.doc.CData.front(), snapshot);
  EXPECT_EQ(t.redraws, before);
}

TEST(ConstructionTest, KeyOneThenReleaseWithoutMoveRemovesTheItem) {
  TestEditor t;
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 6.5f, 7.5f);
  FixStartPoint(t.ed);
  EXPECT_EQ(t.doc.CData.front()->X1, 6.5f);
  FinishItem(t.ed);
  EXPECT_EQ(t.doc.CData.size(), 0);
  EXPECT_EQ(t.rows.RowCount(), 0);
}

TEST(ConstructionTest, ZeroLengthTestIgnoresControlPoints) {
  TestEditor t;
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 6.5f, 7.5f);
  FixFirstControlPoint(t.ed);  // now a curve with a control point away
  MoveTo(t, 2.5f, 2.5f);
  FinishItem(t.ed);
  EXPECT_EQ(t.doc.CData.size(), 0);
}

TEST(ConstructionTest, EscCancelsAndTheReleaseDoesNothing) {
  TestEditor t;
  t.doc.CData.append(MakeItem(kLine, 1));
  Press(t, 2.5f, 2.5f);
  MoveTo(t, 6.5f, 7.5f);
  FixFirstControlPoint(t.ed);
  CancelConstruction(t.ed);
  EXPECT_FALSE(t.state.Constructing);
  EXPECT_FALSE(t.state.FirstControlFixed);
  EXPECT_EQ(t.state.ConstructionItem, nullptr);
  EXPECT_EQ(t.doc.CData.size(), 1);
  EXPECT_EQ(t.doc.CData.front()->Name, "item1");
  const int before = t.redraws;
  FinishItem(t.ed);
  FollowPointer(t.ed, 5, 5);
  EXPECT_EQ(t.redraws, before);
  EXPECT_EQ(t.rows.RowCount(), 0);
}

TEST(ConstructionTest, IdleKeysAndSecondPressDoNothing) {
  TestEditor t;
  FixStartPoint(t.ed);
  FixFirstControlPoint(t.ed);
  FixSecondControlPoint(t.ed);
  CancelConstruction(t.ed);
  FollowPointer(t.ed, 50, 50);
  FinishItem(t.ed);
  EXPECT_EQ(t.redraws, 0);
  Press(t, 2.5f, 2.5f);
  Press(t, 9.5f, 9.5f);  // a second press while building is ignored
  EXPECT_EQ(t.doc.CData.size(), 1);
  EXPECT_EQ(t.doc.CData.front()->X1, 2.5f);
  EXPECT_EQ(t.redraws, 1);
}

}  // namespace
}  // namespace twk::test
