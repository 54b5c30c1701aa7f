#include "app/ImageConversion.h"

#include <cairo.h>

namespace twk {

QImage ToQImage(const Image& image) { return ImageView(image).copy(); }

QImage ImageView(const Image& image) {
  // Pending cairo drawing must reach the pixels before they are read.
  cairo_surface_flush(image.surface());
  return QImage(image.data(), image.width(), image.height(), image.stride(), QImage::Format_ARGB32_Premultiplied);
}

}  // namespace twk
