// Dotted strokes: round dots and square or flat dashes placed along the
// flattened path, painted with one stroke; patterns too fine to see are
// painted as their solid equivalent.

#include <algorithm>
#include <cmath>

#include "document/Colour.h"
#include "render/VectorSurface.h"

namespace twk {

std::vector<Polyline> VectorSurface::FlatFigures() {
  std::vector<Polyline> figures;
  cairo_path_t* path = cairo_copy_path_flat(cr_);
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

void VectorSurface::StrokeSolidEquivalent(double width, double distance, PenStyle style) {
  if (style.cap == LineCap::kRound) {
    Stroke(width, {LineCap::kRound, LineJoin::kRound});  // overlapping discs: a round-ended line
    return;
  }
  // Dashes too fine to see average to dash / distance of the colour.
  const std::int32_t colour = colour_;
  const double coverage = std::min(1.0, width / distance);
  SetSourceColour(WithAlpha(colour, static_cast<int>(std::lround(AlphaOf(colour) * coverage))));
  Stroke(width, style);
  SetSourceColour(colour);
}

void VectorSurface::StrokeDots(double width, double distance, PenStyle style) {
  if (!SetPen(width, style) || !std::isfinite(distance) || MissesTarget(StrokeMargin(style))) {
    ClearPath();
    return;
  }
  const bool round = style.cap == LineCap::kRound;
  const double step = round ? distance - width : distance;
  const double spacing = step * std::sqrt(std::fabs(state_.matrix.xx * state_.matrix.yy -
                                                    state_.matrix.xy * state_.matrix.yx));
  if (!(distance > width)) {  // no gaps: the dots merge into a line
    Stroke(width, round ? PenStyle{LineCap::kRound, LineJoin::kRound} : style);
    return;
  }
  if (spacing < kMinDotSpacing) {
    StrokeSolidEquivalent(width, distance, style);
    return;
  }
  // A cut runs its edges along the rectangle it cuts to: cut wider than the
  // dots' view below, so no dot is placed on those edges.
  const double margin = StrokeMargin(style);
  Emit(2 * margin + 16);
  const std::vector<Polyline> figures = FlatFigures();
  double length = 0;
  for (const Polyline& f : figures) length += PolylineLength(f);
  if (!(length / step <= kMaxDots)) {
    StrokeSolidEquivalent(width, distance, style);
    return;
  }
  cairo_new_path(cr_);
  if (round) {
    // Only the dots that can touch the picture: the rest cost their
    // segments, never a dot each.
    const cairo_matrix_t& m = state_.matrix;
    const DotView view{m.xx, m.yx, m.xy, m.yy, m.x0, m.y0, -margin, firstRow_ - margin, width_ + margin, endRow_ + margin};
    for (const Point& c : DotCentres(figures, step, view)) {
      cairo_move_to(cr_, c.x, c.y);
      cairo_line_to(cr_, c.x, c.y);
    }
  } else {
    for (const Polyline& piece : DashPieces(figures, width, distance, style.cap == LineCap::kSquare)) {
      cairo_move_to(cr_, piece.points.front().x, piece.points.front().y);
      for (std::size_t i = 1; i < piece.points.size(); ++i) cairo_line_to(cr_, piece.points[i].x, piece.points[i].y);
    }
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  }
  cairo_stroke(cr_);
  ClearPath();
}

}  // namespace twk
