#include "render/Image.h"

#include <cairo.h>

#include <cstring>

namespace twk {

namespace {
// Refuse sizes whose pixel buffer would not fit comfortably in memory.
constexpr long long kMaxPixels = 1LL << 28;
}  // namespace

Image::Image(cairo_surface_t* surface, int w, int h) : surface_(surface), width_(w), height_(h) {}

Image::~Image() { cairo_surface_destroy(surface_); }

bool Image::SizeAllowed(int w, int h) { return w > 0 && h > 0 && static_cast<long long>(w) * h <= kMaxPixels; }

std::unique_ptr<Image> Image::NewTransparent(int w, int h) {
  if (!SizeAllowed(w, h)) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  // cairo hands out zeroed memory, which is fully transparent.
  return std::unique_ptr<Image>(new Image(s, w, h));
}

std::unique_ptr<Image> Image::OverMemory(std::uint8_t* pixels, int w, int h) {
  if (!SizeAllowed(w, h)) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, w, h, w * 4);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return std::unique_ptr<Image>(new Image(s, w, h));
}

std::unique_ptr<Image> Image::NewFilled(int w, int h, std::int32_t rgb) {
  auto image = NewTransparent(w, h);
  if (!image) return nullptr;
  const std::uint32_t pixel = 0xFF000000u | (static_cast<std::uint32_t>(rgb & 0xFF) << 16) |
                              (static_cast<std::uint32_t>((rgb >> 8) & 0xFF) << 8) |
                              static_cast<std::uint32_t>((rgb >> 16) & 0xFF);
  cairo_surface_flush(image->surface_);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image->data() + y * image->stride());
    for (int x = 0; x < w; ++x) row[x] = pixel;
  }
  image->MarkDirty();
  return image;
}

std::unique_ptr<Image> Image::Clone() const {
  auto copy = NewTransparent(width_, height_);
  if (!copy) return nullptr;
  cairo_surface_flush(surface_);
  std::memcpy(copy->data(), data(), static_cast<std::size_t>(stride()) * height_);
  copy->MarkDirty();
  return copy;
}

int Image::stride() const { return cairo_image_surface_get_stride(surface_); }
std::uint8_t* Image::data() { return cairo_image_surface_get_data(surface_); }
const std::uint8_t* Image::data() const { return cairo_image_surface_get_data(surface_); }
void Image::MarkDirty() { cairo_surface_mark_dirty(surface_); }

Rgba Image::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  cairo_surface_flush(surface_);
  const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data() + y * stride())[x];
  const unsigned a = p >> 24;
  if (a == 0) return {};
  auto unpremultiply = [a](unsigned c) {
    return static_cast<std::uint8_t>((c * 255 + a / 2) / a);
  };
  return {unpremultiply((p >> 16) & 0xFF), unpremultiply((p >> 8) & 0xFF), unpremultiply(p & 0xFF),
          static_cast<std::uint8_t>(a)};
}

}  // namespace twk
