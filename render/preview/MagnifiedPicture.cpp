#include "render/preview/MagnifiedPicture.h"

#include <cstring>

namespace twk {

std::uint32_t GridOver(std::uint32_t pixel) {
  const std::uint32_t alpha = pixel >> 24;
  const std::uint32_t grey = (128 * alpha + 127) / 255;
  std::uint32_t out = alpha << 24;
  for (int shift : {16, 8, 0}) {
    const std::uint32_t channel = (pixel >> shift) & 0xFF;
    out |= ((channel * 3 + grey + 2) / 4) << shift;
  }
  return out;
}

std::unique_ptr<Image> MagnifiedPicture(const Image& source, int factor) {
  if (factor < 1 || factor > 8) return nullptr;
  std::unique_ptr<Image> out = Image::NewTransparent(source.width() * factor, source.height() * factor);
  if (!out) return nullptr;
  const bool grid = factor >= kGridFromFactor;
  for (int y = 0; y < source.height(); ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(source.data() + static_cast<std::size_t>(y) * source.stride());
    for (int row = 0; row < factor; ++row) {
      auto* to = reinterpret_cast<std::uint32_t*>(out->data() +
                                                  static_cast<std::size_t>(y * factor + row) * out->stride());
      for (int x = 0; x < source.width(); ++x) {
        const std::uint32_t pixel = from[x];
        const std::uint32_t line = grid ? GridOver(pixel) : pixel;
        for (int column = 0; column < factor; ++column) to[x * factor + column] = row == 0 || column == 0 ? line : pixel;
      }
    }
  }
  out->MarkDirty();
  return out;
}

}  // namespace twk
