#pragma once
// Geometry of an elliptical arc given by ray angles: where the arc starts,
// how far it turns, whether it closes, and its cubic Bezier pieces.

#include <vector>

#include "document/Point.h"

namespace twk {

struct CubicPiece {
  Point c1, c2, end;
};

struct EllipseArcShape {
  bool degenerate = false;  // a radius is 0: a zero-length segment at the centre
  bool closed = false;      // start and end angles have the same remainder mod 360
  Point start;
  std::vector<CubicPiece> pieces;  // each at most a quarter turn, in drawing order
};

// The point where the ray from the centre at `degrees` (clockwise on screen
// from +x) meets the ellipse.
Point EllipsePointAtAngle(double cx, double cy, double rx, double ry, double degrees);

// Turn from start to end in degrees, clockwise when positive: end - start
// when start < end, otherwise 360 - (start - end), so equal angles give a
// whole turn and a start more than a turn past the end gives a negative,
// counter-clockwise sweep. Sweeps beyond three turns are reduced by pairs of
// whole turns into 360..1080 degrees: the outline and the even-odd fill stay
// the same.
double EllipseArcSweep(double start, double end);

// The arc of (cx, cy, rx, ry) from ray angle `start` to `end`. The inputs
// must be finite.
EllipseArcShape MakeEllipseArc(double cx, double cy, double rx, double ry, double start, double end);

}  // namespace twk
