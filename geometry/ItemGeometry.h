#pragma once
// Where an item lies, independent of where it is drawn: the point it turns
// about, the turn itself, and its figure. The renderer builds the figure on a
// vector surface; the SVG writer builds the same figure as path data, so both
// follow one geometry. How it is painted is in ItemLook.h.

#include <algorithm>
#include <cmath>

#include "document/Item.h"
#include "geometry/EllipseArc.h"

namespace twk {

struct RotationCentre {
  double x, y;
};

// An ellipse turns about its centre (X1, Y1); the other kinds about the
// middle of (X1, Y1)-(X4, Y4).
inline RotationCentre RotationCentreOf(const TWKDATA& it) {
  if (it.Type == kEllipse) return {it.X1, it.Y1};
  return {(double(it.X1) + it.X4) / 2, (double(it.Y1) + it.Y4) / 2};
}

// The cosine and sine of a turn by `degrees`, clockwise on screen. Quarter
// turns get exact values, so a turned box keeps its pixel-exact edges.
struct Turn {
  double cos, sin;
};
inline Turn TurnOf(double degrees) {
  constexpr double kPi = 3.14159265358979323846;
  const double turn = std::fmod(degrees, 360.0);
  Turn t{std::cos(turn * kPi / 180.0), std::sin(turn * kPi / 180.0)};
  if (std::fmod(turn, 90.0) == 0.0) t = {std::round(t.cos), std::round(t.sin)};
  return t;
}

// Where the item's own point `p` is painted: turned by DrawAngle about the
// item's rotation centre.
inline Point PaintedAt(const TWKDATA& it, Point p) {
  const RotationCentre c = RotationCentreOf(it);
  const Turn t = TurnOf(it.DrawAngle);
  const double dx = p.x - c.x, dy = p.y - c.y;
  return {c.x + t.cos * dx - t.sin * dy, c.y + t.sin * dx + t.cos * dy};
}

// A closed figure (x, y), (x+w, y), (x+w, y+h), (x, y+h) on `s`, which
// offers MoveTo, LineTo and ClosePath.
template <class Sink>
void AppendBox(Sink& s, double x, double y, double w, double h) {
  s.MoveTo(x, y);
  s.LineTo(x + w, y);
  s.LineTo(x + w, y + h);
  s.LineTo(x, y + h);
  s.ClosePath();
}

// The elliptical arc in a new figure on `s` (MoveTo, LineTo, CubicTo,
// ClosePath): its cubic pieces, closed when the angles meet, or a
// zero-length segment at the centre when a radius is 0. Adds nothing and
// returns false when a number is not finite.
template <class Sink>
bool AppendEllipseArc(Sink& s, double cx, double cy, double rx, double ry, double start, double end) {
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry) ||
      !std::isfinite(start) || !std::isfinite(end))
    return false;
  const EllipseArcShape arc = MakeEllipseArc(cx, cy, rx, ry, start, end);
  s.MoveTo(arc.start.x, arc.start.y);
  if (arc.degenerate) {
    s.LineTo(arc.start.x, arc.start.y);
    return true;
  }
  for (const CubicPiece& p : arc.pieces) s.CubicTo(p.c1.x, p.c1.y, p.c2.x, p.c2.y, p.end.x, p.end.y);
  if (arc.closed) s.ClosePath();
  return true;
}

// Builds the item's figure on `sink`, which offers MoveTo, LineTo, CubicTo,
// AddBox (x, y, w, h) and AddEllipseArc (cx, cy, rx, ry, start, end). A
// Rect's corners are ordered on copies; the item is not changed.
template <class Sink>
void BuildItemPath(Sink& s, const TWKDATA& it) {
  switch (it.Type) {
    case kLine:
      s.MoveTo(it.X1, it.Y1);
      s.LineTo(it.X4, it.Y4);
      break;
    case kCurve:
      s.MoveTo(it.X1, it.Y1);
      s.CubicTo(it.X2, it.Y2, it.X3, it.Y3, it.X4, it.Y4);
      break;
    case kRect: {
      const double left = std::min(it.X1, it.X4), right = std::max(it.X1, it.X4);
      const double top = std::min(it.Y1, it.Y4), bottom = std::max(it.Y1, it.Y4);
      s.AddBox(left, top, right - left, bottom - top);
      break;
    }
    default:
      s.AddEllipseArc(it.X1, it.Y1, std::abs(double(it.X4) - it.X1), std::abs(double(it.Y4) - it.Y1), it.X2,
                      it.Y2);
      break;
  }
}

}  // namespace twk
