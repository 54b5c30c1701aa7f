#pragma once
// The defining points of an item as handles the pointer can take: where
// each is painted (turned with the item), the thin guide lines that go with
// them, and which handle the pointer is on. All in document units.

#include <optional>
#include <vector>

#include "document/DefiningPoint.h"
#include "document/Document.h"
#include "geometry/EllipseArc.h"

namespace twk {

struct Handle {
  DefiningPoint point;
  Point at;  // where it is painted
};

struct GuideLine {
  Point from, to;
};

// The defining points `item` has handles for, in the order below; none for
// unknown kinds.
std::vector<DefiningPoint> DefiningPointsOf(const TWKDATA& item);

// The stored point a start, control or end handle stands for.
Point StoredPoint(const TWKDATA& item, DefiningPoint which);

// The handles of `item` in this order: start, controls, end, arc points.
// Unknown kinds have none.
std::vector<Handle> ItemHandles(const TWKDATA& item);

// Thin lines drawn with the handles: from a curve's controls to their ends,
// and the four sides of an ellipse's box.
std::vector<GuideLine> ItemGuides(const TWKDATA& item);

// Half the side of a handle's square, in screen pixels.
inline constexpr int kHandleHalfPixels = 3;

// The handle of the items `selected` (indices into doc.CData) whose square,
// grown by `reachPixels`, holds the document point (x, y); the nearest when
// several do, the earlier in `selected` on a tie.
std::optional<HandleHit> HandleAtPoint(const TWKFILE& doc, const std::vector<int>& selected, double x, double y,
                                       float pixelsPerUnitX, float pixelsPerUnitY, double reachPixels = 2.0);

}  // namespace twk
