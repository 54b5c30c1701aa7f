#include "render/BandSelection.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "geometry/ItemLook.h"
#include "render/SceneRenderer.h"

namespace twk {

namespace {

PixelArea Meet(PixelArea a, PixelArea b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool AnyPainted(const Image& image, PixelArea area) {
  const std::uint8_t* data = image.data();
  for (int y = area.top; y < area.bottom; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * image.stride());
    for (int x = area.left; x < area.right; ++x)
      if (row[x] >> 24) return true;
  }
  return false;
}

// Makes `area` of `image` transparent again.
void Clear(Image& image, PixelArea area) {
  cairo_surface_flush(image.surface());
  std::uint8_t* data = image.data();
  for (int y = area.top; y < area.bottom; ++y)
    std::memset(data + static_cast<std::size_t>(y) * image.stride() + static_cast<std::size_t>(area.left) * 4, 0,
                static_cast<std::size_t>(area.right - area.left) * 4);
  image.MarkDirty();
}

}  // namespace

std::vector<int> ItemsTouchingBand(const TWKFILE& doc, PixelArea band, float pixelsPerUnitX, float pixelsPerUnitY) {
  std::vector<int> touching;
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  const PixelArea shown{0, 0, size.width, size.height};
  band = Meet(band, shown);
  if (band.empty()) return touching;
  // Each item is painted alone on one scratch picture, on the rows of the
  // band it can reach only, and those pixels are cleared after.
  const std::unique_ptr<Image> scratch = Image::NewTransparent(band.right, band.bottom);
  if (!scratch) return touching;
  for (int i = 0; i < doc.CData.size(); ++i) {
    const TWKDATA& item = *doc.CData.at(i);
    if (!IsPaintedItem(item)) continue;
    PixelArea look = band;
    PixelArea reached;
    if (ReachedArea(item, pixelsPerUnitX, pixelsPerUnitY, size.width, size.height, reached)) look = Meet(band, reached);
    if (look.empty()) continue;
    PaintItemRows(*scratch, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, i, i, look.top, look.bottom);
    cairo_surface_flush(scratch->surface());
    if (AnyPainted(*scratch, look)) touching.push_back(i);
    Clear(*scratch, {0, look.top, scratch->width(), look.bottom});
  }
  return touching;
}

void PaintBandOutline(Image& canvas, PixelArea band) {
  if (band.empty()) return;
  static constexpr double kDash = 3.0;
  cairo_t* cr = cairo_create(canvas.surface());
  cairo_rectangle(cr, band.left + 0.5, band.top + 0.5, band.right - band.left - 1, band.bottom - band.top - 1);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 3);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_set_dash(cr, &kDash, 1, 0);
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_flush(canvas.surface());
}

}  // namespace twk
