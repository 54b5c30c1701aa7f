#include "export/OutlinePath.h"

#include <cmath>

#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

using Kind = PathSegment::Kind;

bool SamePoint(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// Distance of `p` from the line through a and b (from a when they coincide).
double DistanceFromChord(const Point& p, const Point& a, const Point& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len = std::hypot(dx, dy);
  if (len == 0) return std::hypot(p.x - a.x, p.y - a.y);
  return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / len;
}

Point Mid(const Point& a, const Point& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Halves the cubic until both control points lie within `tolerance` of the
// chord; appends the chord ends after p0.
void FlattenCubic(const Point& p0, const Point& p1, const Point& p2, const Point& p3, double tolerance, int depth,
                  std::vector<Point>& out) {
  if (depth >= 16 ||
      std::max(DistanceFromChord(p1, p0, p3), DistanceFromChord(p2, p0, p3)) <= tolerance) {
    out.push_back(p3);
    return;
  }
  const Point a = Mid(p0, p1), b = Mid(p1, p2), c = Mid(p2, p3);
  const Point d = Mid(a, b), e = Mid(b, c), m = Mid(d, e);
  FlattenCubic(p0, a, d, m, tolerance, depth + 1, out);
  FlattenCubic(m, e, c, p3, tolerance, depth + 1, out);
}

}  // namespace

bool PathSegment::operator==(const PathSegment& o) const {
  if (kind != o.kind) return false;
  const int n = kind == Kind::kCubic ? 3 : kind == Kind::kClose ? 0 : 1;
  for (int i = 0; i < n; ++i) {
    if (!SamePoint(p[i], o.p[i])) return false;
  }
  return true;
}

OutlinePath OutlinePath::Of(const TWKDATA& item) {
  OutlinePath path;
  BuildItemPath(path, item);
  return path;
}

void OutlinePath::MoveTo(double x, double y) { segments_.push_back({Kind::kMove, {{x, y}}}); }
void OutlinePath::LineTo(double x, double y) { segments_.push_back({Kind::kLine, {{x, y}}}); }
void OutlinePath::CubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  segments_.push_back({Kind::kCubic, {{x1, y1}, {x2, y2}, {x3, y3}}});
}
void OutlinePath::ClosePath() { segments_.push_back({Kind::kClose, {}}); }

void OutlinePath::AddBox(double x, double y, double w, double h) { AppendBox(*this, x, y, w, h); }

void OutlinePath::AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
  if (!AppendEllipseArc(*this, cx, cy, rx, ry, start, end)) broken_ = true;
}

bool OutlinePath::Finite() const {
  if (broken_) return false;
  for (const PathSegment& s : segments_) {
    for (const Point& p : s.p) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    }
  }
  return true;
}

bool OutlinePath::SinglePoint() const {
  const Point* first = nullptr;
  for (const PathSegment& s : segments_) {
    const int n = s.kind == Kind::kCubic ? 3 : s.kind == Kind::kClose ? 0 : 1;
    for (int i = 0; i < n; ++i) {
      if (!first) first = &s.p[i];
      if (!SamePoint(*first, s.p[i])) return false;
    }
  }
  return first != nullptr;
}

std::vector<Polyline> OutlinePath::Flatten(double tolerance) const {
  std::vector<Polyline> figures;
  for (const PathSegment& s : segments_) {
    if (s.kind == Kind::kMove || figures.empty()) {
      figures.push_back({{s.kind == Kind::kClose ? Point{} : s.p[0]}, false});
      if (s.kind == Kind::kMove) continue;
    }
    Polyline& figure = figures.back();
    switch (s.kind) {
      case Kind::kLine: figure.points.push_back(s.p[0]); break;
      case Kind::kCubic: FlattenCubic(figure.points.back(), s.p[0], s.p[1], s.p[2], tolerance, 0, figure.points); break;
      case Kind::kClose: figure.closed = true; break;
      case Kind::kMove: break;
    }
  }
  return figures;
}

}  // namespace twk
