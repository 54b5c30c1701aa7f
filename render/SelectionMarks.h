#pragma once
// The marks that show the selection on the canvas: a small square at each
// defining point of each selected item, thin lines from a curve's controls
// to their ends and around an ellipse's box, and for more than one item a
// dashed box around them all. Every mark is a 1-px dark line with a light
// border on both sides, so it shows on any ground. The marks go over the
// canvas picture only, never into the document's own pictures.

#include <cstddef>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"
#include "render/Image.h"

namespace twk {

// Past this many selected items only the dashed box is drawn: the handles
// of hundreds of items hide the drawing and would cost a frame each.
inline constexpr std::size_t kMostItemsWithHandles = 64;

// Paints the marks of the items `selected` (indices into doc.CData; others
// are ignored) over `canvas`, whose pixel (0, 0) is the document's origin,
// at pixelsPerUnitX/Y. Returns the pixels the marks touch (empty when
// none).
PixelArea PaintSelectionMarks(Image& canvas, const TWKFILE& doc, const std::vector<int>& selected,
                              float pixelsPerUnitX, float pixelsPerUnitY);

}  // namespace twk
