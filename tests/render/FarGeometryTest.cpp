// Figures reaching far beyond the picture: cut to it in double precision,
// so what is near is drawn at every size and what is far costs nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/DotPattern.h"
#include "render/PathCut.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::MakeItem;

TEST(FarGeometry, FiguresReachingPastCairosRangeAreDrawnAtEverySize) {
  const std::int32_t red = PackRGBA(255, 0, 0, 255);
  TWKDATA bigRect = MakeItem(kRect, -3e6f, 4, 3e6f, 10, red);
  bigRect.DrawMethod = kFill;
  TWKDATA bigCircle = test::MakeEllipse(8, 1e6f + 12, 1e6f, 1e6f, 0, 0);  // its top passes y = 12
  bigCircle.DrawRGBA = red;
  const struct {
    TWKDATA item;
    int x, y;  // a unit square the item paints
  } cases[] = {
      {MakeItem(kLine, 8, 4, 40000, 4, red), 12, 3},
      {MakeItem(kLine, -1e7f, 8, 1e7f, 8, red), 1, 7},
      {bigRect, 5, 9},
      {bigCircle, 8, 11},
  };
  for (const float scale : {1.0f, 8.0f, 64.0f}) {
    for (const auto& c : cases) {
      const auto image = RenderDocument(test::DocumentOf({c.item}), scale, scale, RenderArea::kFull);
      ASSERT_TRUE(image);
      const int px = static_cast<int>((c.x + 0.5f) * scale), py = static_cast<int>((c.y + 0.5f) * scale);
      EXPECT_GT(image->PixelAt(px, py).a, 0) << "type " << int(c.item.Type) << " at " << scale;
      EXPECT_EQ(image->PixelAt(px, static_cast<int>(15.5f * scale)).a, 0) << "type " << int(c.item.Type);
    }
  }
}

// Even-odd inside test of closed figures.
bool Inside(const std::vector<Polyline>& figures, Point p) {
  bool in = false;
  for (const Polyline& f : figures) {
    const std::size_t n = f.points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const Point a = f.points[i], b = f.points[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
  }
  return in;
}

TEST(PathCut, KeepsTheInsideOfFillsAndStaysInTheRectangle) {
  using K = PathOp::Kind;
  const std::vector<PathOp> ops = {
      {K::kMove, {{-1e9, 5}}}, {K::kLine, {{9, -1e9}}}, {K::kLine, {{1e9, 1e9}}}, {K::kClose, {}},
      {K::kMove, {{2, 2}}},    {K::kCubic, {{-1e8, 2}, {1e8, 9}, {8, 9}}},          {K::kClose, {}},
      {K::kMove, {{3, 1}}},    {K::kLine, {{6, 1}}},     {K::kLine, {{6, 4}}},     {K::kClose, {}},
  };
  const CutRect rect{0, 0, 10, 10};
  const std::vector<Polyline> cut = CutToRect(ops, rect, 0.01);
  // The same figures flattened finely without any cut.
  std::vector<Polyline> whole;
  for (const PathOp& op : ops) {
    if (op.kind == K::kMove) whole.push_back({{op.p[0]}, true});
    if (op.kind == K::kLine) whole.back().points.push_back(op.p[0]);
    if (op.kind == K::kCubic) {
      const Point p0 = whole.back().points.back();
      for (int i = 1; i <= 20000; ++i) {
        const double t = i / 20000.0, u = 1 - t;
        whole.back().points.push_back({u * u * u * p0.x + 3 * u * u * t * op.p[0].x + 3 * u * t * t * op.p[1].x + t * t * t * op.p[2].x,
                                       u * u * u * p0.y + 3 * u * u * t * op.p[0].y + 3 * u * t * t * op.p[1].y + t * t * t * op.p[2].y});
      }
    }
  }
  int differing = 0;
  for (double y = 0.05; y < 10; y += 0.2)
    for (double x = 0.05; x < 10; x += 0.2) differing += Inside(cut, {x, y}) != Inside(whole, {x, y});
  EXPECT_LE(differing, 3);  // only points within the tolerance of a curve
  ASSERT_EQ(cut.size(), 3u);
  for (const Polyline& f : cut)
    for (const Point& p : f.points) EXPECT_TRUE(p.x >= 0 && p.x <= 10 && p.y >= 0 && p.y <= 10) << p.x << "," << p.y;
  EXPECT_LT(cut[1].points.size(), 2000u);  // the curve flattened near the rectangle only
}

TEST(PathCut, AnOpenFigureGainsNoClosingEdge) {
  using K = PathOp::Kind;
  const std::vector<Polyline> cut =
      CutToRect({{K::kMove, {{-100, 5}}}, {K::kLine, {{5, 5}}}, {K::kLine, {{5, 100}}}}, {0, 0, 10, 10}, 0.1);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_FALSE(cut[0].closed);
  const std::vector<std::pair<double, double>> points = {{0, 5}, {5, 5}, {5, 10}};
  ASSERT_EQ(cut[0].points.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    EXPECT_EQ(std::pair(cut[0].points[i].x, cut[0].points[i].y), points[i]);
}

TEST(DotCentres, TheViewKeepsExactlyTheDotsOnTheSegmentsItSees) {
  Polyline spiral;
  for (int i = 0; i <= 3000; ++i) {
    const double a = i * 0.01, r = 50 + i * 0.02;
    spiral.points.push_back({r * std::cos(a), r * std::sin(a)});
  }
  const std::vector<Polyline> figures = {spiral, {{{0, 0}, {30, 0}, {30, 30}}, true}};
  const DotView view{2, 0, 0, 2, 100, 100, 90, 90, 180, 150};  // device = 2 x figure + 100
  const std::vector<Point> all = DotCentres(figures, 0.7);
  const std::vector<Point> seen = DotCentres(figures, 0.7, view);
  std::size_t inside = 0, matched = 0;
  for (const Point& p : all) {
    const double x = 2 * p.x + 100, y = 2 * p.y + 100;
    if (x >= 91 && x <= 179 && y >= 91 && y <= 149) ++inside;
  }
  for (const Point& q : seen) {
    for (const Point& p : all) {
      if (std::hypot(p.x - q.x, p.y - q.y) < 1e-6) {
        ++matched;
        break;
      }
    }
  }
  EXPECT_EQ(matched, seen.size());  // every kept dot is one of the whole pattern
  EXPECT_GE(seen.size(), inside);   // and every dot well inside is kept
  EXPECT_LT(seen.size(), all.size() / 4);
  EXPECT_GT(inside, 20u);
}

}  // namespace
}  // namespace twk
