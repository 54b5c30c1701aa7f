#include "export/SvgItem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/Colour.h"
#include "export/ItemShape.h"
#include "geometry/ItemGeometry.h"

namespace twk {

namespace {

void AppendColour(std::string& out, const char* name, std::int32_t rgba, double opacityScale) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", RedOf(rgba), GreenOf(rgba), BlueOf(rgba));
  out += std::string(" ") + name + "=\"" + hex + "\"";
  const double opacity = std::lround(AlphaOf(rgba) * opacityScale) / 255.0;
  if (opacity < 1) {
    out += std::string(" ") + name + "-opacity=\"";
    AppendNumber(out, opacity);
    out += "\"";
  }
}

std::string Element(const ItemShape& paint, const TWKDATA& item) {
  const std::string& data = paint.path.text();
  std::string out = "<path d=\"" + data + "\"";
  const double angle = std::fmod(double(item.DrawAngle), 360.0);
  if (angle != 0) {
    const RotationCentre c = RotationCentreOf(item);
    if (!WritesFinite(c.x) || !WritesFinite(c.y)) return {};
    out += " transform=\"rotate(";
    AppendNumber(out, angle);
    out += " ";
    AppendNumber(out, c.x);
    out += " ";
    AppendNumber(out, c.y);
    out += ")\"";
  }
  if (paint.fill) {
    AppendColour(out, "fill", item.DrawRGBA, 1);
    if (paint.evenOdd) out += " fill-rule=\"evenodd\"";
  } else {
    out += " fill=\"none\"";
    AppendColour(out, "stroke", item.DrawRGBA, paint.opacityScale);
    out += " stroke-width=\"";
    AppendNumber(out, paint.width);
    out += "\"";
    if (paint.pen.cap == LineCap::kSquare) out += " stroke-linecap=\"square\"";
    if (paint.pen.cap == LineCap::kRound) out += " stroke-linecap=\"round\"";
    // cairo's miter limit, which the renderer keeps.
    if (paint.pen.join == LineJoin::kRound) out += " stroke-linejoin=\"round\"";
    else out += " stroke-miterlimit=\"10\"";
  }
  return out + "/>\n";
}

}  // namespace

std::string SvgItemElement(const TWKDATA& item, double pixelsPerUnit) {
  const std::optional<ItemShape> shape = ShapeOfItem(item, pixelsPerUnit, DotShapes::kStrokes);
  return shape ? Element(*shape, item) : std::string();
}

}  // namespace twk
