#include "render/RasterOps.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "document/Colour.h"
#include "document/Rounding.h"

namespace twk {

namespace {

std::uint32_t OpaquePixel(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

std::uint32_t OpaquePixel(std::int32_t rgb) { return OpaquePixel(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

std::uint32_t* Row(Image& image, int y) { return reinterpret_cast<std::uint32_t*>(image.data() + y * image.stride()); }

// Fills the part of the box that lies on the image; long long avoids
// overflow for boxes far outside it.
void FillClipped(Image& image, long long x, long long y, long long w, long long h, std::uint32_t pixel) {
  const long long x0 = std::max(0LL, x), y0 = std::max(0LL, y);
  const long long x1 = std::min<long long>(image.width(), x + w), y1 = std::min<long long>(image.height(), y + h);
  for (long long row = y0; row < y1; ++row) std::fill(Row(image, int(row)) + x0, Row(image, int(row)) + x1, pixel);
}

}  // namespace

void FillBox(Image& image, int x, int y, int w, int h, std::int32_t rgb) {
  if (w <= 0 || h <= 0) return;
  cairo_surface_flush(image.surface());
  FillClipped(image, x, y, w, h, OpaquePixel(rgb));
  image.MarkDirty();
}

void FrameBox(Image& image, int x, int y, int w, int h, std::int32_t rgb) {
  if (w <= 0 || h <= 0) return;
  cairo_surface_flush(image.surface());
  const std::uint32_t pixel = OpaquePixel(rgb);
  const long long right = static_cast<long long>(x) + w - 1, bottom = static_cast<long long>(y) + h - 1;
  FillClipped(image, x, y, w, 1, pixel);
  FillClipped(image, x, bottom, w, 1, pixel);
  FillClipped(image, x, y, 1, h, pixel);
  FillClipped(image, right, y, 1, h, pixel);
  image.MarkDirty();
}

void GradientDisc(Image& image, int cx, int cy, int r, std::int32_t centre, std::int32_t rim) {
  if (r < 0) return;
  cairo_surface_flush(image.surface());
  const long long y0 = std::max(0LL, static_cast<long long>(cy) - r);
  const long long y1 = std::min<long long>(image.height() - 1, static_cast<long long>(cy) + r);
  const long long x0 = std::max(0LL, static_cast<long long>(cx) - r);
  const long long x1 = std::min<long long>(image.width() - 1, static_cast<long long>(cx) + r);
  auto mix = [](int a, int b, double t) { return RoundToInt(a * (1 - t) + b * t); };
  for (long long y = y0; y <= y1; ++y) {
    std::uint32_t* row = Row(image, int(y));
    for (long long x = x0; x <= x1; ++x) {
      const double d = std::hypot(double(x - cx), double(y - cy));
      if (d > r) continue;
      const double t = r > 0 ? std::min(d / r, 1.0) : 0.0;
      row[x] = OpaquePixel(mix(RedOf(centre), RedOf(rim), t), mix(GreenOf(centre), GreenOf(rim), t),
                           mix(BlueOf(centre), BlueOf(rim), t));
    }
  }
  image.MarkDirty();
}

namespace {

// Two 8-bit channels held in bits 0-7 and 16-23, each times a / 255,
// rounded as pixman rounds it.
inline std::uint32_t MulPair(std::uint32_t pair, std::uint32_t a) {
  std::uint32_t t = pair * a + 0x00800080u;
  t += (t >> 8) & 0x00FF00FFu;
  return (t >> 8) & 0x00FF00FFu;
}

// Adds two channel pairs, each channel saturating at 255.
inline std::uint32_t AddPair(std::uint32_t x, std::uint32_t y) {
  std::uint32_t t = x + y;
  t |= 0x01000100u - ((t >> 8) & 0x00FF00FFu);
  return t & 0x00FF00FFu;
}

// Premultiplied source-over of one pixel: src + dst * (255 - src alpha).
inline std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
  const std::uint32_t keep = 0xFFu - (src >> 24);
  const std::uint32_t rb = AddPair(src & 0x00FF00FFu, MulPair(dst & 0x00FF00FFu, keep));
  const std::uint32_t ag = AddPair((src >> 8) & 0x00FF00FFu, MulPair((dst >> 8) & 0x00FF00FFu, keep));
  return rb | (ag << 8);
}

}  // namespace

void ComposeRows(Image& target, const Image& base, const Image& layer, int top, int bottom) {
  top = std::max(top, 0);
  bottom = std::min(bottom, std::min(target.height(), base.height()));
  const int width = std::min(target.width(), base.width());
  const int over = std::min(width, layer.width());
  for (int y = top; y < bottom; ++y) {
    const auto* under = reinterpret_cast<const std::uint32_t*>(base.data() + std::size_t(y) * base.stride());
    std::uint32_t* out = Row(target, y);
    int x = 0;
    if (y < layer.height()) {
      const auto* src = reinterpret_cast<const std::uint32_t*>(layer.data() + std::size_t(y) * layer.stride());
      while (x < over) {
        // Runs of untouched (all zero) layer pixels show the base as it is.
        int run = x;
        while (run < over && src[run] == 0) ++run;
        std::copy(under + x, under + run, out + x);
        for (x = run; x < over && src[x] != 0; ++x) out[x] = src[x] >> 24 == 0xFF ? src[x] : Over(src[x], under[x]);
      }
    }
    std::copy(under + x, under + width, out + x);
  }
}

void BlendImage(Image& target, const Image& source, int x, int y) {
  cairo_t* cr = cairo_create(target.surface());
  cairo_set_source_surface(cr, source.surface(), x, y);
  cairo_paint(cr);
  cairo_destroy(cr);
}

}  // namespace twk
