// Handles at the defining points where they are painted, moving one of
// them, and finding the handle under the pointer.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "geometry/FigureReach.h"
#include "geometry/ItemHandles.h"
#include "geometry/MovePoint.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::DocumentOf;
using test::MakeEllipse;
using test::MakeItem;
using enum DefiningPoint;

std::string Text(const std::vector<Handle>& handles) {
  std::ostringstream out;
  out.precision(4);
  for (const Handle& h : handles)
    out << int(h.point) << "@" << std::round(h.at.x * 1e4) / 1e4 << "," << std::round(h.at.y * 1e4) / 1e4 << " ";
  return out.str();
}

// Same points in the same order, each within float rounding.
bool Near(const std::vector<Handle>& a, const std::vector<Handle>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].point != b[i].point || std::fabs(a[i].at.x - b[i].at.x) > 1e-4 || std::fabs(a[i].at.y - b[i].at.y) > 1e-4)
      return false;
  return true;
}

TWKDATA Turned(TWKDATA it, float angle) {
  it.DrawAngle = angle;
  return it;
}

TWKDATA Curve() {
  TWKDATA it = MakeItem(kCurve, 2, 14, 14, 12);
  it.X2 = 3, it.Y2 = 2, it.X3 = 13, it.Y3 = 4;
  return it;
}

TEST(ItemHandles, AtTheDefiningPointsWherePainted) {
  struct Case {
    TWKDATA item;
    std::vector<Handle> expected;
  } cases[] = {
      {MakeItem(kLine, 2, 3, 10, 11), {{kStart, {2, 3}}, {kEnd, {10, 11}}}},
      {MakeItem(kRect, 4, 4, 12, 10), {{kStart, {4, 4}}, {kEnd, {12, 10}}}},
      {Curve(), {{kStart, {2, 14}}, {kControl1, {3, 2}}, {kControl2, {13, 4}}, {kEnd, {14, 12}}}},
      {MakeEllipse(8, 8, 4, 2, 0, 90), {{kStart, {8, 8}}, {kEnd, {12, 10}}, {kArcStart, {12, 8}}, {kArcEnd, {8, 10}}}},
      // Turned a quarter clockwise about the middle (8, 8).
      {Turned(MakeItem(kLine, 2, 8, 14, 8), 90), {{kStart, {8, 2}}, {kEnd, {8, 14}}}},
      // An ellipse turns about its centre.
      {Turned(MakeEllipse(8, 8, 4, 2, 0, 90), 90),
       {{kStart, {8, 8}}, {kEnd, {6, 12}}, {kArcStart, {8, 12}}, {kArcEnd, {6, 8}}}},
      {MakeItem(9, 1, 1, 2, 2), {}},
  };
  for (const Case& c : cases) EXPECT_TRUE(Near(ItemHandles(c.item), c.expected)) << Text(ItemHandles(c.item));
}

TEST(ItemHandles, GuidesRunFromControlsAndAroundTheEllipseBox) {
  const std::vector<GuideLine> curve = ItemGuides(Curve());
  ASSERT_EQ(curve.size(), 2u);
  EXPECT_TRUE(Near({{kStart, curve[0].from}, {kControl1, curve[0].to}, {kEnd, curve[1].from}, {kControl2, curve[1].to}},
                   {{kStart, {2, 14}}, {kControl1, {3, 2}}, {kEnd, {14, 12}}, {kControl2, {13, 4}}}));
  const std::vector<GuideLine> box = ItemGuides(Turned(MakeEllipse(8, 8, 4, 2, 0, 360), 90));
  ASSERT_EQ(box.size(), 4u);
  std::vector<Handle> corners;
  for (const GuideLine& side : box) corners.push_back({kStart, side.from});
  EXPECT_TRUE(Near(corners, {{kStart, {10, 4}}, {kStart, {10, 12}}, {kStart, {6, 12}}, {kStart, {6, 4}}}));
  EXPECT_TRUE(ItemGuides(MakeItem(kLine, 1, 1, 5, 5)).empty());
}

TEST(ItemHandles, MovingAPointOfAnUnturnedItemSetsThatPointOnly) {
  const TWKDATA curve = Curve();
  const TWKDATA ellipse = MakeEllipse(8, 8, 4, 2, 0, 90);
  struct Case {
    TWKDATA item;
    DefiningPoint which;
    Point to;
    float TWKDATA::*x;
    float TWKDATA::*y;
    float wantX, wantY;
  } cases[] = {
      {curve, kStart, {1.5, 2.25}, &TWKDATA::X1, &TWKDATA::Y1, 1.5f, 2.25f},
      {curve, kControl1, {5, 6}, &TWKDATA::X2, &TWKDATA::Y2, 5, 6},
      {curve, kControl2, {7, 8}, &TWKDATA::X3, &TWKDATA::Y3, 7, 8},
      {curve, kEnd, {9, 10}, &TWKDATA::X4, &TWKDATA::Y4, 9, 10},
      {ellipse, kEnd, {13, 13}, &TWKDATA::X4, &TWKDATA::Y4, 13, 13},
      // Arc points set the angle of the ray from the centre.
      {ellipse, kArcStart, {8, 3}, &TWKDATA::X2, &TWKDATA::Y2, 270, 90},
      {ellipse, kArcEnd, {5, 8}, &TWKDATA::X2, &TWKDATA::Y2, 0, 180},
      {ellipse, kArcEnd, {8, 8}, &TWKDATA::X2, &TWKDATA::Y2, 0, 90},
      {MakeItem(kLine, 1, 1, 2, 2), kArcStart, {8, 3}, &TWKDATA::X2, &TWKDATA::Y2, 0, 0},
  };
  for (const Case& c : cases) {
    TWKDATA want = c.item;
    want.*c.x = c.wantX, want.*c.y = c.wantY;
    EXPECT_EQ(WithDefiningPointAt(c.item, c.which, c.to), want) << int(c.item.Type) << " " << int(c.which);
  }
}

TEST(ItemHandles, MovingAPointOfATurnedItemKeepsTheOtherHandlesInPlace) {
  for (const TWKDATA& item : {Turned(Curve(), 30), Turned(MakeItem(kRect, 4, 4, 12, 10), 90),
                              Turned(MakeEllipse(8, 8, 4, 2, 10, 200), 45)}) {
    const std::vector<Handle> before = ItemHandles(item);
    for (const Handle& moved : before) {
      if (moved.point == kArcStart || moved.point == kArcEnd) continue;
      const Point to{moved.at.x + 1.25, moved.at.y - 0.5};
      // An ellipse's centre carries the whole ellipse along.
      const bool carried = item.Type == kEllipse && moved.point == kStart;
      std::vector<Handle> expected;
      for (const Handle& h : before) {
        if (item.Type == kEllipse && h.point != kStart && h.point != kEnd) continue;  // arc points follow the box
        const Handle along{h.point, {h.at.x + to.x - moved.at.x, h.at.y + to.y - moved.at.y}};
        expected.push_back(h.point == moved.point ? Handle{h.point, to} : carried ? along : h);
      }
      std::vector<Handle> after = ItemHandles(WithDefiningPointAt(item, moved.point, to));
      if (item.Type == kEllipse) after.resize(2);
      EXPECT_TRUE(Near(after, expected)) << Text(after) << "\n" << Text(expected);
    }
  }
  const TWKDATA turned = Turned(MakeEllipse(8, 8, 4, 2, 0, 90), 90);
  EXPECT_FLOAT_EQ(WithDefiningPointAt(turned, kArcStart, {3, 8}).X2, 90.0f);  // painted left: the ray below
}

TEST(ItemHandles, BoxesThePaintedFigure) {
  Box box;
  ASSERT_TRUE(PaintedBox(Turned(MakeItem(kRect, 4, 4, 12, 8, PackRGBA(0, 0, 0, 255), 0), 90), box));
  EXPECT_EQ((std::vector<double>{box.left, box.top, box.right, box.bottom}), (std::vector<double>{6, 2, 10, 10}));
  EXPECT_FALSE(PaintedBox(MakeItem(9, 1, 1, 2, 2), box));
}

TEST(ItemHandles, HandleUnderThePointerOfSelectedItemsOnly) {
  const TWKFILE doc = DocumentOf({MakeItem(kLine, 2, 2, 10, 2), MakeItem(kLine, 2, 2.3, 6, 6), MakeItem(kLine, 14, 14, 15, 15)});
  // At 20 px per unit a handle reaches 3 + 2 px = 0.25 units.
  EXPECT_EQ(HandleAtPoint(doc, {0, 1}, 2.1, 2.1, 20, 20), (HandleHit{0, kStart}));
  EXPECT_EQ(HandleAtPoint(doc, {0, 1}, 2, 2.2, 20, 20), (HandleHit{1, kStart}));  // the nearer one
  EXPECT_EQ(HandleAtPoint(doc, {0, 1}, 9.8, 2.2, 20, 20), (HandleHit{0, kEnd}));
  EXPECT_EQ(HandleAtPoint(doc, {0, 1}, 9.7, 2.0, 20, 20), std::nullopt);
  EXPECT_EQ(HandleAtPoint(doc, {0, 1, 7}, 14, 14, 20, 20), std::nullopt);
  EXPECT_EQ(HandleAtPoint(doc, {2}, 14, 14, 20, 20), (HandleHit{2, kStart}));
}

}  // namespace
}  // namespace twk
