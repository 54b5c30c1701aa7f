#pragma once
// SVG path data ("M2 2h20a2 2 0 0 1 2 2z") as absolute segments in the
// path's own coordinates: lines, cubics (quadratics raised to cubics
// exactly) and elliptical arcs in SVG's endpoint form. `Z` closes a subpath
// with a line back to its start when the pen is elsewhere. Data after an
// error is ignored, as SVG renders a path up to its first error.

#include <cstddef>
#include <string_view>
#include <vector>

#include "document/Point.h"

namespace twk {

struct SvgSegment {
  enum Kind { kLine, kCubic, kArc };
  Kind kind = kLine;
  Point from, c1, c2, to;  // c1, c2: a cubic's control points
  double rx = 0, ry = 0, xRotation = 0;  // an arc's radii and x-axis rotation in degrees
  bool large = false, sweep = false;     // an arc's flags
};

struct SvgSubPath {
  std::vector<SvgSegment> segments;
  bool closed = false;  // ended by Z
};

// The subpaths of `d` that draw anything. Throws SvgReadError when they hold
// more than `maxSegments` segments or a number is past the float range.
std::vector<SvgSubPath> ParsePathData(std::string_view d, std::size_t maxSegments);

}  // namespace twk
