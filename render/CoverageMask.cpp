#include "render/CoverageMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "render/SolidOver.h"

namespace twk {

namespace {

// Whether LayOn can lay `like`'s paint itself: a solid colour with "over"
// on an ARGB32 image whose device offset is whole pixels (the context is
// never clipped: see Open).
bool LaidLikeCairo(cairo_t* like) {
  cairo_surface_t* target = cairo_get_target(like);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(target) != CAIRO_FORMAT_ARGB32 ||
      cairo_get_operator(like) != CAIRO_OPERATOR_OVER ||
      cairo_pattern_get_type(cairo_get_source(like)) != CAIRO_PATTERN_TYPE_SOLID)
    return false;
  double dx = 0, dy = 0;
  cairo_surface_get_device_offset(target, &dx, &dy);
  return dx == std::floor(dx) && dy == std::floor(dy);
}

}  // namespace

CoverageMask::CoverageMask(int width, int firstRow, int endRow)
    : width_(width), firstRow_(firstRow), endRow_(endRow) {}

CoverageMask::~CoverageMask() { Close(); }

void CoverageMask::ClearArea() {
  std::uint8_t* origin = pixels_.get() + std::size_t(top_ - firstRow_) * stride_ + left_;
  for (int y = top_; y < bottom_; ++y)
    std::memset(origin + std::size_t(y - top_) * stride_, 0, std::size_t(right_ - left_));
}

void CoverageMask::Close() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) {
    cairo_surface_finish(surface_);
    cairo_surface_destroy(surface_);
  }
  if (drawn_) ClearArea();
  cr_ = nullptr;
  surface_ = nullptr;
  drawn_ = false;
}

cairo_t* CoverageMask::Open(cairo_t* like, double left, double top, double right, double bottom) {
  Close();
  // pixman wants the rows of an image to start on four-byte boundaries.
  const int x0 = static_cast<int>(std::clamp(std::floor(left), 0.0, double(width_))) & ~3;
  const int x1 = static_cast<int>(std::clamp(std::ceil(right), 0.0, double(width_)));
  const int y0 = static_cast<int>(std::clamp(std::floor(top), double(firstRow_), double(endRow_)));
  const int y1 = static_cast<int>(std::clamp(std::ceil(bottom), double(firstRow_), double(endRow_)));
  if (x1 <= x0 || y1 <= y0 || !LaidLikeCairo(like)) return nullptr;
  if (!pixels_) {
    stride_ = cairo_format_stride_for_width(CAIRO_FORMAT_A8, width_);
    if (stride_ <= 0) return nullptr;
    // Cleared once here; after that every area is cleared as it is laid.
    pixels_.reset(new (std::nothrow) std::uint8_t[std::size_t(stride_) * std::size_t(endRow_ - firstRow_)]());
    if (!pixels_) return nullptr;
  }
  left_ = x0, top_ = y0, right_ = x1, bottom_ = y1;
  drawn_ = true;
  std::uint8_t* origin = pixels_.get() + std::size_t(y0 - firstRow_) * stride_ + x0;
  surface_ = cairo_image_surface_create_for_data(origin, CAIRO_FORMAT_A8, x1 - x0, y1 - y0, stride_);
  // The area keeps the picture's device coordinates: a point lands on the
  // mask at the same place within its pixel as on the picture.
  cairo_surface_set_device_offset(surface_, -x0, -y0);
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    Close();
    return nullptr;
  }
  cairo_matrix_t m;
  cairo_get_matrix(like, &m);
  cairo_set_matrix(cr_, &m);
  cairo_set_line_width(cr_, cairo_get_line_width(like));
  cairo_set_line_cap(cr_, cairo_get_line_cap(like));
  cairo_set_line_join(cr_, cairo_get_line_join(like));
  cairo_set_miter_limit(cr_, cairo_get_miter_limit(like));
  cairo_set_fill_rule(cr_, cairo_get_fill_rule(like));
  cairo_set_tolerance(cr_, cairo_get_tolerance(like));
  cairo_set_antialias(cr_, cairo_get_antialias(like));
  cairo_set_source_rgba(cr_, 0, 0, 0, 1);
  return cr_;
}

void CoverageMask::LayRows(unsigned char* picture, int stride, int offsetX, int offsetY, std::uint32_t solid) {
  // The area is grown by the pen's whole reach (a mitre's included), so
  // most of it is usually empty: the laying skips empty stretches. Outside
  // the area the mask is zero, so the last run is widened to whole groups
  // of four pixels as far as the picture goes.
  const int end = std::min((right_ + 3) & ~3, width_);
  for (int y = top_; y < bottom_; ++y) {
    std::uint8_t* row = pixels_.get() + std::size_t(y - firstRow_) * stride_;
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture + std::ptrdiff_t(y + offsetY) * stride) + offsetX;
    LaySolidRun(pixels, row, left_, end, solid);
  }
}

void CoverageMask::LayOn(cairo_t* target) {
  if (cr_ && cairo_status(cr_) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(surface_);
    double r = 0, g = 0, b = 0, a = 0;
    cairo_pattern_get_rgba(cairo_get_source(target), &r, &g, &b, &a);
    cairo_surface_t* picture = cairo_get_target(target);
    double dx = 0, dy = 0;
    cairo_surface_get_device_offset(picture, &dx, &dy);
    // Written behind cairo's back: flushed before, marked changed after.
    cairo_surface_flush(picture);
    LayRows(cairo_image_surface_get_data(picture), cairo_image_surface_get_stride(picture), int(dx), int(dy),
            SolidPixel(r, g, b, a));
    cairo_surface_mark_dirty_rectangle(picture, left_, top_, right_ - left_, bottom_ - top_);
    drawn_ = false;  // laid runs are cleared, the rest was clear
  }
  Close();
}

}  // namespace twk
