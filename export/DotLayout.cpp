#include "export/DotLayout.h"

#include <algorithm>
#include <cmath>

#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

// The picture as the item's own (unturned) coordinates see it.
DotView PictureView(const TWKDATA& item, double reach) {
  const double turn = std::fmod(double(item.DrawAngle), 360.0) * 3.14159265358979323846 / 180.0;
  const double c = std::cos(turn), s = std::sin(turn);
  const RotationCentre o = RotationCentreOf(item);
  return {c, s, -s, c, o.x - o.x * c + o.y * s, o.y - o.x * s - o.y * c, -reach, -reach, 16 + reach, 16 + reach};
}

bool Seen(const DotView& v, const Polyline& piece) {
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const Point& p : piece.points) {
    const double x = v.xx * p.x + v.xy * p.y + v.x0, y = v.yx * p.x + v.yy * p.y + v.y0;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  return maxX >= v.left && minX <= v.right && maxY >= v.top && minY <= v.bottom;
}

}  // namespace

DotLayout LayOutDots(const TWKDATA& item, const OutlinePath& outline, double width, PenStyle pen,
                     double pixelsPerUnit) {
  DotLayout layout;
  const double distance = 1.5 * width;
  const bool round = pen.cap == LineCap::kRound;
  const double step = round ? distance - width : distance;
  const std::vector<Polyline> figures = outline.Flatten(kSvgFlatness);
  double length = 0;
  for (const Polyline& f : figures) length += PolylineLength(f);
  if (step * pixelsPerUnit < kMinDotSpacing || !(length / step <= kMaxDots)) {
    layout.solid = true;
    layout.solidPen = round ? PenStyle{LineCap::kRound, LineJoin::kRound} : pen;
    if (!round) layout.solidOpacityScale = width / distance;
    return layout;
  }
  // Only the dots and dashes that can touch the picture (16 x 16 units,
  // grown by a pen's width): the rest would only make the file long.
  const DotView view = PictureView(item, width);
  if (round) {
    layout.dots = DotCentres(figures, step, view);
  } else {
    layout.dashes = DashPieces(figures, width, distance, pen.cap == LineCap::kSquare);
    std::erase_if(layout.dashes, [&](const Polyline& piece) { return !Seen(view, piece); });
  }
  return layout;
}

}  // namespace twk
