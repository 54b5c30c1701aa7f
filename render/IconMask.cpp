#include "render/IconMask.h"

#include <cairo.h>

#include <cmath>

#include "document/Colour.h"

namespace twk {

namespace {

void ShapePath(cairo_t* cr, IconMaskShape shape, double side, double cornerShare) {
  const double half = side / 2;
  switch (shape) {
    case IconMaskShape::kCircle:
      cairo_arc(cr, half, half, half, 0, 2 * M_PI);
      break;
    case IconMaskShape::kSquircle: {
      // The superellipse traced in small steps: x = sign(cos t) |cos t|^(1/2).
      constexpr int kSteps = 256;
      for (int i = 0; i < kSteps; ++i) {
        const double t = 2 * M_PI * i / kSteps, c = std::cos(t), s = std::sin(t);
        const double x = half + half * std::copysign(std::sqrt(std::fabs(c)), c);
        const double y = half + half * std::copysign(std::sqrt(std::fabs(s)), s);
        if (i == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
      }
      cairo_close_path(cr);
      break;
    }
    case IconMaskShape::kRoundedSquare: {
      const double r = cornerShare * side;
      cairo_new_sub_path(cr);
      cairo_arc(cr, side - r, r, r, -M_PI / 2, 0);
      cairo_arc(cr, side - r, side - r, r, 0, M_PI / 2);
      cairo_arc(cr, r, side - r, r, M_PI / 2, M_PI);
      cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
      cairo_close_path(cr);
      break;
    }
  }
}

}  // namespace

std::unique_ptr<Image> CutToShape(const Image& image, IconMaskShape shape, double cornerShare) {
  auto cut = Image::NewTransparent(image.width(), image.height());
  if (!cut) return nullptr;
  cairo_t* cr = cairo_create(cut->surface());
  cairo_set_source_surface(cr, image.surface(), 0, 0);
  ShapePath(cr, shape, image.width(), cornerShare);
  cairo_fill(cr);
  cairo_destroy(cr);
  return cut;
}

void DrawCircleMark(Image& image, double radius, std::int32_t colour) {
  cairo_t* cr = cairo_create(image.surface());
  cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
  cairo_set_line_width(cr, 1);
  cairo_arc(cr, image.width() / 2.0, image.height() / 2.0, radius, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_destroy(cr);
}

bool CoversOutsideCircle(const Image& image, double radius) {
  const double cx = image.width() / 2.0, cy = image.height() / 2.0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > radius && image.PixelAt(x, y).a >= 128) return true;
    }
  }
  return false;
}

}  // namespace twk
