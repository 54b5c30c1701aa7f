#pragma once
// The shapes launchers and systems cut app icons to, laid over square
// pictures: a circle, a squircle and a rounded square filling the picture.

#include <cstdint>
#include <memory>

#include "render/Image.h"

namespace twk {

enum class IconMaskShape {
  kCircle,         // the circle touching the picture's sides
  kSquircle,       // |x|^4 + |y|^4 <= 1 over the picture
  kRoundedSquare,  // the picture with its corners rounded
};

// A copy of the square `image` cut to `shape` (edges anti-aliased); the
// rounded square's corner radius is `cornerShare` of the side. nullptr when
// the copy cannot be made.
std::unique_ptr<Image> CutToShape(const Image& image, IconMaskShape shape, double cornerShare = 0);

// Draws the outline of the circle of `radius` pixels about the centre of
// `image`, one pixel wide, in the opaque `colour`: the mark of a safe area.
void DrawCircleMark(Image& image, double radius, std::int32_t colour);

// Whether any pixel of `image` at least half covered lies with its centre
// farther than `radius` pixels from the image's centre.
bool CoversOutsideCircle(const Image& image, double radius);

}  // namespace twk
