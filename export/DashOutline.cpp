#include "export/DashOutline.h"

#include <algorithm>
#include <cmath>

namespace twk {

namespace {

constexpr double kMiterLimit = 10;

double TwiceArea(const std::vector<Point>& p) {
  double sum = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Point& a = p[i];
    const Point& b = p[(i + 1) % p.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum;
}

// Every polygon turns the same way, so overlaps add up under the non-zero
// rule instead of cancelling.
void AddTurnedOneWay(std::vector<Point> polygon, std::vector<std::vector<Point>>& out) {
  const double area = TwiceArea(polygon);
  if (area == 0) return;
  if (area < 0) std::reverse(polygon.begin(), polygon.end());
  out.push_back(std::move(polygon));
}

Point Add(const Point& a, const Point& b, double k) { return {a.x + b.x * k, a.y + b.y * k}; }

// The corner at `p` between directions d1 and d2 (unit vectors): the wedge
// on the outer side, up to the miter tip or, past the limit, the bevel.
void AddCorner(const Point& p, const Point& d1, const Point& d2, double half, std::vector<std::vector<Point>>& out) {
  const double cross = d1.x * d2.y - d1.y * d2.x;
  const double cosTurn = std::clamp(d1.x * d2.x + d1.y * d2.y, -1.0, 1.0);
  if (cross == 0) return;  // straight on (or straight back: nothing to fill)
  const double side = cross > 0 ? -1 : 1;  // the outer side
  const Point n1{-d1.y * half * side, d1.x * half * side}, n2{-d2.y * half * side, d2.x * half * side};
  const Point a = Add(p, n1, 1), b = Add(p, n2, 1);
  // The miter's length over the pen's width is 1 / cos(turn / 2).
  const double cosHalf = std::sqrt((1 + cosTurn) / 2);
  if (cosHalf > 0 && 1 / cosHalf <= kMiterLimit) {
    const Point tip{p.x + (n1.x + n2.x) / (1 + cosTurn), p.y + (n1.y + n2.y) / (1 + cosTurn)};
    AddTurnedOneWay({p, a, tip, b}, out);
  } else {
    AddTurnedOneWay({p, a, b}, out);
  }
}

}  // namespace

std::vector<std::vector<Point>> FlatEndedStrokeOutline(const Polyline& piece, double width) {
  std::vector<std::vector<Point>> out;
  const double half = width / 2;
  bool havePrevious = false;
  Point previous{};
  for (std::size_t i = 1; i < piece.points.size(); ++i) {
    const Point& a = piece.points[i - 1];
    const Point& b = piece.points[i];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0)) continue;
    const Point d{(b.x - a.x) / length, (b.y - a.y) / length};
    const Point n{-d.y * half, d.x * half};
    if (havePrevious) AddCorner(a, previous, d, half, out);
    AddTurnedOneWay({Add(a, n, 1), Add(b, n, 1), Add(b, n, -1), Add(a, n, -1)}, out);
    previous = d;
    havePrevious = true;
  }
  return out;
}

}  // namespace twk
