#include "export/VectorDrawable.h"

#include <cmath>
#include <cstdio>

#include "document/Colour.h"
#include "export/ItemShape.h"
#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

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

std::string PathElement(const ItemShape& paint, const TWKDATA& item) {
  if (paint.path.text().empty()) return {};
  std::string out = "  <path\n      android:pathData=\"" + paint.path.text() + "\"";
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

}  // namespace

std::string VectorDrawableItem(const TWKDATA& item, double pixelsPerUnit) {
  // Dots become filled shapes: a drawable has no dash patterns, and how a
  // zero-length segment's round cap is drawn varies.
  const std::optional<ItemShape> shape = ShapeOfItem(item, pixelsPerUnit, DotShapes::kFilled);
  if (!shape) return {};
  const std::string path = PathElement(*shape, item);
  const double angle = std::fmod(double(item.DrawAngle), 360.0);
  if (path.empty() || angle == 0) return path;
  const RotationCentre centre = RotationCentreOf(item);
  if (!WritesFinite(centre.x) || !WritesFinite(centre.y)) return {};
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
