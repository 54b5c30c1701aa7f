#pragma once
// The rubber band of the canvas: which items it touches, and its outline.
// An item touches the band when a pixel it paints on the canvas picture, on
// its own, lies inside the band: a fill's inside, a stroke's pen, a dot or
// its antialiased edge. The box around a figure does not count, and neither
// do items the renderer leaves out (hidden, fully transparent).

#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"
#include "render/Image.h"

namespace twk {

// The indices of doc.CData (in index order) whose painted pixels at these
// pixels per unit meet the canvas pixels `band`; only the document's area
// of the canvas counts, as only it shows items.
std::vector<int> ItemsTouchingBand(const TWKFILE& doc, PixelArea band, float pixelsPerUnitX, float pixelsPerUnitY);

// The band's outline on the canvas picture: a thin dashed dark line with a
// light border on both sides, along the band's outermost pixels.
void PaintBandOutline(Image& canvas, PixelArea band);

}  // namespace twk
