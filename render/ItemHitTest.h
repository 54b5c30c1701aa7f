#pragma once
// Which item the pointer is on: the item's figure, pen and dot pattern are
// asked whether they cover a point, exactly as the renderer would paint
// them, without painting anything. Points are in document units; the canvas
// scale turns the pointer's reach (in screen pixels) into units.

#include "document/Document.h"

namespace twk {

// How far from its painted pixels an item still counts as under the pointer.
inline constexpr double kPointerReachPixels = 2.0;

// The index in doc.CData of the front-most item under the document point
// (x, y) (index 0 is painted last, so it is tried first), or -1 for none.
// An item, painted at pixelsPerUnitX/Y, is under the point when it covers a
// point within `reachPixels` screen pixels of it: inside a fill, on a
// stroke, a dot or a dash, or that near one (square caps and mitres count
// up to reach x 0.42 more at their outer corners). With unequal scales the
// reach is counted along the coarser axis (more pixels along the other).
// Items the renderer leaves out (hidden, fully transparent, unknown kind,
// broken numbers, a pen of no width) are never under the point.
int ItemAtPoint(const TWKFILE& doc, double x, double y, float pixelsPerUnitX, float pixelsPerUnitY,
                double reachPixels = kPointerReachPixels);

}  // namespace twk
