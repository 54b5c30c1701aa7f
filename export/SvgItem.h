#pragma once
// One document item as an SVG <path> element, painted as the renderer paints
// it: the same figure, rotation, pen, even-odd fill and dot pattern, with
// the dashes and dots written out where an SVG dash array would differ.

#include <string>

#include "document/Item.h"

namespace twk {

// The element (with its line feed), or an empty text for an item that
// paints nothing: hidden, an unknown kind, fully transparent, a pen without
// width, or a non-finite number among those it is painted with.
// `pixelsPerUnit` is the scale the document is shown at: dots closer than a
// pixel there are written as the solid line the renderer paints for them.
std::string SvgItemElement(const TWKDATA& item, double pixelsPerUnit);

}  // namespace twk
