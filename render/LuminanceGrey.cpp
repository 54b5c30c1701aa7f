#include "render/LuminanceGrey.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace twk {

void MakeLuminanceGrey(Image& image) {
  cairo_surface_flush(image.surface());
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.data() + static_cast<std::ptrdiff_t>(y) * image.stride());
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t p = row[x];
      // The weights sum to one, so the premultiplied grey stays within the
      // pixel's alpha, as premultiplied values must.
      const double luminance = 0.2126 * double((p >> 16) & 0xFF) + 0.7152 * double((p >> 8) & 0xFF) +
                               0.0722 * double(p & 0xFF);
      const std::uint32_t grey = std::min<std::uint32_t>(static_cast<std::uint32_t>(std::lround(luminance)), p >> 24);
      row[x] = (p & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
    }
  }
  image.MarkDirty();
}

}  // namespace twk
