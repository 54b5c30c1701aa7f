#include "render/ItemHitTest.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/FigureReach.h"
#include "geometry/ItemGeometry.h"
#include "geometry/ItemLook.h"
#include "render/VectorSurface.h"

namespace twk {

namespace {

// The surface leaves out figures reaching beyond this many device pixels.
constexpr double kMaxDevice = 2097152.0;
// Points tried around the pointer near a flat end: rings at these fractions
// of the reach, each with kRingPoints points.
constexpr std::array<double, 4> kRings = {0.25, 0.5, 0.75, 1.0};
constexpr int kRingPoints = 16;

bool Finite(double v) { return std::isfinite(v); }

const std::array<Point, kRingPoints>& RingDirections() {
  static const std::array<Point, kRingPoints> directions = [] {
    std::array<Point, kRingPoints> d;
    for (int k = 0; k < kRingPoints; ++k) {
      const double a = 2 * 3.14159265358979323846 * k / kRingPoints;
      d[k] = {std::cos(a), std::sin(a)};
    }
    return d;
  }();
  return directions;
}

// The item's figure on a cairo context, as the vector surface builds it:
// marked broken when a number is unusable or reaches beyond the device range.
struct ProbePath {
  cairo_t* cr;
  bool broken = false;
  bool empty = true;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;  // device bounds

  void Track(double x, double y) {
    if (!Finite(x) || !Finite(y)) {
      broken = true;
      return;
    }
    cairo_user_to_device(cr, &x, &y);
    if (!(std::fabs(x) <= kMaxDevice && std::fabs(y) <= kMaxDevice)) {
      broken = true;
      return;
    }
    if (empty) minX = maxX = x, minY = maxY = y, empty = false;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  void MoveTo(double x, double y) {
    Track(x, y);
    if (!broken) cairo_move_to(cr, x, y);
  }
  void LineTo(double x, double y) {
    Track(x, y);
    if (!broken) cairo_line_to(cr, x, y);
  }
  void CubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    Track(x1, y1);
    Track(x2, y2);
    Track(x3, y3);
    if (!broken) cairo_curve_to(cr, x1, y1, x2, y2, x3, y3);
  }
  void ClosePath() {
    if (!broken) cairo_close_path(cr);
  }
  void AddBox(double x, double y, double w, double h) { AppendBox(*this, x, y, w, h); }
  void AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end) {
    if (!AppendEllipseArc(*this, cx, cy, rx, ry, start, end)) broken = true;
  }
};

void SetPen(cairo_t* cr, double width, PenStyle pen) {
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, pen.cap == LineCap::kRound  ? CAIRO_LINE_CAP_ROUND
                         : pen.cap == LineCap::kFlat ? CAIRO_LINE_CAP_BUTT
                                                     : CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(cr, pen.join == LineJoin::kRound ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
}

// A solid stroke as the surface paints it: a zero-length figure with square
// caps, which cairo leaves out, is a square of the pen's width.
void PrepareSolidStroke(cairo_t* cr, const ProbePath& path, double width, PenStyle pen) {
  SetPen(cr, width, pen);
  if (pen.cap == LineCap::kSquare && path.minX == path.maxX && path.minY == path.maxY) {
    double x = 0, y = 0;
    cairo_get_current_point(cr, &x, &y);
    cairo_new_path(cr);
    cairo_move_to(cr, x - width / 2, y);
    cairo_line_to(cr, x + width / 2, y);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  }
}

class Probe {
 public:
  Probe() : surface_(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)), cr_(cairo_create(surface_)) {}
  ~Probe() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  bool Covers(const TWKDATA& item, double x, double y, float ppuX, float ppuY, double reach) {
    if (!IsPaintedItem(item) || !(ppuX > 0) || !(ppuY > 0) || !Finite(ppuX) || !Finite(ppuY)) return false;
    if (!Finite(x) || !Finite(y)) return false;
    reach = Finite(reach) ? std::max(reach, 0.0) : 0.0;
    const ItemPaint paint = PaintOf(item);
    const double width = item.DrawWidth;
    if (paint != ItemPaint::kFill && !(Finite(width) && width > 0)) return false;
    if (!Place(item, ppuX, ppuY)) return false;
    const PenStyle pen = PenStyleFor(item.DrawMethod2);
    double ux = x * ppuX, uy = y * ppuY;
    cairo_device_to_user(cr_, &ux, &uy);
    // How far the paint reaches from the figure: half the pen, to a square
    // cap's or a right-angled mitre's corner.
    const double penReach = paint == ItemPaint::kFill ? 0.0 : width / 2 * std::sqrt(2.0);
    const double reachUnits = reach / std::min(ppuX, ppuY);
    if (!NearFigureBox(item, ux, uy, penReach + reachUnits)) return false;
    const bool fill = paint == ItemPaint::kFill;
    if (SurelyBeyond(item, fill, ux, uy, penReach + reachUnits)) return false;
    cairo_new_path(cr_);
    ProbePath path{cr_, false, true};
    BuildItemPath(path, item);
    if (path.broken || path.empty) return false;
    PrepareShape(path, paint, width, pen);
    const double px = x * ppuX, py = y * ppuY;
    if (fill) {
      if (Inside(true, px, py)) return true;
      // Within the reach of a fill: on a round pen of twice the reach along
      // its edge, the closing side included.
      cairo_close_path(cr_);
      cairo_set_line_width(cr_, 2 * reachUnits);
      cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
      return reachUnits > 0 && Inside(false, px, py);
    }
    // Within the reach of a stroke: on the same pen widened by twice the
    // reach. Round pens give exactly that; square caps and mitres reach a
    // little farther at their corners. Flat ends do not grow that way, so
    // near them the pen is tried around the pointer instead.
    const double penWidth = cairo_get_line_width(cr_);
    const cairo_line_cap_t cap = cairo_get_line_cap(cr_);
    cairo_set_line_width(cr_, penWidth + 2 * reachUnits);
    if (cap == CAIRO_LINE_CAP_BUTT) cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    if (!Inside(false, px, py)) return false;
    if (cap != CAIRO_LINE_CAP_BUTT) return true;
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
    if (Inside(false, px, py)) return true;
    cairo_set_line_width(cr_, penWidth);
    if (Inside(false, px, py)) return true;
    for (double ring : kRings) {
      for (const Point& d : RingDirections()) {
        if (Inside(false, px + reach * ring * d.x, py + reach * ring * d.y)) return true;
      }
    }
    return false;
  }

 private:
  // The canvas scale, then the item's turn about its centre.
  bool Place(const TWKDATA& item, float ppuX, float ppuY) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
      cairo_destroy(cr_);
      cr_ = cairo_create(surface_);
    }
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    const RotationCentre c = RotationCentreOf(item);
    if (!Finite(c.x) || !Finite(c.y) || !Finite(item.DrawAngle)) return false;
    const Turn t = TurnOf(item.DrawAngle);
    cairo_matrix_t m, rotation;
    cairo_matrix_init_scale(&m, ppuX, ppuY);
    cairo_matrix_translate(&m, c.x, c.y);
    cairo_matrix_init(&rotation, t.cos, t.sin, -t.sin, t.cos, 0, 0);
    cairo_matrix_multiply(&m, &rotation, &m);
    cairo_matrix_translate(&m, -c.x, -c.y);
    if (!Finite(m.x0) || !Finite(m.y0)) return false;
    cairo_set_matrix(cr_, &m);
    return cairo_status(cr_) == CAIRO_STATUS_SUCCESS;
  }

  // Turns the item's path on the context into what the renderer fills or
  // strokes, with its pen.
  void PrepareShape(const ProbePath& path, ItemPaint paint, double width, PenStyle pen) {
    if (paint == ItemPaint::kFill) return;
    if (paint == ItemPaint::kDots) {
      SetPen(cr_, width, pen);
      const DotStrokePlan plan = PlanDotStroke(cr_, width, 1.5 * width, pen);
      if (!plan.pattern) PrepareSolidStroke(cr_, path, width, plan.pen);
      return;
    }
    PrepareSolidStroke(cr_, path, width, pen);
  }

  bool Inside(bool fill, double deviceX, double deviceY) {
    cairo_device_to_user(cr_, &deviceX, &deviceY);
    return fill ? cairo_in_fill(cr_, deviceX, deviceY) : cairo_in_stroke(cr_, deviceX, deviceY);
  }

  cairo_surface_t* surface_;
  cairo_t* cr_;
};

}  // namespace

int ItemAtPoint(const TWKFILE& doc, double x, double y, float pixelsPerUnitX, float pixelsPerUnitY,
                double reachPixels) {
  Probe probe;
  for (int i = 0; i < doc.CData.size(); ++i) {
    if (probe.Covers(*doc.CData.at(i), x, y, pixelsPerUnitX, pixelsPerUnitY, reachPixels)) return i;
  }
  return -1;
}

}  // namespace twk
