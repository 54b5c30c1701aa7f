#include <gtest/gtest.h>

#include "geometry/DotPattern.h"
#include "geometry/EllipseArc.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::Clear;
using test::DocumentOf;
using test::MakeItem;
using test::Painted;

std::unique_ptr<Image> DottedLine(int endStyle, float width) {
  TWKDATA line = MakeItem(0, 1, 8, 15, 8, PackRGBA(0, 0, 0, 255), width);
  line.DrawMethod = 2;
  line.DrawMethod2 = static_cast<std::uint8_t>(endStyle);
  return RenderDocument(DocumentOf({line}), 20, 20, RenderArea::kDocument);
}

TEST(DotPatternOnCanvas, SquareDotsLeaveGapsAndRoundDotsBead) {
  // Width 1 at 20 px/unit: square dots are 20 px squares 30 px apart, the
  // first centred on x = 20; round dots are 20 px discs every 10 px.
  const auto square = DottedLine(0, 1);
  EXPECT_TRUE(Painted(*square, 11, 160));   // the start's square cap
  EXPECT_TRUE(Painted(*square, 20, 151));   // a square's corner region
  EXPECT_TRUE(Clear(*square, 34, 160));     // the gap from 30 to 40
  EXPECT_TRUE(Painted(*square, 50, 160));
  EXPECT_TRUE(Painted(*square, 41, 151));
  EXPECT_TRUE(Clear(*square, 7, 160));
  const auto center = DottedLine(1, 1);
  EXPECT_TRUE(Clear(*center, 15, 160));     // flat start: the first dash is half
  EXPECT_TRUE(Painted(*center, 25, 160));
  EXPECT_TRUE(Clear(*center, 34, 160));
  const auto round = DottedLine(2, 1);
  EXPECT_TRUE(Painted(*round, 40, 160));    // overlapping discs: no gaps on the axis
  EXPECT_TRUE(Painted(*round, 40, 151));    // 8.5 px above a disc centre
  EXPECT_TRUE(Painted(*round, 40, 150));    // the top row of a disc
  EXPECT_LT(round->PixelAt(45, 150).a, 32); // between two centres on that row: scalloped
  EXPECT_TRUE(Painted(*round, 34, 160));    // where the square dots leave a gap
  EXPECT_TRUE(Clear(*round, 9, 160));
}

TEST(DotPatternOnCanvas, SubPixelDotsPaintAsTheirSolidEquivalent) {
  // Period 0.03 units = 0.6 px: dashes too fine to tell apart average to
  // two thirds of the solid line's coverage.
  TWKDATA solid = MakeItem(0, 1, 8, 15, 8, PackRGBA(0, 0, 0, 255), 0.02f);
  TWKDATA dots = solid;
  dots.DrawMethod = 2;
  auto coverage = [](const TWKDATA& it) {
    const auto img = RenderDocument(DocumentOf({it}), 20, 20, RenderArea::kDocument);
    long sum = 0;
    for (int y = 150; y < 170; ++y) sum += img->PixelAt(160, y).a;
    return sum;
  };
  EXPECT_NEAR(coverage(dots), coverage(solid) * 2.0 / 3.0, coverage(solid) * 0.1);
  // A path of four million pixels with pixel-sized dots: still one stroke.
  TWKDATA longLine = MakeItem(0, -1e5f, 8, 1e5f, 8, PackRGBA(0, 0, 0, 255), 0.05f);
  longLine.DrawMethod = 2;
  const auto img = RenderDocument(DocumentOf({longLine}), 20, 20, RenderArea::kDocument);
  EXPECT_GT(img->PixelAt(160, 160).a, 0);
}

TEST(DotPatternGeometry, DashesAreCentredOnPeriodsAndCapped) {
  const std::vector<Polyline> line{{{{0, 0}, {10, 0}}, false}};
  const auto pieces = DashPieces(line, 2, 3, true);
  ASSERT_EQ(pieces.size(), 4u);  // centres 0, 3, 6, 9
  EXPECT_DOUBLE_EQ(pieces[0].points.front().x, -1);  // square cap before the start
  EXPECT_DOUBLE_EQ(pieces[0].points.back().x, 1);
  EXPECT_DOUBLE_EQ(pieces[1].points.front().x, 2);
  EXPECT_DOUBLE_EQ(pieces[3].points.front().x, 8);
  EXPECT_DOUBLE_EQ(pieces[3].points.back().x, 11);  // ends inside a dash: capped
  const auto flat = DashPieces(line, 2, 3, false);
  EXPECT_DOUBLE_EQ(flat[0].points.front().x, 0);
  EXPECT_DOUBLE_EQ(flat[3].points.back().x, 10);
  const auto dots = DotCentres(line, 0.5);
  EXPECT_EQ(dots.size(), 21u);
  EXPECT_DOUBLE_EQ(dots.back().x, 10);
}

TEST(DotPatternGeometry, ClosedFiguresJoinTheDashOverTheStart) {
  // A 4 x 4 square loop, length 16: dashes of 2 every 4, the first centred
  // on the start corner, so it runs from the last edge through the corner.
  const std::vector<Polyline> box{{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true}};
  const auto pieces = DashPieces(box, 2, 4, true);
  ASSERT_EQ(pieces.size(), 4u);
  const Polyline& first = pieces.front();
  EXPECT_DOUBLE_EQ(first.points.front().x, 0);
  EXPECT_DOUBLE_EQ(first.points.front().y, 1);  // one unit before the start, on the left edge
  EXPECT_DOUBLE_EQ(first.points.back().x, 1);   // one unit after it, on the top edge
  EXPECT_EQ(DotCentres(box, 4).size(), 4u);     // no second dot on the start
}

TEST(EllipseArcGeometry, AnglesSweepsAndClosing) {
  EXPECT_TRUE(MakeEllipseArc(0, 0, 4, 2, 0, 360).closed);
  const auto same = MakeEllipseArc(0, 0, 4, 2, 45, 45);
  EXPECT_TRUE(same.closed);
  EXPECT_DOUBLE_EQ(EllipseArcSweep(45, 45), 360);
  const auto open = MakeEllipseArc(10, 10, 4, 2, 90, 0);
  EXPECT_FALSE(open.closed);
  EXPECT_DOUBLE_EQ(EllipseArcSweep(90, 0), 270);
  EXPECT_NEAR(open.start.x, 10, 1e-9);  // the bottom point
  EXPECT_NEAR(open.start.y, 12, 1e-9);
  EXPECT_NEAR(open.pieces.back().end.x, 14, 1e-9);  // ends at the right point
  EXPECT_NEAR(open.pieces.back().end.y, 10, 1e-9);
  EXPECT_FALSE(MakeEllipseArc(0, 0, 4, 2, -90, 270).closed);  // remainders -90 and 270 differ
  EXPECT_TRUE(MakeEllipseArc(0, 0, 0, 2, 0, 360).degenerate);
  // The ray at 45 degrees meets a 4 x 2 ellipse where y = x.
  const Point p = EllipsePointAtAngle(0, 0, 4, 2, 45);
  EXPECT_NEAR(p.x, p.y, 1e-9);
  EXPECT_NEAR(p.x * p.x / 16 + p.y * p.y / 4, 1, 1e-9);
  const Point q = EllipsePointAtAngle(0, 0, 4, 2, 135);  // cos negative: the left half
  EXPECT_NEAR(q.x, -q.y, 1e-9);
  EXPECT_LT(q.x, 0);
  // Absurd turns fold back to at most two whole ones plus the remainder.
  EXPECT_LE(MakeEllipseArc(0, 0, 4, 2, 0, 1e30f).pieces.size(), 8u);
  // Beyond three turns pairs of turns are dropped; backwards sweeps are negative.
  const std::pair<std::pair<double, double>, double> sweeps[] = {
      {{0, 800}, 800}, {{0, 1440}, 720}, {{0, 2000}, 560}, {{0, 1081}, 361},
      {{450, 0}, -90}, {{800, 0}, -440}, {{2000, 0}, -920}, {{720, 0}, -360},
  };
  for (const auto& [angles, sweep] : sweeps)
    EXPECT_DOUBLE_EQ(EllipseArcSweep(angles.first, angles.second), sweep) << angles.first << " to " << angles.second;
}

}  // namespace
}  // namespace twk
