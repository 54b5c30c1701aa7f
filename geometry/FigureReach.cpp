#include "geometry/FigureReach.h"

#include <algorithm>
#include <cmath>

#include "geometry/ItemGeometry.h"
#include "geometry/ItemLook.h"

namespace twk {

namespace {

bool Finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

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

bool NearFigureBox(const TWKDATA& it, double x, double y, double margin) {
  double left = std::min(it.X1, it.X4), right = std::max(it.X1, it.X4);
  double top = std::min(it.Y1, it.Y4), bottom = std::max(it.Y1, it.Y4);
  if (it.Type == kCurve) {
    left = std::min({left, double(it.X2), double(it.X3)}), right = std::max({right, double(it.X2), double(it.X3)});
    top = std::min({top, double(it.Y2), double(it.Y3)}), bottom = std::max({bottom, double(it.Y2), double(it.Y3)});
  } else if (it.Type == kEllipse) {
    const double rx = std::fabs(double(it.X4) - it.X1), ry = std::fabs(double(it.Y4) - it.Y1);
    left = it.X1 - rx, right = it.X1 + rx, top = it.Y1 - ry, bottom = it.Y1 + ry;
  }
  return x >= left - margin && x <= right + margin && y >= top - margin && y <= bottom + margin;
}

// A line's segment, a rect's sides and an ellipse's outline give the bound.
bool SurelyBeyond(const TWKDATA& it, bool fill, double x, double y, double margin) {
  if (it.Type == kLine) {
    const double ax = it.X1, ay = it.Y1, dx = double(it.X4) - ax, dy = double(it.Y4) - ay;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(x - ax - t * dx, y - ay - t * dy) > margin;
  }
  if (it.Type == kRect) {
    const double left = std::min(it.X1, it.X4), right = std::max(it.X1, it.X4);
    const double top = std::min(it.Y1, it.Y4), bottom = std::max(it.Y1, it.Y4);
    const double outX = std::max({left - x, x - right, 0.0}), outY = std::max({top - y, y - bottom, 0.0});
    if (outX > 0 || outY > 0) return std::hypot(outX, outY) > margin;
    return !fill && std::min({x - left, right - x, y - top, bottom - y}) > margin;
  }
  if (it.Type == kEllipse) {
    // Scaling the ellipse to the unit circle shrinks distances by at most
    // the smaller radius, so the distance to the outline is at least
    // smaller radius x |r - 1| for the point's scaled radius r.
    const double rx = std::fabs(double(it.X4) - it.X1), ry = std::fabs(double(it.Y4) - it.Y1);
    if (!(rx > 0 && ry > 0)) return false;
    const double r = std::hypot((x - it.X1) / rx, (y - it.Y1) / ry);
    if (fill && r <= 1) return false;
    return std::min(rx, ry) * std::fabs(r - 1) > margin;
  }
  return false;
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

}  // namespace twk
