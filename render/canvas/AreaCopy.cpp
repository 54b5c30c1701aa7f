#include "render/canvas/AreaCopy.h"

#include <algorithm>
#include <cstring>

#include <cairo.h>

namespace twk {

namespace {

// `area` within `target`; false when nothing of it is left.
bool Clip(const Image& target, PixelArea& area) {
  area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, target.width()),
          std::min(area.bottom, target.height())};
  return !area.empty();
}

// The byte where row `y` of `area` starts in an image with `stride`.
std::size_t Start(int stride, const PixelArea& area, int y) {
  return std::size_t(stride) * std::size_t(y) + std::size_t(area.left) * 4;
}

}  // namespace

void CopyArea(Image& target, const Image& source, PixelArea area) {
  if (!Clip(target, area) || source.stride() != target.stride() || source.height() < area.bottom) return;
  cairo_surface_flush(source.surface());
  cairo_surface_flush(target.surface());
  const std::size_t bytes = std::size_t(area.right - area.left) * 4;
  for (int y = area.top; y < area.bottom; ++y) {
    const std::size_t start = Start(target.stride(), area, y);
    std::memcpy(target.data() + start, source.data() + start, bytes);
  }
  target.MarkDirty();
}

void ClearArea(Image& target, PixelArea area) {
  if (!Clip(target, area)) return;
  cairo_surface_flush(target.surface());
  const std::size_t bytes = std::size_t(area.right - area.left) * 4;
  for (int y = area.top; y < area.bottom; ++y) std::memset(target.data() + Start(target.stride(), area, y), 0, bytes);
  target.MarkDirty();
}

}  // namespace twk
