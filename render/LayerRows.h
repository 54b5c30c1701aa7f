#pragma once
// Row bands of equal-sized premultiplied images: the composer builds the
// canvas picture from its layers in the rows that changed only.

#include "render/Image.h"

namespace twk {

// Rows [top, bottom) of `target` become those of `source` (the same size).
void CopyRows(Image& target, const Image& source, int top, int bottom);

// Rows [top, bottom) of `target` become fully transparent.
void ClearRows(Image& target, int top, int bottom);

}  // namespace twk
