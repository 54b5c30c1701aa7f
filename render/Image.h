#pragma once
// A 32-bit picture (red, green, blue, alpha) backed by a cairo image surface.
// Pixels are kept premultiplied in memory, as cairo wants them; PixelAt and
// the PNG writer hand out straight (non-premultiplied) values.

#include <cstdint>
#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace twk {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

class Image {
 public:
  // A new w x h image, fully transparent; nullptr when it cannot be made
  // (zero or negative size, too large, out of memory).
  static std::unique_ptr<Image> NewTransparent(int w, int h);
  // A new image filled with the opaque colour `rgb` (colour packing; its
  // alpha byte is ignored).
  static std::unique_ptr<Image> NewFilled(int w, int h, std::int32_t rgb);
  // Whether an image of w x h pixels may be made at all: positive sides
  // and a pixel buffer that fits comfortably in memory.
  static bool SizeAllowed(int w, int h);
  // A w x h image over `pixels` (w * h * 4 bytes, laid out as data() is),
  // which the caller keeps alive and owns; the pixels are used as they are.
  // nullptr for a size SizeAllowed refuses.
  static std::unique_ptr<Image> OverMemory(std::uint8_t* pixels, int w, int h);

  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // An independent copy; nullptr when it cannot be made.
  std::unique_ptr<Image> Clone() const;

  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const;
  // Premultiplied pixels in cairo's ARGB32 layout (native-endian 0xAARRGGBB).
  std::uint8_t* data();
  const std::uint8_t* data() const;
  cairo_surface_t* surface() const { return surface_; }
  // Call after writing pixels through data() behind cairo's back.
  void MarkDirty();

  // Straight colour of one pixel; (0,0,0,0) outside the image.
  Rgba PixelAt(int x, int y) const;

 private:
  Image(cairo_surface_t* surface, int w, int h);
  cairo_surface_t* surface_;
  int width_;
  int height_;
};

}  // namespace twk
