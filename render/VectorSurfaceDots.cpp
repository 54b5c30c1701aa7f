// Dotted strokes: round dots and square or flat dashes placed along the
// flattened path, painted with one stroke; patterns too fine to see are
// painted as their solid equivalent. The hit test plans its dots here too.

#include <algorithm>
#include <cmath>

#include "document/Colour.h"
#include "render/VectorSurface.h"

namespace twk {

namespace {

// The current path of `cr` flattened into polylines, in user space.
std::vector<Polyline> FlatFigures(cairo_t* cr) {
  std::vector<Polyline> figures;
  cairo_path_t* path = cairo_copy_path_flat(cr);
  if (path->status == CAIRO_STATUS_SUCCESS) {
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
      const cairo_path_data_t& d = path->data[i];
      if (d.header.type == CAIRO_PATH_MOVE_TO) {
        figures.push_back({{{path->data[i + 1].point.x, path->data[i + 1].point.y}}, false});
      } else if (d.header.type == CAIRO_PATH_LINE_TO && !figures.empty()) {
        figures.back().points.push_back({path->data[i + 1].point.x, path->data[i + 1].point.y});
      } else if (d.header.type == CAIRO_PATH_CLOSE_PATH && !figures.empty()) {
        figures.back().closed = true;
      }
    }
  }
  cairo_path_destroy(path);
  // A close is followed by an implicit move to the start: drop such empty tails.
  if (figures.size() > 1 && figures.back().points.size() == 1 && figures[figures.size() - 2].closed)
    figures.pop_back();
  return figures;
}

// The solid stroke that looks like a pattern too fine to see: overlapping
// discs make a round-ended line; dashes average to dash / distance of the
// colour.
DotStrokePlan SolidEquivalent(double width, double distance, PenStyle style) {
  if (style.cap == LineCap::kRound) return {false, {LineCap::kRound, LineJoin::kRound}, 1.0};
  return {false, style, std::min(1.0, width / distance)};
}

}  // namespace

DotStrokePlan PlanDotStroke(cairo_t* cr, double width, double distance, PenStyle style, const DotView* view) {
  const bool round = style.cap == LineCap::kRound;
  if (!(distance > width))  // no gaps: the dots merge into a line
    return {false, round ? PenStyle{LineCap::kRound, LineJoin::kRound} : style, 1.0};
  const double step = round ? distance - width : distance;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  const double spacing = step * std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
  if (spacing < kMinDotSpacing) return SolidEquivalent(width, distance, style);
  const std::vector<Polyline> figures = FlatFigures(cr);
  double length = 0;
  for (const Polyline& f : figures) length += PolylineLength(f);
  if (!(length / step <= kMaxDots)) return SolidEquivalent(width, distance, style);
  cairo_new_path(cr);
  if (round) {
    // With a view, only the dots that can touch it: the rest cost their
    // segments, never a dot each.
    for (const Point& c : view ? DotCentres(figures, step, *view) : DotCentres(figures, step)) {
      cairo_move_to(cr, c.x, c.y);
      cairo_line_to(cr, c.x, c.y);
    }
  } else {
    for (const Polyline& piece : DashPieces(figures, width, distance, style.cap == LineCap::kSquare)) {
      cairo_move_to(cr, piece.points.front().x, piece.points.front().y);
      for (std::size_t i = 1; i < piece.points.size(); ++i) cairo_line_to(cr, piece.points[i].x, piece.points[i].y);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  }
  return {true, style, 1.0};
}

void VectorSurface::StrokeDots(double width, double distance, PenStyle style) {
  if (!SetPen(width, style) || !std::isfinite(distance) || MissesTarget(StrokeMargin(style))) {
    ClearPath();
    return;
  }
  // A cut runs its edges along the rectangle it cuts to: cut wider than the
  // dots' view below, so no dot is placed on those edges.
  const double margin = StrokeMargin(style);
  const cairo_matrix_t& m = state_.matrix;
  const DotView view{m.xx, m.yx, m.xy, m.yy, m.x0, m.y0, -margin, firstRow_ - margin, width_ + margin, endRow_ + margin};
  DotStrokePlan plan{};
  // Every row a dotted outline crosses has a gap between each two dots:
  // its coverage always goes through the mask.
  Painted(margin, true, [&] {
    Emit(2 * margin + 16);
    plan = PlanDotStroke(cr_, width, distance, style, &view);
    if (plan.pattern) cairo_stroke(cr_);
  });
  if (plan.pattern) {
    ClearPath();
    return;
  }
  const std::int32_t colour = colour_;
  if (plan.coverage < 1.0)
    SetSourceColour(WithAlpha(colour, static_cast<int>(std::lround(AlphaOf(colour) * plan.coverage))));
  Stroke(width, plan.pen);
  SetSourceColour(colour);
}

}  // namespace twk
