#include "render/ItemPainter.h"

#include <algorithm>

#include "document/Colour.h"

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

namespace {

struct Centre {
  double x, y;
};

Centre RotationCentre(const TWKDATA& it) {
  if (it.Type == kEllipse) return {it.X1, it.Y1};
  // Line, Curve and Rect all turn about the middle of (X1,Y1)-(X4,Y4).
  return {(double(it.X1) + it.X4) / 2, (double(it.Y1) + it.Y4) / 2};
}

void BuildPath(VectorSurface& s, const TWKDATA& it) {
  switch (it.Type) {
    case kLine:
      s.MoveTo(it.X1, it.Y1);
      s.LineTo(it.X4, it.Y4);
      break;
    case kCurve:
      s.MoveTo(it.X1, it.Y1);
      s.CubicTo(it.X2, it.Y2, it.X3, it.Y3, it.X4, it.Y4);
      break;
    case kRect: {
      const double left = std::min(it.X1, it.X4), right = std::max(it.X1, it.X4);
      const double top = std::min(it.Y1, it.Y4), bottom = std::max(it.Y1, it.Y4);
      s.AddBox(left, top, right - left, bottom - top);
      break;
    }
    default:
      s.AddEllipseArc(it.X1, it.Y1, std::abs(double(it.X4) - it.X1), std::abs(double(it.Y4) - it.Y1), it.X2,
                      it.Y2);
      break;
  }
}

}  // namespace

void PaintItem(VectorSurface& surface, const TWKDATA& item) {
  if (!IsPaintedItem(item)) return;
  const int method = item.DrawMethod > kDots ? int{kSolid} : int{item.DrawMethod};
  const PenStyle pen = PenStyleFor(item.DrawMethod2);
  const double width = item.DrawWidth;
  const Centre centre = RotationCentre(item);
  surface.SetSourceColour(item.DrawRGBA);
  surface.PushState();
  surface.RotateAbout(centre.x, centre.y, item.DrawAngle);
  BuildPath(surface, item);
  if (method == kDots)
    surface.StrokeDots(width, 1.5 * width, pen);
  else if (method == kFill && item.Type != kLine)
    surface.Fill();
  else
    surface.Stroke(width, pen);
  surface.PopState();
}

}  // namespace twk
