#include "render/Grid.h"

#include <algorithm>

#include "document/Colour.h"
#include "document/Rounding.h"
#include "render/RasterOps.h"

namespace twk {

std::unique_ptr<Image> BuildGridImage(int canvasWidth, int canvasHeight, int cellsWide, int cellsHigh) {
  auto grid = Image::NewFilled(canvasWidth, canvasHeight, PackRGBA(255, 255, 255, 0));
  if (!grid) return nullptr;
  const float sx = static_cast<float>(grid->width()) / 16.0f;
  const float sy = static_cast<float>(grid->height()) / 16.0f;
  const int columns = std::clamp(cellsWide, 0, 16), rows = std::clamp(cellsHigh, 0, 16);
  const std::int32_t grey = PackRGBA(206, 206, 206, 0);
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      FrameBox(*grid, RoundToInt(c * sx), RoundToInt(r * sy), RoundToInt(sx), RoundToInt(sy), grey);
    }
  }
  return grid;
}

}  // namespace twk
