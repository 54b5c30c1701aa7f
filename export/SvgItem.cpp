#include "export/SvgItem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/Colour.h"
#include "export/OutlinePath.h"
#include "export/SvgPathData.h"
#include "render/DotPattern.h"
#include "render/ItemGeometry.h"
#include "render/ItemPainter.h"

namespace twk {

namespace {

struct Paint {
  bool fill = false;
  double width = 0;
  PenStyle pen;
  double opacityScale = 1;  // fine dashes painted solid average to dash / period
};

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

std::string Element(const SvgPathData& path, const TWKDATA& item, const Paint& paint) {
  if (!path.finite()) return {};
  const std::string& data = path.text();
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
    out += " fill-rule=\"evenodd\"";
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

// A solid outline. A figure on a single point with square caps is a square
// of the pen's width, which SVG viewers disagree about: it is written out as
// a flat-ended bar.
std::string StrokeElement(const OutlinePath& outline, const TWKDATA& item, Paint paint) {
  SvgPathData data;
  if (paint.pen.cap == LineCap::kSquare && outline.SinglePoint()) {
    data.AddBar(outline.segments().front().p[0], paint.width);
    paint.pen.cap = LineCap::kFlat;
  } else {
    data.AddOutline(outline);
  }
  return Element(data, item, paint);
}

// Round dots: a zero-length segment with a round cap for each disc. Square
// and center dots: each dash written out with flat ends, the figure's own
// ends lengthened for the square style, so every dash has the exact shape.
std::string DotsElement(const OutlinePath& outline, const TWKDATA& item, Paint paint, double pixelsPerUnit) {
  const double width = paint.width, distance = 1.5 * width;
  const bool round = paint.pen.cap == LineCap::kRound;
  const double step = round ? distance - width : distance;
  const std::vector<Polyline> figures = outline.Flatten(kSvgFlatness);
  double length = 0;
  for (const Polyline& f : figures) length += PolylineLength(f);
  if (step * pixelsPerUnit < kMinDotSpacing || !(length / step <= kMaxDots)) {
    if (round) paint.pen = {LineCap::kRound, LineJoin::kRound};
    else paint.opacityScale = width / distance;
    return StrokeElement(outline, item, paint);
  }
  // Only the dots and dashes that can touch the picture (16 x 16 units,
  // grown by a pen's width) are written: the rest would only make the file
  // long.
  const DotView view = ItemPictureView(item, width);
  SvgPathData data;
  if (round) {
    data.AddDots(DotCentres(figures, step, view));
  } else {
    std::vector<Polyline> pieces = DashPieces(figures, width, distance, paint.pen.cap == LineCap::kSquare);
    std::erase_if(pieces, [&](const Polyline& piece) { return !PieceSeen(view, piece); });
    data.AddPolylines(pieces);
    paint.pen.cap = LineCap::kFlat;
  }
  return Element(data, item, paint);
}

}  // namespace

// The picture as the item's own (unturned) coordinates see it.
DotView ItemPictureView(const TWKDATA& item, double reach) {
  const double turn = std::fmod(double(item.DrawAngle), 360.0) * 3.14159265358979323846 / 180.0;
  const double c = std::cos(turn), s = std::sin(turn);
  const RotationCentre o = RotationCentreOf(item);
  return {c, s, -s, c, o.x - o.x * c + o.y * s, o.y - o.x * s - o.y * c, -reach, -reach, 16 + reach, 16 + reach};
}

bool PieceSeen(const DotView& v, const Polyline& piece) {
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const Point& p : piece.points) {
    const double x = v.xx * p.x + v.xy * p.y + v.x0, y = v.yx * p.x + v.yy * p.y + v.y0;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  return maxX >= v.left && minX <= v.right && maxY >= v.top && minY <= v.bottom;
}

std::string SvgItemElement(const TWKDATA& item, double pixelsPerUnit) {
  if (!IsPaintedItem(item) || !std::isfinite(item.DrawAngle)) return {};
  const OutlinePath outline = OutlinePath::Of(item);
  if (!outline.Finite()) return {};
  const RotationCentre centre = RotationCentreOf(item);
  if (!std::isfinite(centre.x) || !std::isfinite(centre.y)) return {};
  Paint paint;
  paint.pen = PenStyleFor(item.DrawMethod2);
  paint.width = item.DrawWidth;
  const ItemPaint kind = PaintOf(item);
  if (kind == ItemPaint::kFill) {
    paint.fill = true;
    SvgPathData data;
    data.AddOutline(outline);
    return Element(data, item, paint);
  }
  if (!std::isfinite(paint.width) || !(paint.width > 0)) return {};
  return kind == ItemPaint::kDots ? DotsElement(outline, item, paint, pixelsPerUnit) : StrokeElement(outline, item, paint);
}

}  // namespace twk
