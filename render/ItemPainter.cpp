#include "render/ItemPainter.h"

#include "geometry/ItemGeometry.h"
#include "geometry/ItemLook.h"

namespace twk {

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
