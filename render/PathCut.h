#pragma once
// Cutting figures to a rectangle in double precision, so a figure that runs
// far beyond the picture (past what cairo's fixed-point coordinates can hold,
// or just far enough to cost work) is handed on as only the part that can
// touch the picture. Curves are flattened only where they come near the
// rectangle; parts beyond it become straight chords, which change nothing
// inside it. Polygons are clipped with their edges kept on the rectangle's
// border, so fills (even-odd) keep their inside and strokes only gain edges
// on the border, out of sight when the rectangle is grown by the pen's reach.

#include <vector>

#include "geometry/DotPattern.h"

namespace twk {

struct PathOp {
  enum class Kind { kMove, kLine, kCubic, kClose };
  Kind kind;
  Point p[3];  // kLine, kMove: p[0]; kCubic: control points and end
};

struct CutRect {
  double left, top, right, bottom;
};

// The figures of `ops` cut to `rect`; curves flattened to within
// `tolerance`. A figure closed by kClose stays closed.
std::vector<Polyline> CutToRect(const std::vector<PathOp>& ops, const CutRect& rect, double tolerance);

}  // namespace twk
