#pragma once
// Where a dotted outline's dots or dashes go when it is written out as
// shapes (SVG, vector drawable) for a picture of a given scale: the ones that
// can touch the 16 x 16 units, placed as the renderer places them; or, for a
// pattern too fine to see there or too long to lay out, the solid stroke the
// renderer paints in its place.

#include <vector>

#include "document/Item.h"
#include "export/OutlinePath.h"
#include "geometry/DotPattern.h"
#include "geometry/ItemLook.h"

namespace twk {

// Chords of a curve stay this close (in document units) to the curve when
// dots are laid along it: a tenth of a pixel at 1024 pixels.
inline constexpr double kSvgFlatness = 0.1 / 64;

struct DotLayout {
  bool solid = false;
  PenStyle solidPen;            // solid: the stroke's pen
  double solidOpacityScale = 1; // solid: fine dashes average to dash / period of the colour
  std::vector<Point> dots;      // round style: the centres of the discs
  std::vector<Polyline> dashes; // square and center styles: the dashes, each cut square at both ends
};

// The layout of `item`'s dots along `outline` (its figure) with a pen of
// `width` and end style `pen`, at `pixelsPerUnit`; all in the item's own,
// unturned coordinates.
DotLayout LayOutDots(const TWKDATA& item, const OutlinePath& outline, double width, PenStyle pen,
                     double pixelsPerUnit);

}  // namespace twk
