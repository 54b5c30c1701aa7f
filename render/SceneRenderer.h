#pragma once
// Paints a document into a new transparent image.

#include <memory>

#include "document/Document.h"
#include "render/Image.h"

namespace twk {

enum class RenderArea {
  kDocument,  // TWKW x TWKH units, each clamped to 1..16 (the canvas)
  kFull,      // always 16 x 16 units (the export)
};

// Renders every visible item of `doc`, last to first, at the given pixels per
// unit. Returns nullptr only when the image cannot be created; an image whose
// vector surface cannot be opened comes back blank.
std::unique_ptr<Image> RenderDocument(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                      RenderArea area);

// The picture the canvas shows: a copy of `grid` with the document rendered
// at the given scale blended over its top-left corner. nullptr when the copy
// cannot be made.
std::unique_ptr<Image> ComposeCanvas(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX,
                                     float pixelsPerUnitY);

}  // namespace twk
