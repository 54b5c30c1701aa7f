#include "render/CoverageMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace twk {

namespace {

bool Any8(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word != 0;
}

}  // namespace

CoverageMask::CoverageMask(int width, int firstRow, int endRow)
    : width_(width), firstRow_(firstRow), endRow_(endRow) {}

CoverageMask::~CoverageMask() { Close(); }

void CoverageMask::Close() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) {
    cairo_surface_finish(surface_);
    cairo_surface_destroy(surface_);
  }
  cr_ = nullptr;
  surface_ = nullptr;
}

cairo_t* CoverageMask::Open(cairo_t* like, double left, double top, double right, double bottom) {
  Close();
  // pixman wants the rows of an image to start on four-byte boundaries.
  const int x0 = static_cast<int>(std::clamp(std::floor(left), 0.0, double(width_))) & ~3;
  const int x1 = static_cast<int>(std::clamp(std::ceil(right), 0.0, double(width_)));
  const int y0 = static_cast<int>(std::clamp(std::floor(top), double(firstRow_), double(endRow_)));
  const int y1 = static_cast<int>(std::clamp(std::ceil(bottom), double(firstRow_), double(endRow_)));
  if (x1 <= x0 || y1 <= y0) return nullptr;
  if (!pixels_) {
    stride_ = cairo_format_stride_for_width(CAIRO_FORMAT_A8, width_);
    if (stride_ <= 0) return nullptr;
    pixels_.reset(new (std::nothrow) std::uint8_t[std::size_t(stride_) * std::size_t(endRow_ - firstRow_)]);
    if (!pixels_) return nullptr;
  }
  left_ = x0, top_ = y0, right_ = x1, bottom_ = y1;
  std::uint8_t* origin = pixels_.get() + std::size_t(y0 - firstRow_) * stride_ + x0;
  for (int y = y0; y < y1; ++y) std::memset(origin + std::size_t(y - y0) * stride_, 0, std::size_t(x1 - x0));
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

cairo_surface_t* CoverageMask::CoveredPart() const {
  // The area is grown by the pen's whole reach (a mitre's included), so
  // most of it is usually empty; composing it would cost more than finding
  // the covered part.
  int x0 = right_, x1 = left_, y0 = bottom_, y1 = top_;
  for (int y = top_; y < bottom_; ++y) {
    const std::uint8_t* row = pixels_.get() + std::size_t(y - firstRow_) * stride_;
    int first = left_;
    while (first + 8 <= right_ && !Any8(row + first)) first += 8;
    while (first < right_ && row[first] == 0) ++first;
    if (first == right_) continue;
    int last = right_;
    while (last - 8 >= first && !Any8(row + last - 8)) last -= 8;
    while (row[last - 1] == 0) --last;
    x0 = std::min(x0, first), x1 = std::max(x1, last);
    y0 = std::min(y0, y), y1 = y + 1;
  }
  if (x1 <= x0) return nullptr;
  x0 &= ~3;
  cairo_surface_t* part = cairo_image_surface_create_for_data(
      pixels_.get() + std::size_t(y0 - firstRow_) * stride_ + x0, CAIRO_FORMAT_A8, x1 - x0, y1 - y0, stride_);
  cairo_surface_set_device_offset(part, -x0, -y0);
  return part;
}

void CoverageMask::LayOn(cairo_t* target) {
  if (cr_ && cairo_status(cr_) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(surface_);
    if (cairo_surface_t* part = CoveredPart()) {
      // In device space: the part's own offset puts it where it was drawn.
      cairo_matrix_t m;
      cairo_get_matrix(target, &m);
      cairo_identity_matrix(target);
      cairo_mask_surface(target, part, 0, 0);
      cairo_set_matrix(target, &m);
      cairo_surface_finish(part);
      cairo_surface_destroy(part);
    }
  }
  Close();
}

}  // namespace twk
