#pragma once
// Copies between rectangles of equal-sized premultiplied images: the
// composer builds the canvas picture from its kept parts in the pixels that
// changed only.

#include "render/ChangedArea.h"
#include "render/Image.h"

namespace twk {

// The pixels of `area` in `target` become those of `source` (the same size).
void CopyArea(Image& target, const Image& source, PixelArea area);

// The pixels of `area` in `target` become fully transparent.
void ClearArea(Image& target, PixelArea area);

}  // namespace twk
