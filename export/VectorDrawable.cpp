#include "export/VectorDrawable.h"

#include <cmath>
#include <cstdio>

#include "document/Colour.h"
#include "export/IconSets.h"
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

namespace {

// The drawable of `dp` square whose viewport of `viewport` units holds the
// drawing's 16 units `offset` units in from its top-left corner.
bool DrawableWithin(const TWKFILE& doc, int pixels, int dp, int viewport, int offset, std::size_t ceiling,
                    std::string& xml) {
  const std::string kEnd = std::string(offset ? "  </group>\n" : "") + "</vector>\n";
  const std::string size = std::to_string(dp) + "dp", units = std::to_string(viewport);
  xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<vector xmlns:android=\"http://schemas.android.com/apk/res/android\"\n"
        "    android:width=\"" + size + "\"\n    android:height=\"" + size + "\"\n"
        "    android:viewportWidth=\"" + units + "\"\n    android:viewportHeight=\"" + units + "\">\n";
  const std::string shift = std::to_string(offset);
  if (offset) xml += "  <group android:translateX=\"" + shift + "\" android:translateY=\"" + shift + "\">\n";
  // The first item lies on top, so the items are written from the last.
  for (int i = doc.CData.size() - 1; i >= 0; --i) {
    const std::string item = VectorDrawableItem(*doc.CData.at(i), pixels / 16.0);
    // Inside the group, each line two spaces further in.
    if (!offset) xml += item;
    for (std::size_t at = 0; offset && at < item.size();) {
      const std::size_t end = item.find('\n', at) + 1;
      xml += "  " + item.substr(at, end - at);
      at = end;
    }
    if (xml.size() + kEnd.size() > ceiling) return false;
  }
  xml += kEnd;
  return xml.size() <= ceiling;
}

}  // namespace

bool DocumentToVectorDrawableWithin(const TWKFILE& doc, int pixels, std::size_t ceiling, std::string& xml) {
  return DrawableWithin(doc, pixels, kVectorDrawableDp, 16, 0, ceiling, xml);
}

bool DocumentToAdaptiveLayerWithin(const TWKFILE& doc, std::size_t ceiling, std::string& xml) {
  // 16 units over 48 dp: 3 dp a unit, the 108 dp tile 36 units wide.
  constexpr int kUnitDp = kAdaptiveDrawingDp / 16;
  constexpr int kViewport = kAdaptiveTileDp / kUnitDp;
  static_assert(kUnitDp * 16 == kAdaptiveDrawingDp && kViewport * kUnitDp == kAdaptiveTileDp);
  return DrawableWithin(doc, kVectorDrawablePixels, kAdaptiveTileDp, kViewport, (kViewport - 16) / 2, ceiling, xml);
}

}  // namespace twk
