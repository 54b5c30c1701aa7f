#pragma once
// The canvas background: white, with the cells of the document area outlined
// in grey (206, 206, 206).

#include <memory>

#include "render/Image.h"

namespace twk {

// A canvasWidth x canvasHeight white image outlining the top-left
// cellsWide x cellsHigh of its 16 x 16 cells (clamped to 0..16).
// nullptr when the image cannot be made.
std::unique_ptr<Image> BuildGridImage(int canvasWidth, int canvasHeight, int cellsWide, int cellsHigh);

}  // namespace twk
