#include "render/PathCut.h"

#include <algorithm>
#include <cmath>

namespace twk {
namespace {

Point Mid(const Point& a, const Point& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

bool Meets(const CutRect& r, const Point (&q)[4]) {
  double minX = q[0].x, maxX = q[0].x, minY = q[0].y, maxY = q[0].y;
  for (const Point& p : q) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  return maxX >= r.left && minX <= r.right && maxY >= r.top && minY <= r.bottom;
}

double DistanceToChord(const Point& p, const Point& a, const Point& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len = std::hypot(dx, dy);
  if (len == 0) return std::hypot(p.x - a.x, p.y - a.y);
  return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / len;
}

// Appends the points after q[0] of the cubic q: subdivided near the
// rectangle until flat; a piece whose control points all lie beyond it
// (the curve stays in their hull) is replaced by its chord.
void FlattenCubic(const Point (&q)[4], const CutRect& r, double tolerance, int depth, std::vector<Point>& out) {
  const bool flat = DistanceToChord(q[1], q[0], q[3]) <= tolerance && DistanceToChord(q[2], q[0], q[3]) <= tolerance;
  if (depth >= 40 || flat || !Meets(r, q)) {
    out.push_back(q[3]);
    return;
  }
  const Point ab = Mid(q[0], q[1]), bc = Mid(q[1], q[2]), cd = Mid(q[2], q[3]);
  const Point abc = Mid(ab, bc), bcd = Mid(bc, cd), m = Mid(abc, bcd);
  const Point left[4] = {q[0], ab, abc, m}, right[4] = {m, bcd, cd, q[3]};
  FlattenCubic(left, r, tolerance, depth + 1, out);
  FlattenCubic(right, r, tolerance, depth + 1, out);
}

// One Sutherland-Hodgman pass against the half-plane `inside`; an open
// chain has no edge from its last point back to its first.
template <typename Inside, typename Cross>
std::vector<Point> ClipPass(const std::vector<Point>& in, bool closed, Inside inside, Cross cross) {
  std::vector<Point> out;
  const std::size_t n = in.size();
  if (n == 0) return out;
  if (!closed && inside(in[0])) out.push_back(in[0]);
  for (std::size_t i = closed ? 0 : 1; i < n; ++i) {
    const Point& prev = in[(i + n - 1) % n];
    const Point& cur = in[i];
    const bool prevIn = inside(prev), curIn = inside(cur);
    if (prevIn != curIn) out.push_back(cross(prev, cur));
    if (curIn) out.push_back(cur);
  }
  return out;
}

std::vector<Point> Clip(std::vector<Point> pts, bool closed, const CutRect& r) {
  const auto atX = [](double x) {
    return [x](const Point& a, const Point& b) { return Point{x, a.y + (b.y - a.y) * ((x - a.x) / (b.x - a.x))}; };
  };
  const auto atY = [](double y) {
    return [y](const Point& a, const Point& b) { return Point{a.x + (b.x - a.x) * ((y - a.y) / (b.y - a.y)), y}; };
  };
  pts = ClipPass(pts, closed, [&](const Point& p) { return p.x >= r.left; }, atX(r.left));
  pts = ClipPass(pts, closed, [&](const Point& p) { return p.x <= r.right; }, atX(r.right));
  pts = ClipPass(pts, closed, [&](const Point& p) { return p.y >= r.top; }, atY(r.top));
  return ClipPass(pts, closed, [&](const Point& p) { return p.y <= r.bottom; }, atY(r.bottom));
}

}  // namespace

std::vector<Polyline> CutToRect(const std::vector<PathOp>& ops, const CutRect& rect, double tolerance) {
  std::vector<Polyline> figures;
  std::vector<Point> pts;
  Point reopen{};  // after a close, the next segment starts at the closed figure's start
  bool reopens = false;
  const auto finish = [&](bool closed) {
    if (!pts.empty()) {
      Polyline cut{Clip(std::move(pts), closed, rect), closed};
      if (!cut.points.empty()) figures.push_back(std::move(cut));
    }
    pts.clear();
  };
  for (const PathOp& op : ops) {
    switch (op.kind) {
      case PathOp::Kind::kMove:
        finish(false);
        reopens = false;
        pts.push_back(op.p[0]);
        break;
      case PathOp::Kind::kLine:
        if (pts.empty() && reopens) pts.push_back(reopen);
        pts.push_back(op.p[0]);
        break;
      case PathOp::Kind::kCubic: {
        if (pts.empty()) pts.push_back(reopens ? reopen : op.p[0]);
        const Point q[4] = {pts.back(), op.p[0], op.p[1], op.p[2]};
        FlattenCubic(q, rect, tolerance, 0, pts);
        break;
      }
      case PathOp::Kind::kClose: {
        if (pts.empty()) break;
        reopen = pts.front();
        reopens = true;
        finish(true);
        break;
      }
    }
  }
  finish(false);
  return figures;
}

}  // namespace twk
