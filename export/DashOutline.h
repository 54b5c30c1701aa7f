#pragma once
// The area a pen covers along an open polyline with flat ends and mitred
// corners (cut off past cairo's miter limit of 10, as the renderer's
// strokes are), as filled polygons: one per segment and one per corner,
// all turning the same way, so that their union filled with the non-zero
// rule is the stroke.

#include <vector>

#include "geometry/DotPattern.h"

namespace twk {

std::vector<std::vector<Point>> FlatEndedStrokeOutline(const Polyline& piece, double width);

}  // namespace twk
