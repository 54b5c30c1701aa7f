#include "render/VectorSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/Colour.h"
#include "geometry/ItemGeometry.h"
#include "render/PathCut.h"

namespace twk {

namespace {

// A path reaching further than this beyond the picture (in device pixels)
// is cut to the picture before cairo sees it: cairo's 24.8 fixed point ends
// near 2 million pixels, and far-away parts would only cost work.
constexpr double kFarReach = 1024.0;
// The most a cut grows the picture by for a wide pen: the pen is then
// narrowed to what it can paint (see SetPen), so this is plenty.
constexpr double kMaxCutMargin = 262144.0;
// How closely a cut follows curves, in device pixels (cairo's own default).
constexpr double kCutTolerance = 0.1;

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

// Where a translucent paint goes through the coverage mask: strokes of a pen
// up to this many device pixels wide, and fills whose device bounds hold up
// to this many pixels. Such figures cross their rows in short runs, each a
// composite of its own when painted directly; a wider pen or a larger fill
// covers long runs that cairo composites at once, and its mask would only
// add a pass over many pixels.
constexpr double kMaskedPenWidth = 48.0;
constexpr double kMaskedFillArea = 65536.0;

cairo_line_cap_t CairoCap(LineCap cap) {
  switch (cap) {
    case LineCap::kFlat: return CAIRO_LINE_CAP_BUTT;
    case LineCap::kRound: return CAIRO_LINE_CAP_ROUND;
    default: return CAIRO_LINE_CAP_SQUARE;
  }
}

}  // namespace

VectorSurface::VectorSurface(Image& image)
    : surface_(image.surface()),
      width_(image.width()),
      height_(image.height()),
      endRow_(image.height()),
      mask_(width_, 0, endRow_) {
  cairo_matrix_init_identity(&state_.matrix);
  state_.usable = true;
  Recover();
}

VectorSurface::VectorSurface(Image& image, int firstRow, int rowCount)
    : width_(image.width()),
      height_(image.height()),
      firstRow_(std::clamp(firstRow, 0, height_)),
      endRow_(std::clamp(firstRow + std::max(rowCount, 0), firstRow_, height_)),
      mask_(width_, firstRow_, endRow_) {
  // The image is not flushed here: bands of one image are opened on several
  // threads at once, and the caller flushes it once before.
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
  if (!Finite(x) || !Finite(y)) {
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
  if (!pathBroken_) ops_.push_back({PathOp::Kind::kMove, {{x, y}}});
}

void VectorSurface::LineTo(double x, double y) {
  Track(x, y);
  if (!pathBroken_) ops_.push_back({PathOp::Kind::kLine, {{x, y}}});
}

void VectorSurface::CubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  Track(x1, y1);
  Track(x2, y2);
  Track(x3, y3);
  if (!pathBroken_) ops_.push_back({PathOp::Kind::kCubic, {{x1, y1}, {x2, y2}, {x3, y3}}});
}

void VectorSurface::ClosePath() {
  if (!pathBroken_) ops_.push_back({PathOp::Kind::kClose, {}});
}

bool VectorSurface::Far() const {
  // Measured against the whole image, never a band, so that bands cut
  // exactly as the whole image does.
  return minX_ < -kFarReach || minY_ < -kFarReach || maxX_ > width_ + kFarReach || maxY_ > height_ + kFarReach;
}

void VectorSurface::Emit(double margin) {
  cairo_new_path(cr_);
  if (!Far()) {
    for (const PathOp& op : ops_) {
      switch (op.kind) {
        case PathOp::Kind::kMove: cairo_move_to(cr_, op.p[0].x, op.p[0].y); break;
        case PathOp::Kind::kLine: cairo_line_to(cr_, op.p[0].x, op.p[0].y); break;
        case PathOp::Kind::kCubic:
          cairo_curve_to(cr_, op.p[0].x, op.p[0].y, op.p[1].x, op.p[1].y, op.p[2].x, op.p[2].y);
          break;
        case PathOp::Kind::kClose: cairo_close_path(cr_); break;
      }
    }
    return;
  }
  // Cut in device space, then handed to cairo in user space again, so the
  // pen keeps the shape the transformation gives it.
  std::vector<PathOp> device = ops_;
  for (PathOp& op : device)
    for (Point& p : op.p) cairo_matrix_transform_point(&state_.matrix, &p.x, &p.y);
  margin = std::min(margin, kMaxCutMargin);
  const CutRect rect{-margin, -margin, width_ + margin, height_ + margin};
  cairo_matrix_t inverse = state_.matrix;
  cairo_matrix_invert(&inverse);
  minX_ = minY_ = std::numeric_limits<double>::max();
  maxX_ = maxY_ = std::numeric_limits<double>::lowest();
  for (Polyline& figure : CutToRect(device, rect, kCutTolerance)) {
    for (std::size_t i = 0; i < figure.points.size(); ++i) {
      Point p = figure.points[i];
      minX_ = std::min(minX_, p.x), maxX_ = std::max(maxX_, p.x);
      minY_ = std::min(minY_, p.y), maxY_ = std::max(maxY_, p.y);
      cairo_matrix_transform_point(&inverse, &p.x, &p.y);
      if (i == 0) cairo_move_to(cr_, p.x, p.y);
      else cairo_line_to(cr_, p.x, p.y);
    }
    if (figure.closed) cairo_close_path(cr_);
  }
  pathEmpty_ = minX_ > maxX_;
}

void VectorSurface::AddBox(double x, double y, double w, double h) { AppendBox(*this, x, y, w, h); }

void VectorSurface::AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
  if (!AppendEllipseArc(*this, cx, cy, rx, ry, start, end)) pathBroken_ = true;
}

void VectorSurface::ClearPath() {
  if (cr_) cairo_new_path(cr_);
  ops_.clear();
  pathBroken_ = false;
  pathEmpty_ = true;
}

bool VectorSurface::SetPen(double width, PenStyle style) {
  if (pathBroken_ || pathEmpty_ || !Drawable() || !Finite(width) || !(width > 0)) return false;
  // A pen wider than twice the distance from the path to the farthest pixel
  // paints the same pixels as any wider one; keep it inside cairo's range.
  // Measured on the path as cut (see Emit) when it reaches far away.
  const double reach = Far() ? kMaxCutMargin : std::numeric_limits<double>::infinity();
  const double spanX = std::min(std::max(maxX_, double(width_)), width_ + reach) - std::max(std::min(minX_, 0.0), -reach);
  const double spanY =
      std::min(std::max(maxY_, double(height_)), height_ + reach) - std::max(std::min(minY_, 0.0), -reach);
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

void VectorSurface::Painted(double margin, bool throughMask, const std::function<void()>& paint) {
  cairo_t* const picture = cr_;
  cairo_t* const mask =
      AlphaOf(colour_) == 255 || !throughMask
          ? nullptr
          : mask_.Open(cr_, minX_ - margin, minY_ - margin, maxX_ + margin, maxY_ + margin);
  if (mask) cr_ = mask;
  paint();
  cr_ = picture;
  if (mask) mask_.LayOn(cr_);
}

void VectorSurface::Stroke(double width, PenStyle style) {
  if (SetPen(width, style) && !MissesTarget(StrokeMargin(style))) {
    const bool point = minX_ == maxX_ && minY_ == maxY_;
    const bool narrow = cairo_get_line_width(cr_) * MaxStretch(state_.matrix) <= kMaskedPenWidth;
    Painted(StrokeMargin(style), narrow, [&] {
      Emit(StrokeMargin(style));
      if (style.cap == LineCap::kSquare && point && !pathEmpty_) {
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
    });
  }
  ClearPath();
}

void VectorSurface::Fill() {
  if (!pathBroken_ && !pathEmpty_ && Drawable() && !MissesTarget(kCullSlack)) {
    Painted(kCullSlack, (maxX_ - minX_) * (maxY_ - minY_) <= kMaskedFillArea, [&] {
      Emit(kCullSlack);
      cairo_fill(cr_);
    });
  }
  ClearPath();
}

}  // namespace twk
