#pragma once
// Pixel-exact painting on an Image: opaque boxes and outlines, the gradient
// disc of the palette mark, and blending one image over another. Colours are
// the shared packing; raster operations use red, green and blue and paint
// opaque. Everything is clipped to the image.

#include <cstdint>

#include "render/Image.h"

namespace twk {

// Opaque rectangle of w x h pixels with its top-left pixel at (x, y).
void FillBox(Image& image, int x, int y, int w, int h, std::int32_t rgb);

// One-pixel outline on columns x and x+w-1 and rows y and y+h-1.
void FrameBox(Image& image, int x, int y, int w, int h, std::int32_t rgb);

// Filled disc of radius r about pixel (cx, cy): a pixel at distance d gets
// centre*(1-t) + rim*t per channel, t = d / r (pixels with d <= r).
void GradientDisc(Image& image, int cx, int cy, int r, std::int32_t centre, std::int32_t rim);

// `source` drawn over `target` with its per-pixel alpha (source-over), its
// top-left corner at (x, y).
void BlendImage(Image& target, const Image& source, int x, int y);

// Rows [top, bottom) of `target` become those of `base` with `layer` drawn
// over its top-left corner (source-over, with BlendImage's rounding) in one
// pass. All three images are premultiplied; `target` must be the size of
// `base`. Call target.MarkDirty() afterwards.
void ComposeRows(Image& target, const Image& base, const Image& layer, int top, int bottom);

}  // namespace twk
