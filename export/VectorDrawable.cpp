#include "export/VectorDrawable.h"

#include <cmath>
#include <cstdio>

#include "document/Colour.h"
#include "export/DashOutline.h"
#include "export/OutlinePath.h"
#include "export/SvgItem.h"
#include "export/SvgPathData.h"
#include "render/DotPattern.h"
#include "render/ItemGeometry.h"
#include "render/ItemPainter.h"

namespace twk {

namespace {

struct Paint {
  bool fill = false;
  bool evenOdd = false;
  double width = 0;
  PenStyle pen;
  double opacityScale = 1;  // fine dashes painted solid average to dash / period
};

void AppendColour(std::string& out, const char* name, std::int32_t rgba, double opacityScale) {
  char hex[10];
  const long alpha = std::lround(AlphaOf(rgba) * opacityScale);
  std::snprintf(hex, sizeof hex, "#%02lX%02X%02X%02X", alpha, RedOf(rgba), GreenOf(rgba), BlueOf(rgba));
  out += std::string("\n      android:") + name + "=\"" + hex + "\"";
}

void AppendNumberAttribute(std::string& out, const char* name, double value) {
  out += std::string("\n      android:") + name + "=\"";
  AppendNumber(out, value);
  out += "\"";
}

std::string PathElement(const SvgPathData& data, const TWKDATA& item, const Paint& paint) {
  if (!data.finite() || data.text().empty()) return {};
  std::string out = "  <path\n      android:pathData=\"" + data.text() + "\"";
  if (paint.fill) {
    AppendColour(out, "fillColor", item.DrawRGBA, paint.opacityScale);
    if (paint.evenOdd) out += "\n      android:fillType=\"evenOdd\"";
  } else {
    AppendColour(out, "strokeColor", item.DrawRGBA, paint.opacityScale);
    AppendNumberAttribute(out, "strokeWidth", paint.width);
    const char* cap = paint.pen.cap == LineCap::kSquare ? "square" : paint.pen.cap == LineCap::kRound ? "round" : "butt";
    out += std::string("\n      android:strokeLineCap=\"") + cap + "\"";
    if (paint.pen.join == LineJoin::kRound) {
      out += "\n      android:strokeLineJoin=\"round\"";
    } else {
      // cairo's miter limit, which the renderer keeps (a drawable's is 4).
      out += "\n      android:strokeLineJoin=\"miter\"";
      AppendNumberAttribute(out, "strokeMiterLimit", 10);
    }
  }
  return out + "/>\n";
}

// A solid outline; a single point with square caps is the flat-ended bar
// the SVG export writes for it.
std::string StrokePath(const OutlinePath& outline, const TWKDATA& item, Paint paint) {
  SvgPathData data;
  if (paint.pen.cap == LineCap::kSquare && outline.SinglePoint()) {
    data.AddBar(outline.segments().front().p[0], paint.width);
    paint.pen.cap = LineCap::kFlat;
  } else {
    data.AddOutline(outline);
  }
  return PathElement(data, item, paint);
}

// Round dots as filled discs, square and center dots as the filled shapes
// of their dashes; patterns too fine or too long to lay out as the solid
// stroke the renderer paints instead.
std::string DotsPath(const OutlinePath& outline, const TWKDATA& item, Paint paint, double pixelsPerUnit) {
  const double width = paint.width, distance = 1.5 * width;
  const bool round = paint.pen.cap == LineCap::kRound;
  const double step = round ? distance - width : distance;
  const std::vector<Polyline> figures = outline.Flatten(kSvgFlatness);
  double length = 0;
  for (const Polyline& f : figures) length += PolylineLength(f);
  if (step * pixelsPerUnit < kMinDotSpacing || !(length / step <= kMaxDots)) {
    if (round) paint.pen = {LineCap::kRound, LineJoin::kRound};
    else paint.opacityScale = width / distance;
    return StrokePath(outline, item, paint);
  }
  const DotView view = ItemPictureView(item, width);
  SvgPathData data;
  if (round) {
    for (const Point& centre : DotCentres(figures, step, view)) data.AddCircle(centre, width / 2);
  } else {
    for (const Polyline& piece : DashPieces(figures, width, distance, paint.pen.cap == LineCap::kSquare)) {
      if (!PieceSeen(view, piece)) continue;
      for (const std::vector<Point>& polygon : FlatEndedStrokeOutline(piece, width)) data.AddPolygon(polygon);
    }
  }
  paint.fill = true;
  return PathElement(data, item, paint);
}

std::string ItemPath(const TWKDATA& item, const OutlinePath& outline, double pixelsPerUnit) {
  Paint paint;
  paint.pen = PenStyleFor(item.DrawMethod2);
  paint.width = item.DrawWidth;
  const ItemPaint kind = PaintOf(item);
  if (kind == ItemPaint::kFill) {
    paint.fill = true;
    paint.evenOdd = true;  // the renderer fills by the even-odd rule
    SvgPathData data;
    data.AddOutline(outline);
    return PathElement(data, item, paint);
  }
  if (!std::isfinite(paint.width) || !(paint.width > 0)) return {};
  return kind == ItemPaint::kDots ? DotsPath(outline, item, paint, pixelsPerUnit) : StrokePath(outline, item, paint);
}

}  // namespace

std::string VectorDrawableItem(const TWKDATA& item, double pixelsPerUnit) {
  if (!IsPaintedItem(item) || !std::isfinite(item.DrawAngle)) return {};
  const OutlinePath outline = OutlinePath::Of(item);
  if (!outline.Finite()) return {};
  const RotationCentre centre = RotationCentreOf(item);
  if (!WritesFinite(centre.x) || !WritesFinite(centre.y)) return {};
  const std::string path = ItemPath(item, outline, pixelsPerUnit);
  const double angle = std::fmod(double(item.DrawAngle), 360.0);
  if (path.empty() || angle == 0) return path;
  std::string group = "  <group";
  AppendNumberAttribute(group, "rotation", angle);
  AppendNumberAttribute(group, "pivotX", centre.x);
  AppendNumberAttribute(group, "pivotY", centre.y);
  group += ">\n";
  // The path, two spaces further in.
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t end = path.find('\n', at) + 1;
    group += "  " + path.substr(at, end - at);
    at = end;
  }
  return group + "  </group>\n";
}

bool DocumentToVectorDrawableWithin(const TWKFILE& doc, int pixels, std::size_t ceiling, std::string& xml) {
  static const std::string kEnd = "</vector>\n";
  const std::string dp = std::to_string(kVectorDrawableDp) + "dp";
  xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<vector xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
        "    android:width=\"" + dp + "\"\n    android:height=\"" + dp + "\"\n"
        "    android:viewportWidth=\"16\"\n    android:viewportHeight=\"16\">\n";
  // The first item lies on top, so the items are written from the last.
  for (int i = doc.CData.size() - 1; i >= 0; --i) {
    xml += VectorDrawableItem(*doc.CData.at(i), pixels / 16.0);
    if (xml.size() + kEnd.size() > ceiling) return false;
  }
  xml += kEnd;
  return xml.size() <= ceiling;
}

}  // namespace twk
