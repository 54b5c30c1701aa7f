#include "export/ItemShape.h"

#include <cmath>

#include "export/DashOutline.h"
#include "export/DotLayout.h"
#include "export/OutlinePath.h"
#include "geometry/ItemGeometry.h"
#include "geometry/ItemLook.h"

namespace twk {

namespace {

// A solid outline. A figure on a single point with square caps is a square
// of the pen's width, which viewers disagree about: it is written out as a
// flat-ended bar.
void StrokeShape(const OutlinePath& outline, ItemShape& shape) {
  if (shape.pen.cap == LineCap::kSquare && outline.SinglePoint()) {
    shape.path.AddBar(outline.segments().front().p[0], shape.width);
    shape.pen.cap = LineCap::kFlat;
  } else {
    shape.path.AddOutline(outline);
  }
}

// Square and center dots are dashes of the exact shape: the figure's own
// ends lengthened for the square style, every other end cut square.
void DotsShape(const TWKDATA& item, const OutlinePath& outline, double pixelsPerUnit, DotShapes dots,
               ItemShape& shape) {
  const DotLayout layout = LayOutDots(item, outline, shape.width, shape.pen, pixelsPerUnit);
  if (layout.solid) {
    shape.pen = layout.solidPen;
    shape.opacityScale = layout.solidOpacityScale;
    StrokeShape(outline, shape);
    return;
  }
  if (dots == DotShapes::kStrokes) {
    shape.path.AddDots(layout.dots);
    shape.path.AddPolylines(layout.dashes);
    if (shape.pen.cap != LineCap::kRound) shape.pen.cap = LineCap::kFlat;
    return;
  }
  for (const Point& centre : layout.dots) shape.path.AddCircle(centre, shape.width / 2);
  for (const Polyline& piece : layout.dashes) {
    for (const std::vector<Point>& polygon : FlatEndedStrokeOutline(piece, shape.width)) shape.path.AddPolygon(polygon);
  }
  shape.fill = true;
}

}  // namespace

std::optional<ItemShape> ShapeOfItem(const TWKDATA& item, double pixelsPerUnit, DotShapes dots) {
  if (!IsPaintedItem(item) || !std::isfinite(item.DrawAngle)) return std::nullopt;
  const OutlinePath outline = OutlinePath::Of(item);
  if (!outline.Finite()) return std::nullopt;
  const RotationCentre centre = RotationCentreOf(item);
  if (!std::isfinite(centre.x) || !std::isfinite(centre.y)) return std::nullopt;
  ItemShape shape;
  shape.pen = PenStyleFor(item.DrawMethod2);
  shape.width = item.DrawWidth;
  const ItemPaint kind = PaintOf(item);
  if (kind == ItemPaint::kFill) {
    shape.fill = true;
    shape.evenOdd = true;
    shape.path.AddOutline(outline);
  } else if (!std::isfinite(shape.width) || !(shape.width > 0)) {
    return std::nullopt;
  } else if (kind == ItemPaint::kDots) {
    DotsShape(item, outline, pixelsPerUnit, dots, shape);
  } else {
    StrokeShape(outline, shape);
  }
  if (!shape.path.finite()) return std::nullopt;
  return shape;
}

}  // namespace twk
