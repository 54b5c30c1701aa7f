#pragma once
// What an item is painted as, ready to be written out as one path element
// (SVG, Android vector drawable): the path data in the item's own unturned
// coordinates and the paint, following the renderer's figure, pen, even-odd
// fill and dot pattern.

#include <optional>

#include "document/Item.h"
#include "export/SvgPathData.h"
#include "geometry/ItemLook.h"

namespace twk {

// How dots and dashes are written: kStrokes as strokes (a zero-length
// segment with a round cap per disc, each dash a flat-ended stroke), for
// formats that draw those as the renderer does; kFilled as the filled
// shapes themselves (a circle per disc, the outline of each dash).
enum class DotShapes { kStrokes, kFilled };

struct ItemShape {
  SvgPathData path;
  bool fill = false;     // filled rather than stroked
  bool evenOdd = false;  // filled by the even-odd rule, as the renderer fills figures
  double width = 0;      // stroked: the pen's width
  PenStyle pen;          // stroked: its ends and corners
  double opacityScale = 1;  // fine dashes painted solid average to dash / period of the colour
};

// The shape of `item` at `pixelsPerUnit` (dot patterns finer than a pixel
// there are written as the solid line the renderer paints for them); nullopt
// for an item that paints nothing: hidden, an unknown kind, fully
// transparent, a pen without width, or a non-finite number among those it
// is painted with.
std::optional<ItemShape> ShapeOfItem(const TWKDATA& item, double pixelsPerUnit, DotShapes dots);

}  // namespace twk
