#pragma once
// A preview picture enlarged so that a designer can judge single pixels:
// each pixel becomes a square of factor x factor pixels of its own colour
// (nearest neighbour, never smoothed), and from x4 up a light grid marks
// where each source pixel begins.

#include <memory>

#include "render/Image.h"

namespace twk {

// The magnifications the Preview offers.
inline constexpr int kMagnifications[] = {1, 2, 4, 8};
// From this factor up the enlarged picture carries the pixel grid.
inline constexpr int kGridFromFactor = 4;

// The colour of a grid pixel over `pixel` (premultiplied, as Image keeps
// it): a quarter of the way towards a mid grey of the same alpha, so the
// grid shows faintly on light and dark grounds alike.
std::uint32_t GridOver(std::uint32_t pixel);

// `source` enlarged `factor` times (1 to 8); with factor >= kGridFromFactor
// the top row and left column of every enlarged pixel are GridOver it.
// nullptr when the picture cannot be made.
std::unique_ptr<Image> MagnifiedPicture(const Image& source, int factor);

}  // namespace twk
