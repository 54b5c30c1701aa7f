#include "render/SelectionMarks.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "geometry/FigureReach.h"
#include "geometry/ItemHandles.h"

namespace twk {

namespace {

// Marks this far outside the canvas are left out, which also keeps cairo's
// fixed-point numbers in range.
constexpr double kFarPixels = 1e6;
constexpr double kDash = 4.0;

struct Marker {
  cairo_t* cr;
  float ppuX, ppuY;
  int width, height;  // the canvas's pixels: squares and the box stay on them
  double reachLeft = 1e300, reachTop = 1e300, reachRight = -1e300, reachBottom = -1e300;  // of every mark

  // Adds the path on the context, stroked as it is set up or filled, to
  // the marks' reach.
  void Reach(bool stroke) {
    double x1, y1, x2, y2;
    if (stroke) {
      cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
    } else {
      cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    }
    if (x1 >= x2 || y1 >= y2) return;
    reachLeft = std::min(reachLeft, x1), reachTop = std::min(reachTop, y1);
    reachRight = std::max(reachRight, x2), reachBottom = std::max(reachBottom, y2);
  }

  // The canvas pixels the marks touch, antialiasing included.
  PixelArea Reached() const {
    if (reachLeft > reachRight) return {};
    auto clamp = [](double v, int size) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(size))); };
    const PixelArea area{clamp(std::floor(reachLeft) - 1, width), clamp(std::floor(reachTop) - 1, height),
                         clamp(std::ceil(reachRight) + 1, width), clamp(std::ceil(reachBottom) + 1, height)};
    return area.empty() ? PixelArea{} : area;
  }

  // The centre of the pixel a document point falls in.
  bool PixelCentre(Point p, double& x, double& y) const {
    x = std::floor(p.x * ppuX) + 0.5;
    y = std::floor(p.y * ppuY) + 0.5;
    return std::fabs(x) < kFarPixels && std::fabs(y) < kFarPixels;
  }

  // The figure on the context, stroked light and wide, then dark and thin.
  void Outline(bool dashed) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 3);
    cairo_set_dash(cr, nullptr, 0, 0);
    Reach(true);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    if (dashed) cairo_set_dash(cr, &kDash, 1, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
  }

  void Guide(const GuideLine& line) {
    double x0, y0, x1, y1;
    if (!PixelCentre(line.from, x0, y0) || !PixelCentre(line.to, x1, y1)) return;
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Outline(false);
  }

  // A light square with a dark ring inside its border, moved onto the
  // canvas when its point lies beyond it, so every selected item shows.
  void Square(Point at) {
    double x, y;
    if (!PixelCentre(at, x, y)) return;
    const double half = kHandleHalfPixels;
    x = std::clamp(x, half + 0.5, std::max(half + 0.5, width - half - 0.5));
    y = std::clamp(y, half + 0.5, std::max(half + 0.5, height - half - 0.5));
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, x - half - 0.5, y - half - 0.5, 2 * half + 1, 2 * half + 1);
    Reach(false);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x - half + 1, y - half + 1, 2 * half - 2, 2 * half - 2);
    cairo_stroke(cr);
  }

  // A dashed box two pixels clear of the painted box; a side beyond the
  // canvas is drawn on its border pixels instead, so the box always shows.
  void DashedBox(const Box& box) {
    auto clampX = [&](double v) { return std::clamp(v, 0.5, std::max(0.5, width - 0.5)); };
    auto clampY = [&](double v) { return std::clamp(v, 0.5, std::max(0.5, height - 0.5)); };
    const double left = clampX(std::floor(box.left * ppuX) - 1.5), right = clampX(std::ceil(box.right * ppuX) + 1.5);
    const double top = clampY(std::floor(box.top * ppuY) - 1.5), bottom = clampY(std::ceil(box.bottom * ppuY) + 1.5);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    Outline(true);
  }
};

}  // namespace

PixelArea PaintSelectionMarks(Image& canvas, const TWKFILE& doc, const std::vector<int>& selected,
                              float pixelsPerUnitX, float pixelsPerUnitY) {
  if (!(pixelsPerUnitX > 0) || !(pixelsPerUnitY > 0) || !std::isfinite(pixelsPerUnitX) ||
      !std::isfinite(pixelsPerUnitY))
    return {};
  std::vector<const TWKDATA*> items;
  for (int index : selected)
    if (index >= 0 && index < doc.CData.size()) items.push_back(doc.CData.at(index));
  if (items.empty()) return {};
  cairo_t* cr = cairo_create(canvas.surface());
  Marker marker{cr, pixelsPerUnitX, pixelsPerUnitY, canvas.width(), canvas.height()};
  if (items.size() > 1) {
    Box all;
    bool any = false;
    for (const TWKDATA* item : items) {
      Box box;
      if (!PaintedBox(*item, box)) continue;
      all = any ? Box{std::min(all.left, box.left), std::min(all.top, box.top), std::max(all.right, box.right),
                      std::max(all.bottom, box.bottom)}
                : box;
      any = true;
    }
    if (any) marker.DashedBox(all);
  }
  if (items.size() <= kMostItemsWithHandles) {
    for (const TWKDATA* item : items)
      for (const GuideLine& line : ItemGuides(*item)) marker.Guide(line);
    for (const TWKDATA* item : items)
      for (const Handle& handle : ItemHandles(*item)) marker.Square(handle.at);
  }
  cairo_destroy(cr);
  cairo_surface_flush(canvas.surface());
  return marker.Reached();
}

}  // namespace twk
