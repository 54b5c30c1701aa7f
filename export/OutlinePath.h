#pragma once
// An item's figure kept as path segments in document units, built by the
// same geometry as the renderer's (BuildItemPath), for writing out as SVG
// path data and for laying dots along it.

#include <vector>

#include "document/Item.h"
#include "geometry/DotPattern.h"

namespace twk {

struct PathSegment {
  enum class Kind { kMove, kLine, kCubic, kClose };
  Kind kind = Kind::kMove;
  Point p[3];  // kMove, kLine: p[0]; kCubic: the two control points and the end

  bool operator==(const PathSegment& o) const;
};

class OutlinePath {
 public:
  // The figure of `item` in its own (unrotated) coordinates.
  static OutlinePath Of(const TWKDATA& item);

  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void CubicTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void ClosePath();
  void AddBox(double x, double y, double w, double h);
  void AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end);

  const std::vector<PathSegment>& segments() const { return segments_; }
  // Every coordinate is finite (a figure with a non-finite one is not drawn).
  bool Finite() const;
  // The whole figure lies on one point.
  bool SinglePoint() const;
  // The figures as polylines, curves cut into chords that stay within
  // `tolerance` of the curve.
  std::vector<Polyline> Flatten(double tolerance) const;

 private:
  std::vector<PathSegment> segments_;
  bool broken_ = false;  // an arc was given a non-finite number
};

}  // namespace twk
