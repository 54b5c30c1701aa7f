#include <gtest/gtest.h>

#include <cmath>

#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::Clear;
using test::DocumentOf;
using test::MakeEllipse;
using test::MakeItem;
using test::Painted;

std::unique_ptr<Image> Canvas(const TWKFILE& doc) { return RenderDocument(doc, 20.0f, 20.0f, RenderArea::kDocument); }

TEST(LineStroke, SquareEndsReachHalfThePenPastTheEndPoints) {
  const auto img = Canvas(DocumentOf({MakeItem(0, 2.5f, 2.5f, 13.5f, 13.5f)}));
  ASSERT_TRUE(img);
  ASSERT_EQ(img->width(), 320);
  EXPECT_TRUE(Painted(*img, 160, 160));
  EXPECT_TRUE(Painted(*img, 166, 153));   // 9.2 px off the axis: inside the 20 px pen
  EXPECT_TRUE(Clear(*img, 168, 151));     // 12 px off the axis
  EXPECT_TRUE(Painted(*img, 44, 44));     // 7.8 px before (50, 50)
  EXPECT_TRUE(Clear(*img, 41, 41));       // 12 px before it
  EXPECT_TRUE(Painted(*img, 282, 270));   // the square corner of the end cap at (270, 270)
  EXPECT_TRUE(Painted(*img, 270, 282));
  EXPECT_TRUE(Clear(*img, 286, 286));
}

TEST(LineStroke, RoundAndFlatEndsDifferFromSquare) {
  TWKDATA round = MakeItem(0, 2.5f, 2.5f, 13.5f, 13.5f);
  round.DrawMethod2 = 2;
  TWKDATA flat = round;
  flat.DrawMethod2 = 1;
  const auto r = Canvas(DocumentOf({round}));
  const auto f = Canvas(DocumentOf({flat}));
  EXPECT_TRUE(Clear(*r, 282, 270));  // 12.5 px from the end point: outside the round cap
  EXPECT_TRUE(Painted(*r, 276, 276));
  EXPECT_TRUE(Clear(*f, 274, 274));  // flat ends stop at (270, 270)
  EXPECT_TRUE(Painted(*f, 266, 266));
}

TEST(LineStroke, DrawAngle90TurnsTheLineAboutItsMidpoint) {
  TWKDATA line = MakeItem(0, 2.5f, 2.5f, 13.5f, 13.5f);
  const auto straight = Canvas(DocumentOf({line}));
  line.DrawAngle = 90;
  const auto turned = Canvas(DocumentOf({line}));
  EXPECT_TRUE(Painted(*turned, 270, 50));
  EXPECT_TRUE(Painted(*turned, 50, 270));
  EXPECT_TRUE(Clear(*turned, 50, 50));
  // Turning clockwise by 90 degrees about (160, 160) maps pixel (y, 319 - x) to (x, y).
  // Anti-aliasing samples rows and columns a little differently, so edge
  // pixels may differ slightly.
  int worst = 0;
  long long total = 0;
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 320; ++x) {
      const int d = test::ChannelDistance(turned->PixelAt(x, y), straight->PixelAt(y, 319 - x));
      worst = std::max(worst, d);
      total += d;
    }
  EXPECT_LE(worst, 12);
  EXPECT_LT(total, 320 * 320 / 20);
}

TEST(RectItem, SwappedCornersLookIdenticalAlsoWhenRotated) {
  for (float angle : {0.0f, 30.0f, 90.0f}) {
    TWKDATA a = MakeItem(2, 3.25f, 4.5f, 11.5f, 9.75f);
    a.DrawAngle = angle;
    TWKDATA b = a;
    std::swap(b.X1, b.X4);
    std::swap(b.Y1, b.Y4);
    for (int method = 0; method < 3; ++method) {
      a.DrawMethod = b.DrawMethod = static_cast<std::uint8_t>(method);
      EXPECT_TRUE(test::SamePixels(*Canvas(DocumentOf({a})), *Canvas(DocumentOf({b}))))
          << "angle " << angle << " method " << method;
    }
  }
}

TEST(Codes, OutOfTableMethodAndEndStylePaintAsFirstEntry) {
  TWKDATA solid = MakeItem(2, 3, 3, 12, 10);
  solid.DrawAngle = 20;
  TWKDATA method3 = solid;
  method3.DrawMethod = 3;
  EXPECT_TRUE(test::SamePixels(*Canvas(DocumentOf({solid})), *Canvas(DocumentOf({method3}))));
  TWKDATA line = MakeItem(0, 2, 3, 12, 9);
  TWKDATA style3 = line;
  style3.DrawMethod2 = 3;
  EXPECT_TRUE(test::SamePixels(*Canvas(DocumentOf({line})), *Canvas(DocumentOf({style3}))));
  TWKDATA filledLine = line;
  filledLine.DrawMethod = 1;  // a line has no area: stroked
  EXPECT_TRUE(test::SamePixels(*Canvas(DocumentOf({line})), *Canvas(DocumentOf({filledLine}))));
}

TEST(Codes, HiddenAndUnknownKindsAreNotPainted) {
  TWKDATA hidden = MakeItem(2, 1, 1, 15, 15);
  hidden.Visible = 0;
  TWKDATA unknown = MakeItem(4, 1, 1, 15, 15);
  EXPECT_EQ(test::CountPainted(*Canvas(DocumentOf({hidden, unknown}))), 0);
  TWKDATA visible7 = MakeItem(2, 1, 1, 15, 15);
  visible7.Visible = 7;  // any non-zero value is drawn
  EXPECT_GT(test::CountPainted(*Canvas(DocumentOf({visible7}))), 0);
}

TEST(Fill, RectFillCoversItsInsideAndCurveFillClosesStraight) {
  TWKDATA rect = MakeItem(2, 4, 4, 12, 12);
  rect.DrawMethod = 1;
  const auto img = Canvas(DocumentOf({rect}));
  EXPECT_TRUE(Painted(*img, 160, 160));
  EXPECT_TRUE(Clear(*img, 60, 60));
  TWKDATA curve = MakeItem(1, 2, 8, 14, 8);
  curve.X2 = 2, curve.Y2 = 2, curve.X3 = 14, curve.Y3 = 2;
  curve.DrawMethod = 1;
  const auto c = Canvas(DocumentOf({curve}));
  EXPECT_TRUE(Painted(*c, 160, 120));  // inside the arch
  EXPECT_TRUE(Clear(*c, 160, 180));    // below the closing chord
}

TEST(Opacity, AlphaZeroLeavesNoTraceAndHalfAlphaGivesHalfTone) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const auto none = ComposeCanvas(*grid, DocumentOf({MakeItem(2, 2, 2, 14, 14, PackRGBA(0, 0, 0, 0), 3)}), 20, 20);
  EXPECT_TRUE(test::SamePixels(*none, *grid));
  TWKDATA half = MakeItem(2, 2, 2, 14, 14, PackRGBA(0, 0, 0, 128));
  half.DrawMethod = 1;
  const auto tone = ComposeCanvas(*grid, DocumentOf({half}), 20, 20);
  const Rgba p = tone->PixelAt(165, 165);  // inside a grid cell, inside the box
  EXPECT_NEAR(p.r, 127, 2);
  EXPECT_EQ(p.r, p.g);
  EXPECT_EQ(p.a, 255);
}

TEST(Order, FirstItemCoversLaterOnes) {
  TWKDATA red = MakeItem(2, 2, 2, 10, 10, PackRGBA(255, 0, 0, 255));
  TWKDATA blue = MakeItem(2, 6, 6, 14, 14, PackRGBA(0, 0, 255, 255));
  red.DrawMethod = blue.DrawMethod = 1;
  const auto img = Canvas(DocumentOf({red, blue}));
  EXPECT_EQ(img->PixelAt(160, 160), (Rgba{255, 0, 0, 255}));  // overlap: red, the first item
  EXPECT_EQ(img->PixelAt(250, 250), (Rgba{0, 0, 255, 255}));
}

TEST(Ellipse, WholeArcAndOpenArcAndZeroRadius) {
  for (auto [start, end] : {std::pair{0.0f, 360.0f}, std::pair{45.0f, 45.0f}}) {
    TWKDATA e = MakeEllipse(8, 8, 5, 5, start, end);
    e.DrawMethod2 = 1;
    const auto img = Canvas(DocumentOf({e}));
    for (auto [x, y] : {std::pair{260, 160}, {160, 260}, {60, 160}, {160, 60}, {231, 231}, {89, 89}})
      EXPECT_TRUE(Painted(*img, x, y)) << start << "/" << end << " at " << x << "," << y;
  }
  TWKDATA arc = MakeEllipse(8, 8, 5, 5, 90, 0);
  arc.DrawMethod2 = 1;
  const auto img = Canvas(DocumentOf({arc}));
  EXPECT_TRUE(Painted(*img, 89, 231));   // lower left, on the way from bottom to left
  EXPECT_TRUE(Painted(*img, 89, 89));    // upper left
  EXPECT_TRUE(Painted(*img, 231, 89));   // upper right
  EXPECT_TRUE(Clear(*img, 231, 231));    // lower right: not part of the 270-degree arc
  TWKDATA dot = MakeEllipse(8, 8, 0, 4, 0, 360);
  const auto square = Canvas(DocumentOf({dot}));
  EXPECT_TRUE(Painted(*square, 160, 160));
  EXPECT_NEAR(test::CountPainted(*square), 400, 50);  // a 20 x 20 square cap pair
  dot.DrawMethod2 = 1;
  EXPECT_EQ(test::CountPainted(*Canvas(DocumentOf({dot}))), 0);  // flat ends: nothing
}

// Arcs of many turns keep the parity of their whole turns under the even-odd
// fill, and a start more than a turn past the end runs counter-clockwise;
// each pair is drawn at 256 px and compared with the arc it must equal.
TEST(Ellipse, ManyTurnsAndBackwardsArcsDrawLikeTheirSimpleEquals) {
  const struct {
    std::uint8_t method;
    float start, end;
    float sameStart, sameEnd;
    bool paints;
  } cases[] = {
      {kFill, 0, 800, 0, 80, true},      // two whole turns cancel
      {kFill, 0, 1440, 0, 720, false},   // four whole turns leave nothing
      {kFill, 0, 720, 0, 1440, false},
      {kFill, 0, 1160, 0, 440, true},    // three turns fill like one
      {kFill, 450, 0, 0, 90, true},      // 90 degrees counter-clockwise
      {kFill, 800, 0, 0, 440, true},     // 440 degrees counter-clockwise
      {kSolid, 450, 0, 0, 90, true},
      {kSolid, 800, 0, 0, 440, true},
      {kSolid, 0, 800, 0, 440, true},  // the outline is whole either way
  };
  auto render = [](std::uint8_t method, float start, float end) {
    TWKDATA e = MakeEllipse(8, 8, 6, 4, start, end);
    e.DrawMethod = method;
    return RenderDocument(DocumentOf({e}), 16.0f, 16.0f, RenderArea::kFull);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.method) << ": " << c.start << " to " << c.end);
    const auto image = render(c.method, c.start, c.end);
    const auto same = render(c.method, c.sameStart, c.sameEnd);
    ASSERT_EQ(image->width(), 256);
    EXPECT_EQ(test::CountPainted(*image) > 0, c.paints);
    // The same outline cut into other cubic pieces, or drawn the other way
    // round, differs only in the anti-aliasing of its edge pixels.
    int worst = 0;
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        worst = std::max(worst, test::ChannelDistance(image->PixelAt(x, y), same->PixelAt(x, y)));
    EXPECT_LE(worst, 32);
  }
}

TEST(ImageSize, DocumentAreaIsClampedAndRoundedAndFullAreaIs16) {
  TWKFILE doc;
  doc.TWKW = 20, doc.TWKH = 0.5f;
  const auto strip = RenderDocument(doc, 20, 20, RenderArea::kDocument);
  EXPECT_EQ(strip->width(), 320);
  EXPECT_EQ(strip->height(), 20);
  const auto full = RenderDocument(doc, 20, 20, RenderArea::kFull);
  EXPECT_EQ(full->width(), 320);
  EXPECT_EQ(full->height(), 320);
  doc.TWKW = doc.TWKH = 16;
  EXPECT_EQ(RenderDocument(doc, 25, 25, RenderArea::kDocument)->width(), 400);
  EXPECT_EQ(RenderDocument(doc, 20.0f * 1.25f, 20.0f * 1.25f, RenderArea::kDocument)->height(), 400);
  doc.TWKW = 0, doc.TWKH = std::nanf("");
  const PixelSize tiny = RenderImageSize(doc, 20, 20, RenderArea::kDocument);
  EXPECT_EQ(tiny.width, 20);
  EXPECT_EQ(tiny.height, 20);
  EXPECT_EQ(RenderImageSize(doc, 0.01f, 0.01f, RenderArea::kDocument).width, 1);
}

TEST(ImageSize, ItemsOutsideASmallDocumentAreaAreCutOffOnlyOnTheCanvas) {
  TWKFILE doc = DocumentOf({MakeItem(0, 14, 1, 14, 15)});
  doc.TWKW = 12, doc.TWKH = 12;
  EXPECT_EQ(test::CountPainted(*RenderDocument(doc, 20, 20, RenderArea::kDocument)), 0);
  EXPECT_GT(test::CountPainted(*RenderDocument(doc, 20, 20, RenderArea::kFull)), 0);
}

TEST(Layers, PaintingInTwoPassesMatchesOneRender) {
  TWKFILE doc = DocumentOf({MakeEllipse(8, 8, 5, 3, 30, 300), MakeItem(2, 2, 2, 10, 10, PackRGBA(0, 0, 255, 100), 2),
                            MakeItem(0, 1, 15, 15, 1, PackRGBA(0, 200, 0, 180), 3)});
  doc.CData.at(0)->DrawMethod = 2;
  doc.CData.at(0)->DrawRGBA = PackRGBA(255, 0, 0, 200);
  const auto whole = Canvas(doc);
  const PixelSize size = RenderImageSize(doc, 20, 20, RenderArea::kDocument);
  auto layer = Image::NewTransparent(size.width, size.height);
  PaintItems(*layer, doc, 20, 20, RenderArea::kDocument, 1, 2);
  PaintItems(*layer, doc, 20, 20, RenderArea::kDocument, 0, 0);
  EXPECT_TRUE(test::SamePixels(*whole, *layer));
  const auto grid = BuildGridImage(320, 320, 16, 16);
  EXPECT_TRUE(test::SamePixels(*ComposeOverGrid(*grid, layer.get()), *ComposeCanvas(*grid, doc, 20, 20)));
}

TEST(Layers, PaintItemsPaintsAtTheScaleAskedForOnALargerLayer) {
  const TWKFILE doc = DocumentOf({MakeEllipse(8, 8, 5, 3, 30, 300), MakeItem(0, 1, 15, 15, 1)});
  const auto whole = Canvas(doc);  // 320 x 320 at 20 pixels per unit
  auto layer = Image::NewTransparent(640, 480);
  PaintItems(*layer, doc, 20, 20, RenderArea::kDocument, 0, 1);
  int differing = 0;
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 320; ++x) differing += !(layer->PixelAt(x, y) == whole->PixelAt(x, y));
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace twk
