#include "import/ItemMaker.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace twk {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

// `v` as an item stores it; past the float range it is an infinity (which
// the reader refuses) rather than an undefined conversion.
float F(double v) {
  if (v > FLT_MAX) return std::numeric_limits<float>::infinity();
  if (v < -FLT_MAX) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

// Folds `degrees` into [0, 360).
double Turn360(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  return d >= 360.0 - 1e-6 ? 0.0 : d;  // a hair below a whole turn (less than a float tells) is none
}

// The ray angle (clockwise from +x, degrees) of the point at parameter
// angle `t` on an ellipse of radii rx, ry: the angle items store.
double RayAngle(double rx, double ry, double t) {
  return std::atan2(ry * std::sin(t * kDegree), rx * std::cos(t * kDegree)) / kDegree;
}

}  // namespace

bool ToCentreArc(const SvgSegment& s, CentreArc& out) {
  double rx = std::fabs(s.rx), ry = std::fabs(s.ry);
  if (rx == 0 || ry == 0) return false;
  const double phi = s.xRotation * kDegree;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double dx = (s.from.x - s.to.x) / 2, dy = (s.from.y - s.to.y) / 2;
  const double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
  const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  double k = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
  if (s.large == s.sweep) k = -k;
  const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
  out.centre = {cosPhi * cx1 - sinPhi * cy1 + (s.from.x + s.to.x) / 2,
                sinPhi * cx1 + cosPhi * cy1 + (s.from.y + s.to.y) / 2};
  out.rx = rx;
  out.ry = ry;
  out.degrees = s.xRotation;
  const double t0 = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
  const double t1 = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx);
  double sweep = t1 - t0;
  if (s.sweep && sweep < 0) sweep += 2 * kPi;
  if (!s.sweep && sweep > 0) sweep -= 2 * kPi;
  out.t0 = t0 / kDegree;
  out.sweep = sweep / kDegree;
  return true;
}

TWKDATA ItemMaker::Item(std::uint8_t type) const {
  TWKDATA item;
  item.Type = type;
  item.DrawMethod = pen_.method;
  item.DrawMethod2 = pen_.endStyle;
  item.DrawWidth = pen_.width;
  item.DrawRGBA = pen_.rgba;
  item.Visible = 1;
  return item;
}

std::vector<TWKDATA>::size_type ItemMaker::Push(const TWKDATA& item) {
  out_.push_back(item);
  return out_.size();
}

void ItemMaker::Line(Point from, Point to) {
  const Point a = map_.Apply(from), b = map_.Apply(to);
  TWKDATA item = Item(kLine);
  item.X1 = item.X2 = item.X3 = F(a.x);
  item.Y1 = item.Y2 = item.Y3 = F(a.y);
  item.X4 = F(b.x);
  item.Y4 = F(b.y);
  Push(item);
}

void ItemMaker::Cubic(Point from, Point c1, Point c2, Point to) {
  const Point p[4] = {map_.Apply(from), map_.Apply(c1), map_.Apply(c2), map_.Apply(to)};
  TWKDATA item = Item(kCurve);
  item.X1 = F(p[0].x), item.Y1 = F(p[0].y);
  item.X2 = F(p[1].x), item.Y2 = F(p[1].y);
  item.X3 = F(p[2].x), item.Y3 = F(p[2].y);
  item.X4 = F(p[3].x), item.Y4 = F(p[3].y);
  Push(item);
}

void ItemMaker::Arc(const SvgSegment& s) {
  if (s.from.x == s.to.x && s.from.y == s.to.y) return;
  CentreArc arc;
  if (!ToCentreArc(s, arc)) return Line(s.from, s.to);
  EllipseArc(arc.centre, arc.rx, arc.ry, arc.degrees, arc.t0, arc.sweep);
}

void ItemMaker::EllipseArc(Point c, double rx, double ry, double degrees, double t0, double sweep) {
  // The ellipse's points are c + J (cos t, sin t) with J = L R(degrees)
  // diag(rx, ry), L the map's linear part. J = R(phi) diag(sx, sy) R(theta)
  // (a 2x2 singular value decomposition in closed form), so the mapped
  // ellipse is turned by phi with radii sx, |sy|, and its parameter is
  // t + theta, or -(t + theta) when sy < 0 (the map mirrors).
  const double cd = std::cos(degrees * kDegree), sd = std::sin(degrees * kDegree);
  const double j00 = (map_.a * cd + map_.c * sd) * rx, j01 = (-map_.a * sd + map_.c * cd) * ry;
  const double j10 = (map_.b * cd + map_.d * sd) * rx, j11 = (-map_.b * sd + map_.d * cd) * ry;
  const double e = (j00 + j11) / 2, f = (j00 - j11) / 2, g = (j10 + j01) / 2, h = (j10 - j01) / 2;
  const double q = std::hypot(e, h), r = std::hypot(f, g);
  const double a1 = std::atan2(g, f), a2 = std::atan2(h, e);
  const double theta = (a2 - a1) / 2 / kDegree, phi = (a2 + a1) / 2 / kDegree;
  const double sx = q + r, sy = q - r;
  const double mirror = sy < 0 ? -1 : 1;
  double radiusX = sx, radiusY = std::fabs(sy), turn = phi, shift = theta;
  // Quarter turns fold into the radii, so the turn lies within 45 degrees
  // of none and an upright ellipse stays unturned: R(turn) diag(a, b) at u
  // is R(turn - 90) diag(b, a) at u + 90.
  while (turn > 45.0) turn -= 90.0, std::swap(radiusX, radiusY), shift += 90.0 * mirror;
  while (turn <= -45.0) turn += 90.0, std::swap(radiusX, radiusY), shift -= 90.0 * mirror;
  if (std::fabs(turn) < 1e-9) turn = 0;
  const Point centre = map_.Apply(c);
  TWKDATA item = Item(kEllipse);
  item.X1 = F(centre.x);
  item.Y1 = F(centre.y);
  item.X4 = F(centre.x + radiusX);
  item.Y4 = F(centre.y + radiusY);
  item.DrawAngle = F(Turn360(turn));
  if (std::fabs(sweep) >= 360.0 - 1e-9) {
    item.X2 = 0;
    item.Y2 = 360;
  } else {
    // Items turn clockwise from X2 to Y2: an arc the other way is the same
    // arc from its end to its start.
    double from = mirror * (t0 + shift), to = mirror * (t0 + sweep + shift);
    if (mirror * sweep < 0) std::swap(from, to);
    const double start = Turn360(RayAngle(radiusX, radiusY, from));
    double end = Turn360(RayAngle(radiusX, radiusY, to));
    if (end <= start) end += 360.0;
    item.X2 = F(start);
    item.Y2 = F(end);
  }
  Push(item);
}

void ItemMaker::Rect(double x, double y, double w, double h) {
  const Point across = map_.ApplyLinear({1, 0}), down = map_.ApplyLinear({0, 1});
  const double dot = across.x * down.x + across.y * down.y;
  const double scale = std::fabs(map_.Determinant());
  if (std::fabs(dot) > 1e-9 * scale) {
    // The map skews: the corners are no longer right angles.
    const Point p[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    for (int i = 0; i < 4; ++i) Line(p[i], p[(i + 1) % 4]);
    return;
  }
  double width = w * std::hypot(across.x, across.y), height = h * std::hypot(down.x, down.y);
  // Quarter turns fold into the sides, so the turn lies within 45 degrees
  // of none and a box turned a quarter stays an unturned box with its edges
  // exactly straight.
  double angle = std::atan2(across.y, across.x) / kDegree;
  while (angle > 45.0) angle -= 90.0, std::swap(width, height);
  while (angle <= -45.0) angle += 90.0, std::swap(width, height);
  if (std::fabs(angle) < 1e-9) angle = 0;
  const Point centre = map_.Apply({x + w / 2, y + h / 2});
  TWKDATA item = Item(kRect);
  item.X1 = item.X2 = item.X3 = F(centre.x - width / 2);
  item.Y1 = item.Y2 = item.Y3 = F(centre.y - height / 2);
  item.X4 = F(centre.x + width / 2);
  item.Y4 = F(centre.y + height / 2);
  item.DrawAngle = F(Turn360(angle));
  Push(item);
}

void ItemMaker::Segment(const SvgSegment& s) {
  switch (s.kind) {
    case SvgSegment::kLine: return Line(s.from, s.to);
    case SvgSegment::kCubic: return Cubic(s.from, s.c1, s.c2, s.to);
    case SvgSegment::kArc: return Arc(s);
  }
}

}  // namespace twk
