#include "geometry/MovePoint.h"

#include <cmath>

#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

constexpr double kPi = 3.14159265358979323846;

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

}  // namespace


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
  if (item.Type == kEllipse && which == DefiningPoint::kStart) {
    // The centre handle carries the whole ellipse: its box corner goes
    // along, so the radii and the angles stay. The turn's centre moves with
    // the points, so the painted centre moves by the same step.
    const Point at = PaintedAt(item, StoredPoint(item, which));
    const double dx = to.x - at.x, dy = to.y - at.y;
    out.X1 = static_cast<float>(item.X1 + dx), out.Y1 = static_cast<float>(item.Y1 + dy);
    out.X4 = static_cast<float>(item.X4 + dx), out.Y4 = static_cast<float>(item.Y4 + dy);
    return out;
  }
  if (turn.cos == 1.0 && turn.sin == 0.0) {  // unturned: painted where stored
    Store(out, which, to);
    return out;
  }
  // Every point goes where it is painted, the moved one to `to`; then all
  // are turned back about the centre those places give.
  const std::vector<DefiningPoint> points = DefiningPointsOf(item);
  std::vector<Point> painted;
  for (DefiningPoint p : points) painted.push_back(p == which ? to : PaintedAt(item, StoredPoint(item, p)));
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

}  // namespace twk
