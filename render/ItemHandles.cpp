#include "render/ItemHandles.h"

#include <algorithm>
#include <cmath>

#include "render/ItemGeometry.h"

namespace twk {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The stored point a handle other than an arc point stands for.
Point Stored(const TWKDATA& it, DefiningPoint which) {
  switch (which) {
    case DefiningPoint::kControl1: return {it.X2, it.Y2};
    case DefiningPoint::kControl2: return {it.X3, it.Y3};
    case DefiningPoint::kEnd: return {it.X4, it.Y4};
    default: return {it.X1, it.Y1};
  }
}

void Store(TWKDATA& it, DefiningPoint which, Point p) {
  float& x = which == DefiningPoint::kControl1 ? it.X2
             : which == DefiningPoint::kControl2 ? it.X3
             : which == DefiningPoint::kEnd      ? it.X4
                                                 : it.X1;
  float& y = which == DefiningPoint::kControl1 ? it.Y2
             : which == DefiningPoint::kControl2 ? it.Y3
             : which == DefiningPoint::kEnd      ? it.Y4
                                                 : it.Y1;
  x = static_cast<float>(p.x);
  y = static_cast<float>(p.y);
}

// The point that is painted at `p` when the item turns by `t` about `c`.
Point Unturned(Point p, Point c, Turn t) {
  const double dx = p.x - c.x, dy = p.y - c.y;
  return {c.x + t.cos * dx + t.sin * dy, c.y - t.sin * dx + t.cos * dy};
}

Point ArcPoint(const TWKDATA& it, double degrees) {
  return EllipsePointAtAngle(it.X1, it.Y1, std::fabs(double(it.X4) - it.X1), std::fabs(double(it.Y4) - it.Y1),
                             degrees);
}

std::vector<DefiningPoint> PointsOf(const TWKDATA& it) {
  using enum DefiningPoint;
  switch (it.Type) {
    case kLine:
    case kRect: return {kStart, kEnd};
    case kCurve: return {kStart, kControl1, kControl2, kEnd};
    case kEllipse: return {kStart, kEnd, kArcStart, kArcEnd};
    default: return {};
  }
}

// Grows a box over the painted places of the points of an item's figure.
struct BoxSink {
  const TWKDATA& item;
  Box box;
  bool empty = true;
  bool broken = false;

  void Add(double x, double y) {
    const Point p = PaintedAt(item, {x, y});
    if (!Finite(p)) {
      broken = true;
      return;
    }
    if (empty) box = {p.x, p.y, p.x, p.y}, empty = false;
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
  }
  void MoveTo(double x, double y) { Add(x, y); }
  void LineTo(double x, double y) { Add(x, y); }
  void CubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    Add(x1, y1), Add(x2, y2), Add(x3, y3);
  }
  void ClosePath() {}
  void AddBox(double x, double y, double w, double h) { AppendBox(*this, x, y, w, h); }
  void AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
    if (!AppendEllipseArc(*this, cx, cy, rx, ry, start, end)) broken = true;
  }
};

}  // namespace

std::vector<Handle> ItemHandles(const TWKDATA& item) {
  std::vector<Handle> handles;
  for (DefiningPoint which : PointsOf(item)) {
    Point at;
    if (which == DefiningPoint::kArcStart || which == DefiningPoint::kArcEnd)
      at = ArcPoint(item, which == DefiningPoint::kArcStart ? item.X2 : item.Y2);
    else
      at = Stored(item, which);
    at = PaintedAt(item, at);
    if (Finite(at)) handles.push_back({which, at});
  }
  return handles;
}

std::vector<GuideLine> ItemGuides(const TWKDATA& item) {
  std::vector<GuideLine> lines;
  auto add = [&](Point a, Point b) {
    const GuideLine line{PaintedAt(item, a), PaintedAt(item, b)};
    if (Finite(line.from) && Finite(line.to)) lines.push_back(line);
  };
  if (item.Type == kCurve) {
    add({item.X1, item.Y1}, {item.X2, item.Y2});
    add({item.X4, item.Y4}, {item.X3, item.Y3});
  } else if (item.Type == kEllipse) {
    const double rx = std::fabs(double(item.X4) - item.X1), ry = std::fabs(double(item.Y4) - item.Y1);
    const Point corners[4] = {
        {item.X1 - rx, item.Y1 - ry}, {item.X1 + rx, item.Y1 - ry}, {item.X1 + rx, item.Y1 + ry}, {item.X1 - rx, item.Y1 + ry}};
    for (int i = 0; i < 4; ++i) add(corners[i], corners[(i + 1) % 4]);
  }
  return lines;
}

Point SnapToStep(Point point) { return {std::round(point.x * 8) / 8, std::round(point.y * 8) / 8}; }

TWKDATA WithDefiningPointAt(const TWKDATA& item, DefiningPoint which, Point to) {
  TWKDATA out = item;
  const Turn turn = TurnOf(std::isfinite(item.DrawAngle) ? item.DrawAngle : 0.0f);
  if (which == DefiningPoint::kArcStart || which == DefiningPoint::kArcEnd) {
    if (item.Type != kEllipse) return out;
    const Point c{item.X1, item.Y1};
    const Point q = Unturned(to, c, turn);
    if (q.x == c.x && q.y == c.y) return out;
    double degrees = std::atan2(q.y - c.y, q.x - c.x) * 180.0 / kPi;
    if (degrees < 0) degrees += 360.0;
    if (degrees >= 360.0) degrees -= 360.0;
    (which == DefiningPoint::kArcStart ? out.X2 : out.Y2) = static_cast<float>(degrees);
    return out;
  }
  if (turn.cos == 1.0 && turn.sin == 0.0) {  // unturned: painted where stored
    Store(out, which, to);
    return out;
  }
  // Every point goes where it is painted, the moved one to `to`; then all
  // are turned back about the centre those places give.
  const std::vector<DefiningPoint> points = PointsOf(item);
  std::vector<Point> painted;
  for (DefiningPoint p : points) painted.push_back(p == which ? to : PaintedAt(item, Stored(item, p)));
  TWKDATA placed = item;
  for (std::size_t i = 0; i < points.size(); ++i)
    if (points[i] != DefiningPoint::kArcStart && points[i] != DefiningPoint::kArcEnd)
      Store(placed, points[i], painted[i]);
  const RotationCentre rc = RotationCentreOf(placed);
  const Point c{rc.x, rc.y};
  for (std::size_t i = 0; i < points.size(); ++i)
    if (points[i] != DefiningPoint::kArcStart && points[i] != DefiningPoint::kArcEnd)
      Store(out, points[i], Unturned(painted[i], c, turn));
  return out;
}

bool PaintedBox(const TWKDATA& item, Box& box) {
  if (item.Type > kEllipse) return false;
  BoxSink sink{item, {}};
  BuildItemPath(sink, item);
  if (sink.broken || sink.empty) return false;
  box = sink.box;
  if (PaintOf(item) != ItemPaint::kFill && std::isfinite(item.DrawWidth)) {
    const double pen = std::fabs(item.DrawWidth) / 2 * std::sqrt(2.0);  // a square cap's corner
    box = {box.left - pen, box.top - pen, box.right + pen, box.bottom + pen};
  }
  return true;
}

std::optional<HandleHit> HandleAtPoint(const TWKFILE& doc, const std::vector<int>& selected, double x, double y,
                                       float pixelsPerUnitX, float pixelsPerUnitY, double reachPixels) {
  std::optional<HandleHit> best;
  double bestDistance = 0;
  const double limit = kHandleHalfPixels + std::max(reachPixels, 0.0);
  for (int index : selected) {
    if (index < 0 || index >= doc.CData.size()) continue;
    for (const Handle& h : ItemHandles(*doc.CData.at(index))) {
      const double dx = (h.at.x - x) * pixelsPerUnitX, dy = (h.at.y - y) * pixelsPerUnitY;
      if (!(std::fabs(dx) <= limit && std::fabs(dy) <= limit)) continue;
      const double distance = std::hypot(dx, dy);
      if (!best || distance < bestDistance) {
        best = HandleHit{index, h.point};
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace twk
