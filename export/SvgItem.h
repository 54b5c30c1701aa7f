#pragma once
// One document item as an SVG <path> element, painted as the renderer paints
// it: the same figure, rotation, pen, even-odd fill and dot pattern, with
// the dashes and dots written out where an SVG dash array would differ.

#include <string>

#include "document/Item.h"
#include "render/DotPattern.h"

namespace twk {

// Chords of a curve stay this close (in document units) to the curve when
// dots are laid along it: a tenth of a pixel at 1024 pixels.
inline constexpr double kSvgFlatness = 0.1 / 64;

// The element (with its line feed), or an empty text for an item that
// paints nothing: hidden, an unknown kind, fully transparent, a pen without
// width, or a non-finite number among those it is painted with.
// `pixelsPerUnit` is the scale the document is shown at: dots closer than a
// pixel there are written as the solid line the renderer paints for them.
std::string SvgItemElement(const TWKDATA& item, double pixelsPerUnit);

// The picture (16 x 16 units grown by `reach` on every side) as the item's
// own, unturned coordinates see it: dots and dashes outside it are left out.
DotView ItemPictureView(const TWKDATA& item, double reach);
// Whether a dash piece's box meets the view's rectangle.
bool PieceSeen(const DotView& view, const Polyline& piece);

}  // namespace twk
