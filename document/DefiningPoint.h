#pragma once
// The defining points of an item that the pointer can take by their
// handles, and a handle found under the pointer.

namespace twk {

// Which defining point a handle stands for.
enum class DefiningPoint {
  kStart,     // (X1, Y1): a line's or curve's start, a rect corner, an ellipse's centre
  kControl1,  // (X2, Y2) of a curve
  kControl2,  // (X3, Y3) of a curve
  kEnd,       // (X4, Y4): the end, the opposite rect corner, the corner of an ellipse's box
  kArcStart,  // the ellipse point on the ray at the start angle X2
  kArcEnd,    // the ellipse point on the ray at the end angle Y2
};

struct HandleHit {
  int item = -1;  // index in doc.CData
  DefiningPoint point = DefiningPoint::kStart;
  bool operator==(const HandleHit&) const = default;
};

}  // namespace twk
