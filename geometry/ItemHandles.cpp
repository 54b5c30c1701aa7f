#include "geometry/ItemHandles.h"

#include <algorithm>
#include <cmath>

#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

bool Finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

Point ArcPoint(const TWKDATA& it, double degrees) {
  return EllipsePointAtAngle(it.X1, it.Y1, std::fabs(double(it.X4) - it.X1), std::fabs(double(it.Y4) - it.Y1),
                             degrees);
}

}  // namespace

Point StoredPoint(const TWKDATA& it, DefiningPoint which) {
  switch (which) {
    case DefiningPoint::kControl1: return {it.X2, it.Y2};
    case DefiningPoint::kControl2: return {it.X3, it.Y3};
    case DefiningPoint::kEnd: return {it.X4, it.Y4};
    default: return {it.X1, it.Y1};
  }
}

std::vector<DefiningPoint> DefiningPointsOf(const TWKDATA& it) {
  using enum DefiningPoint;
  switch (it.Type) {
    case kLine:
    case kRect: return {kStart, kEnd};
    case kCurve: return {kStart, kControl1, kControl2, kEnd};
    case kEllipse: return {kStart, kEnd, kArcStart, kArcEnd};
    default: return {};
  }
}

std::vector<Handle> ItemHandles(const TWKDATA& item) {
  std::vector<Handle> handles;
  for (DefiningPoint which : DefiningPointsOf(item)) {
    Point at;
    if (which == DefiningPoint::kArcStart || which == DefiningPoint::kArcEnd)
      at = ArcPoint(item, which == DefiningPoint::kArcStart ? item.X2 : item.Y2);
    else
      at = StoredPoint(item, which);
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
