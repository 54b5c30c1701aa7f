#include "render/ItemPainter.h"

#include "document/Colour.h"
#include "render/ItemGeometry.h"

namespace twk {

PenStyle PenStyleFor(int endStyle) {
  switch (endStyle) {
    case kCenterEnds: return {LineCap::kFlat, LineJoin::kMiter};
    case kRoundEnds: return {LineCap::kRound, LineJoin::kRound};
    default: return {LineCap::kSquare, LineJoin::kMiter};
  }
}

bool IsPaintedItem(const TWKDATA& item) {
  // Alpha 0 would leave no trace anyway; skipping it saves the work.
  return item.Visible != 0 && item.Type <= kEllipse && AlphaOf(item.DrawRGBA) != 0;
}

void PaintItem(VectorSurface& surface, const TWKDATA& item) {
  if (!IsPaintedItem(item)) return;
  const ItemPaint paint = PaintOf(item);
  const PenStyle pen = PenStyleFor(item.DrawMethod2);
  const double width = item.DrawWidth;
  const RotationCentre centre = RotationCentreOf(item);
  surface.SetSourceColour(item.DrawRGBA);
  surface.PushState();
  surface.RotateAbout(centre.x, centre.y, item.DrawAngle);
  BuildItemPath(surface, item);
  if (paint == ItemPaint::kDots)
    surface.StrokeDots(width, 1.5 * width, pen);
  else if (paint == ItemPaint::kFill)
    surface.Fill();
  else
    surface.Stroke(width, pen);
  surface.PopState();
}

}  // namespace twk
