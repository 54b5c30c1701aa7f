#include "geometry/EllipseArc.h"

#include <cassert>
#include <cmath>

namespace twk {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

// Wraps an angle in degrees into (-180, 180].
double WrapHalfTurn(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r > 180.0) r -= 360.0;
  if (r <= -180.0) r += 360.0;
  return r;
}

// The parameter angle (degrees) of the ellipse point on the ray at `degrees`,
// continuous in `degrees`: it stays within a quarter turn of the ray angle.
double ParameterOfRay(double rx, double ry, double degrees) {
  const double a = degrees * kRad;
  const double t = std::atan2(rx * std::sin(a), ry * std::cos(a)) / kRad;
  return degrees + WrapHalfTurn(t - degrees);
}

Point OnEllipse(double cx, double cy, double rx, double ry, double paramDegrees) {
  const double t = paramDegrees * kRad;
  return {cx + rx * std::cos(t), cy + ry * std::sin(t)};
}

// Appends `count` equal cubic pieces from parameter angle t0 over `turn`
// degrees (negative: counter-clockwise). Standard cubic approximation of a
// circular arc, stretched by rx and ry.
void AppendPieces(std::vector<CubicPiece>& pieces, double cx, double cy, double rx, double ry, double t0,
                  double turn, int count) {
  const double step = turn / count;
  const double k = 4.0 / 3.0 * std::tan(step * kRad / 4.0);
  for (int i = 0; i < count; ++i) {
    const double a = (t0 + step * i) * kRad;
    const double b = (t0 + step * (i + 1)) * kRad;
    CubicPiece p;
    p.c1 = {cx + rx * (std::cos(a) - k * std::sin(a)), cy + ry * (std::sin(a) + k * std::cos(a))};
    p.c2 = {cx + rx * (std::cos(b) + k * std::sin(b)), cy + ry * (std::sin(b) - k * std::cos(b))};
    p.end = {cx + rx * std::cos(b), cy + ry * std::sin(b)};
    pieces.push_back(p);
  }
}

}  // namespace

Point EllipsePointAtAngle(double cx, double cy, double rx, double ry, double degrees) {
  const double reduced = std::fmod(degrees, 360.0);
  return OnEllipse(cx, cy, rx, ry, ParameterOfRay(rx, ry, reduced));
}

double EllipseArcSweep(double start, double end) {
  const double sweep = start < end ? end - start : 360.0 - (start - end);
  const double size = std::fabs(sweep);
  if (size <= 1080.0) return sweep;
  // Whole turns go in pairs, so the even-odd fill and the outline stay as
  // they are, and the size lands in (360, 1080]. fmod is exact.
  double folded = std::fmod(size, 720.0);
  if (folded <= 360.0) folded += 720.0;
  return std::copysign(folded, sweep);
}

EllipseArcShape MakeEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
  assert(std::isfinite(cx) && std::isfinite(cy) && std::isfinite(rx) && std::isfinite(ry) && std::isfinite(start) &&
         std::isfinite(end));
  EllipseArcShape shape;
  shape.closed = std::fmod(start, 360.0) == std::fmod(end, 360.0);
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (rx == 0.0 || ry == 0.0) {
    shape.degenerate = true;
    shape.start = {cx, cy};
    return shape;
  }
  // The arc is the part of the sweep up to one turn, then whole turns of
  // four quarter pieces each. Whole turns are thus exact copies of each
  // other, and a pair of them cancels exactly under the even-odd fill.
  const double sweep = EllipseArcSweep(start, end);
  const double size = std::fabs(sweep);
  double part = size <= 360.0 ? size : std::fmod(size, 360.0);
  if (part == 0.0) part = 360.0;
  const int wholeTurns = static_cast<int>(std::lround((size - part) / 360.0));
  const double direction = sweep < 0.0 ? -1.0 : 1.0;
  const double from = std::fmod(start, 360.0);
  const double t0 = ParameterOfRay(rx, ry, from);
  const double t1 = ParameterOfRay(rx, ry, from + direction * part);
  const double turn = (t1 - t0) * direction;
  shape.start = OnEllipse(cx, cy, rx, ry, t0);
  if (!(turn > 0.0)) return shape;
  AppendPieces(shape.pieces, cx, cy, rx, ry, t0, direction * turn, static_cast<int>(std::ceil(turn / 90.0 - 1e-9)));
  for (int i = 0; i < wholeTurns; ++i) AppendPieces(shape.pieces, cx, cy, rx, ry, t1, direction * 360.0, 4);
  if (shape.closed) shape.pieces.back().end = shape.start;
  return shape;
}

}  // namespace twk
