#include "render/VectorSurface.h"

#include <algorithm>
#include <cmath>

#include "document/Colour.h"
#include "render/ItemGeometry.h"

namespace twk {

namespace {

// Device coordinates beyond this would overflow cairo's 24.8 fixed point
// once a wide pen is added; figures reaching past it are not drawn.
constexpr double kMaxDevice = 2097152.0;

bool Finite(double v) { return std::isfinite(v); }

bool UsableMatrix(const cairo_matrix_t& m) {
  if (!Finite(m.xx) || !Finite(m.yx) || !Finite(m.xy) || !Finite(m.yy) || !Finite(m.x0) || !Finite(m.y0))
    return false;
  const double det = m.xx * m.yy - m.xy * m.yx;
  return Finite(det) && det != 0.0 && Finite(1.0 / det);
}

// Smallest stretch the matrix applies to any direction.
double MinStretch(const cairo_matrix_t& m) {
  const double a = m.xx, b = m.yx, c = m.xy, d = m.yy;
  const double s = a * a + b * b + c * c + d * d;
  const double det = std::fabs(a * d - b * c);
  const double root = std::sqrt(std::max(0.0, s * s / 4 - det * det));
  return std::sqrt(std::max(0.0, s / 2 - root));
}

// Largest stretch the matrix applies to any direction.
double MaxStretch(const cairo_matrix_t& m) {
  const double a = m.xx, b = m.yx, c = m.xy, d = m.yy;
  const double s = a * a + b * b + c * c + d * d;
  const double det = std::fabs(a * d - b * c);
  const double root = std::sqrt(std::max(0.0, s * s / 4 - det * det));
  return std::sqrt(s / 2 + root);
}

// Pixels of anti-aliasing and rounding allowed around a figure when deciding
// that it cannot touch the target.
constexpr double kCullSlack = 2.0;

cairo_line_cap_t CairoCap(LineCap cap) {
  switch (cap) {
    case LineCap::kFlat: return CAIRO_LINE_CAP_BUTT;
    case LineCap::kRound: return CAIRO_LINE_CAP_ROUND;
    default: return CAIRO_LINE_CAP_SQUARE;
  }
}

}  // namespace

VectorSurface::VectorSurface(Image& image)
    : surface_(image.surface()), width_(image.width()), height_(image.height()), endRow_(image.height()) {
  cairo_matrix_init_identity(&state_.matrix);
  state_.usable = true;
  Recover();
}

VectorSurface::VectorSurface(Image& image, int firstRow, int rowCount)
    : width_(image.width()), height_(image.height()) {
  firstRow_ = std::clamp(firstRow, 0, height_);
  endRow_ = std::clamp(firstRow + std::max(rowCount, 0), firstRow_, height_);
  cairo_surface_flush(image.surface());
  // The band's rows of the image's own pixel memory, shifted up by the
  // device offset: cairo maps whole-image coordinates first and then moves
  // them by a whole number of rows, which leaves the sub-pixel positions of
  // every edge, and so every pixel's coverage, as they are.
  bandSurface_ = cairo_image_surface_create_for_data(image.data() + std::size_t(firstRow_) * image.stride(),
                                                     CAIRO_FORMAT_ARGB32, width_, endRow_ - firstRow_,
                                                     image.stride());
  cairo_surface_set_device_offset(bandSurface_, 0, -firstRow_);
  surface_ = bandSurface_;
  cairo_matrix_init_identity(&state_.matrix);
  state_.usable = true;
  Recover();
}

VectorSurface::~VectorSurface() {
  if (cr_) cairo_destroy(cr_);
  if (bandSurface_) {
    cairo_surface_flush(bandSurface_);
    cairo_surface_destroy(bandSurface_);
  }
}

bool VectorSurface::ok() const { return cr_ && cairo_status(cr_) == CAIRO_STATUS_SUCCESS; }

void VectorSurface::Recover() {
  if (cr_) cairo_destroy(cr_);
  cr_ = cairo_create(surface_);
  if (!saved_.empty()) state_ = saved_.front();
  saved_.clear();
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  if (state_.usable) cairo_set_matrix(cr_, &state_.matrix);
  SetSourceColour(colour_);
  ClearPath();
}

bool VectorSurface::Drawable() const { return state_.usable && ok(); }

void VectorSurface::ApplyMatrix(const cairo_matrix_t& m) {
  if (!UsableMatrix(m)) {
    state_.usable = false;
    return;
  }
  state_.matrix = m;
  if (ok()) cairo_set_matrix(cr_, &m);
}

void VectorSurface::ScaleBy(double sx, double sy) {
  if (!state_.usable) return;
  cairo_matrix_t m = state_.matrix;
  cairo_matrix_scale(&m, sx, sy);
  ApplyMatrix(m);
}

void VectorSurface::RotateAbout(double cx, double cy, double degrees) {
  if (!state_.usable) return;
  if (!Finite(cx) || !Finite(cy) || !Finite(degrees)) {
    state_.usable = false;
    return;
  }
  const Turn t = TurnOf(degrees);
  cairo_matrix_t rotation;
  cairo_matrix_init(&rotation, t.cos, t.sin, -t.sin, t.cos, 0, 0);
  cairo_matrix_t m = state_.matrix;
  cairo_matrix_translate(&m, cx, cy);
  cairo_matrix_multiply(&m, &rotation, &m);
  cairo_matrix_translate(&m, -cx, -cy);
  ApplyMatrix(m);
}

void VectorSurface::PushState() { saved_.push_back(state_); }

void VectorSurface::PopState() {
  if (saved_.empty()) return;
  state_ = saved_.back();
  saved_.pop_back();
  if (state_.usable && ok()) cairo_set_matrix(cr_, &state_.matrix);
}

void VectorSurface::SetSourceColour(std::int32_t rgba) {
  colour_ = rgba;
  if (cr_)
    cairo_set_source_rgba(cr_, RedOf(rgba) / 255.0, GreenOf(rgba) / 255.0, BlueOf(rgba) / 255.0,
                          AlphaOf(rgba) / 255.0);
}

void VectorSurface::Track(double x, double y) {
  if (!Drawable() || !Finite(x) || !Finite(y)) {
    pathBroken_ = true;
    return;
  }
  cairo_matrix_transform_point(&state_.matrix, &x, &y);
  if (!(std::fabs(x) <= kMaxDevice && std::fabs(y) <= kMaxDevice)) {
    pathBroken_ = true;
    return;
  }
  if (pathEmpty_) {
    minX_ = maxX_ = x;
    minY_ = maxY_ = y;
    pathEmpty_ = false;
  }
  minX_ = std::min(minX_, x), maxX_ = std::max(maxX_, x);
  minY_ = std::min(minY_, y), maxY_ = std::max(maxY_, y);
}

void VectorSurface::MoveTo(double x, double y) {
  Track(x, y);
  if (!pathBroken_) cairo_move_to(cr_, x, y);
}

void VectorSurface::LineTo(double x, double y) {
  Track(x, y);
  if (!pathBroken_) cairo_line_to(cr_, x, y);
}

void VectorSurface::CubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  Track(x1, y1);
  Track(x2, y2);
  Track(x3, y3);
  if (!pathBroken_) cairo_curve_to(cr_, x1, y1, x2, y2, x3, y3);
}

void VectorSurface::ClosePath() {
  if (!pathBroken_ && ok()) cairo_close_path(cr_);
}

void VectorSurface::AddBox(double x, double y, double w, double h) { AppendBox(*this, x, y, w, h); }

void VectorSurface::AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
  if (!AppendEllipseArc(*this, cx, cy, rx, ry, start, end)) pathBroken_ = true;
}

void VectorSurface::ClearPath() {
  if (cr_) cairo_new_path(cr_);
  pathBroken_ = false;
  pathEmpty_ = true;
}

bool VectorSurface::SetPen(double width, PenStyle style) {
  if (pathBroken_ || pathEmpty_ || !Drawable() || !Finite(width) || !(width > 0)) return false;
  // A pen wider than twice the distance from the path to the farthest pixel
  // paints the same pixels as any wider one; keep it inside cairo's range.
  const double spanX = std::max(maxX_, double(width_)) - std::min(minX_, 0.0);
  const double spanY = std::max(maxY_, double(height_)) - std::min(minY_, 0.0);
  const double useful = 2.0 * std::hypot(spanX, spanY) + 2.0;
  const double stretch = MinStretch(state_.matrix);
  if (width * stretch > useful) {
    width = useful / stretch;
    style.join = LineJoin::kRound;  // a mitre of such a pen would leave the range
  }
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CairoCap(style.cap));
  cairo_set_line_join(cr_, style.join == LineJoin::kRound ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
  return true;
}

bool VectorSurface::MissesTarget(double margin) const {
  return maxX_ + margin < 0 || minX_ - margin > width_ || maxY_ + margin < firstRow_ || minY_ - margin > endRow_;
}

double VectorSurface::StrokeMargin(PenStyle style) const {
  // Half the pen in device pixels, times how far a cap or join reaches
  // beyond it: a square cap's corner by sqrt(2), a mitre by the miter limit.
  double reach = style.cap == LineCap::kSquare ? std::sqrt(2.0) : 1.0;
  if (cairo_get_line_join(cr_) == CAIRO_LINE_JOIN_MITER) reach = std::max(reach, cairo_get_miter_limit(cr_));
  return cairo_get_line_width(cr_) / 2 * MaxStretch(state_.matrix) * reach + kCullSlack;
}

void VectorSurface::Stroke(double width, PenStyle style) {
  if (SetPen(width, style) && !MissesTarget(StrokeMargin(style))) {
    if (style.cap == LineCap::kSquare && minX_ == maxX_ && minY_ == maxY_) {
      // cairo leaves a zero-length figure with square caps out; it is a
      // square of the pen's width, turned with the user space.
      double x = 0, y = 0;
      cairo_get_current_point(cr_, &x, &y);
      const double half = cairo_get_line_width(cr_) / 2;
      cairo_new_path(cr_);
      cairo_move_to(cr_, x - half, y);
      cairo_line_to(cr_, x + half, y);
      cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
    }
    cairo_stroke(cr_);
  }
  ClearPath();
}

void VectorSurface::Fill() {
  if (!pathBroken_ && !pathEmpty_ && Drawable() && !MissesTarget(kCullSlack)) cairo_fill(cr_);
  ClearPath();
}

}  // namespace twk
