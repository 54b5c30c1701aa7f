// Which item lies under a point: each kind, paint method and end style, the
// reach around the painted pixels, turned, hidden and see-through items,
// and agreement with the rendered picture.

#include <gtest/gtest.h>

#include "render/ItemHitTest.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::DocumentOf;
using test::MakeEllipse;
using test::MakeItem;

// At 20 px per unit the 2-px reach is 0.1 units.
constexpr float kPpu = 20.0f;

// Whether `item`, alone in a document, is under the point.
bool ItemIsUnderPoint(const TWKDATA& item, double x, double y, float pixelsPerUnitX, float pixelsPerUnitY,
                      double reachPixels = kPointerReachPixels) {
  return ItemAtPoint(DocumentOf({item}), x, y, pixelsPerUnitX, pixelsPerUnitY, reachPixels) == 0;
}

TWKDATA With(TWKDATA it, int method, int ends = kSquareEnds, float angle = 0) {
  it.DrawMethod = static_cast<std::uint8_t>(method);
  it.DrawMethod2 = static_cast<std::uint8_t>(ends);
  it.DrawAngle = angle;
  return it;
}

TWKDATA Curve() {
  TWKDATA it = MakeItem(kCurve, 2, 14, 14, 14);
  it.X2 = 2, it.Y2 = 2, it.X3 = 14, it.Y3 = 2;  // its middle is at (8, 5)
  return it;
}

struct Case {
  const char* what;
  TWKDATA item;
  double x, y;
  bool hit;
};

TEST(ItemHitTest, EachKindMethodAndEndStyle) {
  const TWKDATA line = MakeItem(kLine, 2, 8, 14, 8);  // width 1: y 7.5..8.5
  const TWKDATA rect = MakeItem(kRect, 4, 4, 12, 10);
  const TWKDATA circle = MakeEllipse(8, 8, 4, 4, 0, 360);
  const TWKDATA quarter = MakeEllipse(8, 8, 4, 4, 0, 90);  // from (12, 8) clockwise to (8, 12)
  const TWKDATA wide = MakeItem(kLine, 2, 8, 14, 8, PackRGBA(0, 0, 0, 255), 2);  // dashes of 2 every 3
  TWKDATA hidden = line, clear = line, thin = line, unknown = line;
  hidden.Visible = 0;
  clear.DrawRGBA = PackRGBA(0, 0, 0, 0);
  thin.DrawWidth = 0;
  unknown.Type = 7;
  const Case cases[] = {
      {"on a line", line, 8, 8, true},
      {"beside a line within the reach", line, 8, 8.58, true},
      {"beside a line past the reach", line, 8, 8.64, false},
      {"past a square end within the reach", line, 14.58, 8, true},
      {"past a square end beyond the reach", line, 14.64, 8, false},
      {"square end's corner", line, 14.45, 8.45, true},
      {"round end's corner", With(line, kSolid, kRoundEnds), 14.45, 8.45, false},
      {"past a round end within the reach", With(line, kSolid, kRoundEnds), 14.57, 8, true},
      {"past a flat end within the reach", With(line, kSolid, kCenterEnds), 14.07, 8, true},
      {"past a flat end beyond the reach", With(line, kSolid, kCenterEnds), 14.15, 8, false},
      {"a line with the fill method is stroked", With(line, kFill), 8, 8.4, true},
      {"inside an outlined rect", rect, 8, 7, false},
      {"on an outlined rect's side", rect, 4.3, 7, true},
      {"inside a filled rect", With(rect, kFill), 8, 7, true},
      {"beside a filled rect within the reach", With(rect, kFill), 3.93, 7, true},
      {"beside a filled rect past the reach", With(rect, kFill), 3.86, 7, false},
      {"on a circle", circle, 12, 8, true},
      {"inside an outlined circle", circle, 8, 8, false},
      {"inside a filled circle", With(circle, kFill), 8, 8, true},
      {"on an arc", quarter, 8, 12, true},
      {"on the missing part of an arc", quarter, 4, 8, false},
      {"inside a filled arc beyond its chord", With(quarter, kFill), 10.5, 10.5, true},
      {"inside a filled arc's circle before its chord", With(quarter, kFill), 9, 9, false},
      {"on a curve's middle", Curve(), 8, 5, true},
      {"inside a curve's bend", Curve(), 8, 8, false},
      {"on a square dash", With(wide, kDots), 8, 8, true},
      {"in the gap between square dashes", With(wide, kDots), 3.5, 8, false},
      {"on a square dash's lengthened first end", With(wide, kDots), 1.2, 8, true},
      {"where a flat dash is not lengthened", With(wide, kDots, kCenterEnds), 1.2, 8, false},
      {"on round dots", With(line, kDots, kRoundEnds), 5, 8.3, true},
      {"hidden", hidden, 8, 8, false},
      {"see-through", clear, 8, 8, false},
      {"a pen of no width", thin, 8, 8, false},
      {"unknown kind", unknown, 8, 8, false},
      {"a line turned a quarter, on its new place", With(line, kSolid, kSquareEnds, 90), 8, 3, true},
      {"a line turned a quarter, on its old place", With(line, kSolid, kSquareEnds, 90), 3, 8, false},
      {"a line turned an eighth", With(line, kSolid, kSquareEnds, 45), 10.83, 10.83, true},
      {"an ellipse turned about its centre", With(MakeEllipse(8, 8, 6, 2, 0, 360), kSolid, 0, 90), 8, 14, true},
      {"an ellipse turned, its old place", With(MakeEllipse(8, 8, 6, 2, 0, 360), kSolid, 0, 90), 14, 8, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ItemIsUnderPoint(c.item, c.x, c.y, kPpu, kPpu), c.hit) << c.what;
}

TEST(ItemHitTest, ReachIsInScreenPixels) {
  const TWKDATA line = MakeItem(kLine, 2, 8, 14, 8);
  // 0.14 units past the edge: inside 2 px at 20 px per unit, outside at 10.
  EXPECT_TRUE(ItemIsUnderPoint(line, 8, 8.64, 10.0f, 10.0f));
  EXPECT_FALSE(ItemIsUnderPoint(line, 8, 8.64, 20.0f, 20.0f));
  EXPECT_FALSE(ItemIsUnderPoint(line, 8, 8.55, 20.0f, 20.0f, 0.0));
}

TEST(ItemHitTest, FrontItemWinsAndHiddenOrClearOnesAreSkipped) {
  TWKFILE doc = DocumentOf({With(MakeItem(kRect, 6, 6, 10, 10), kFill), With(MakeItem(kRect, 2, 2, 14, 14), kFill)});
  EXPECT_EQ(ItemAtPoint(doc, 8, 8, kPpu, kPpu), 0);
  EXPECT_EQ(ItemAtPoint(doc, 3, 3, kPpu, kPpu), 1);
  EXPECT_EQ(ItemAtPoint(doc, 15, 15, kPpu, kPpu), -1);
  doc.CData.at(0)->Visible = 0;
  EXPECT_EQ(ItemAtPoint(doc, 8, 8, kPpu, kPpu), 1);
  doc.CData.at(0)->Visible = 1;
  doc.CData.at(0)->DrawRGBA = PackRGBA(255, 0, 0, 0);
  EXPECT_EQ(ItemAtPoint(doc, 8, 8, kPpu, kPpu), 1);
}

// Over every pixel of a few rendered items: a point the item covers exactly
// is a painted pixel, and every painted pixel is within the reach.
TEST(ItemHitTest, AgreesWithTheRenderedPixels) {
  TWKDATA dotted = With(Curve(), kDots, kSquareEnds, 30);
  TWKDATA roundDots = With(MakeEllipse(8, 8, 5, 3, 40, 300), kDots, kRoundEnds, 20);
  roundDots.DrawWidth = 0.75f;
  const TWKDATA items[] = {
      dotted,
      roundDots,
      With(MakeEllipse(7, 9, 5, 3, 200, 80), kFill, kSquareEnds, 15),
      With(MakeItem(kLine, 3, 3, 13, 9, PackRGBA(0, 0, 0, 255), 1.5f), kSolid, kRoundEnds, 10),
      With(MakeItem(kRect, 4, 5, 11, 12, PackRGBA(0, 0, 0, 40), 1.25f), kSolid, kSquareEnds, 30),
  };
  constexpr float kSweepPpu = 4.0f;
  for (const TWKDATA& item : items) {
    const TWKFILE doc = DocumentOf({item});
    const auto image = RenderDocument(doc, kSweepPpu, kSweepPpu, RenderArea::kDocument);
    ASSERT_TRUE(image);
    int painted = 0;
    for (int py = 0; py < image->height(); ++py)
      for (int px = 0; px < image->width(); ++px) {
        const double x = (px + 0.5) / kSweepPpu, y = (py + 0.5) / kSweepPpu;
        const bool isPainted = image->PixelAt(px, py).a > 0;
        painted += isPainted;
        if (ItemIsUnderPoint(item, x, y, kSweepPpu, kSweepPpu, 0.0))
          EXPECT_TRUE(isPainted) << "type " << int(item.Type) << " at " << px << "," << py;
        if (isPainted)
          EXPECT_TRUE(ItemIsUnderPoint(item, x, y, kSweepPpu, kSweepPpu))
              << "type " << int(item.Type) << " at " << px << "," << py;
      }
    EXPECT_GT(painted, 20);
  }
}

}  // namespace
}  // namespace twk
