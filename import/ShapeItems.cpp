#include "import/ShapeItems.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "document/Colour.h"
#include "import/ItemMaker.h"
#include "import/PathData.h"
#include "import/ShapeOutline.h"
#include "import/SvgNumbers.h"

namespace twk {
namespace {

bool Near(double a, double b, double scale) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, scale); }

bool KeepsRightAngles(const Affine& m) {
  const Point across = m.ApplyLinear({1, 0}), down = m.ApplyLinear({0, 1});
  return std::fabs(across.x * down.x + across.y * down.y) <= 1e-9 * std::fabs(m.Determinant());
}

// Whether a fill of `paths` covers no area at all (straight lines only,
// enclosing nothing), which SVG paints as nothing.
bool EnclosesNothing(const std::vector<SvgSubPath>& paths) {
  for (const SvgSubPath& path : paths) {
    double area = 0;
    for (const SvgSegment& s : path.segments) {
      if (s.kind != SvgSegment::kLine) return false;
      area += s.from.x * s.to.y - s.to.x * s.from.y;
    }
    const Point first = path.segments.front().from, last = path.segments.back().to;
    area += last.x * first.y - first.x * last.y;
    if (area != 0) return false;
  }
  return true;
}

// Adds the one fill item that draws `o`'s fill exactly; false when none does.
bool AddFillItem(const Outline& o, ItemMaker& fill, const Affine& map) {
  if (o.form == Outline::kEllipse) {
    fill.EllipseArc({o.x, o.y}, o.w, o.h, 0, 0, 360);
    return true;
  }
  if (o.form == Outline::kRect) {
    if (!KeepsRightAngles(map)) return false;
    fill.Rect(o.x, o.y, o.w, o.h);
    return true;
  }
  if (o.paths.size() != 1) return false;
  std::vector<SvgSegment> segs;
  for (const SvgSegment& s : o.paths[0].segments)
    if (s.kind != SvgSegment::kLine || s.from.x != s.to.x || s.from.y != s.to.y) segs.push_back(s);
  // A last line back to the start is the chord a fill draws anyway.
  if (segs.size() > 1 && segs.back().kind == SvgSegment::kLine && segs.back().to.x == segs.front().from.x &&
      segs.back().to.y == segs.front().from.y)
    segs.pop_back();
  if (segs.size() == 1 && segs[0].kind == SvgSegment::kCubic) {
    fill.Cubic(segs[0].from, segs[0].c1, segs[0].c2, segs[0].to);
    return true;
  }
  if (std::all_of(segs.begin(), segs.end(), [](const SvgSegment& s) { return s.kind == SvgSegment::kArc; })) {
    // Arcs of one ellipse, each going on where the last ended, the same way
    // round: one arc of that ellipse.
    CentreArc first, arc;
    if (!ToCentreArc(segs[0], first)) return false;
    double sweep = first.sweep;
    for (std::size_t i = 1; i < segs.size(); ++i) {
      if (!ToCentreArc(segs[i], arc)) return false;
      const double scale = std::max(first.rx, first.ry);
      const double gap = std::remainder(arc.t0 - (first.t0 + sweep), 360.0);
      if (!Near(arc.centre.x, first.centre.x, scale) || !Near(arc.centre.y, first.centre.y, scale) ||
          !Near(arc.rx, first.rx, scale) || !Near(arc.ry, first.ry, scale) || arc.degrees != first.degrees ||
          (arc.sweep < 0) != (first.sweep < 0) || std::fabs(gap) > 1e-6)
        return false;
      sweep += arc.sweep;
    }
    if (std::fabs(sweep) > 360.0 + 1e-6) return false;
    fill.EllipseArc(first.centre, first.rx, first.ry, first.degrees, first.t0, sweep);
    return true;
  }
  if (segs.size() == 3 && std::all_of(segs.begin(), segs.end(), [](const SvgSegment& s) {
        return s.kind == SvgSegment::kLine && (s.from.x == s.to.x || s.from.y == s.to.y);
      })) {
    // Three sides at right angles along the axes (the fourth is the chord).
    const Point p0 = segs[0].from, p1 = segs[0].to, p2 = segs[1].to, p3 = segs[2].to;
    const bool across = p0.y == p1.y && p1.x == p2.x && p2.y == p3.y && p3.x == p0.x;
    const bool down = p0.x == p1.x && p1.y == p2.y && p2.x == p3.x && p3.y == p0.y;
    const double w = std::fabs(p2.x - p0.x), h = std::fabs(p2.y - p0.y);
    if ((across || down) && w > 0 && h > 0 && KeepsRightAngles(map)) {
      fill.Rect(std::min(p0.x, p2.x), std::min(p0.y, p2.y), w, h);
      return true;
    }
  }
  return false;
}

std::uint8_t EndStyleFor(SvgCap cap) {
  return cap == SvgCap::kRound ? kRoundEnds : cap == SvgCap::kSquare ? kSquareEnds : kCenterEnds;
}
// A closed figure has no ends: its corners are the joins.
std::uint8_t EndStyleFor(SvgJoin join) {
  return join == SvgJoin::kRound ? kRoundEnds : join == SvgJoin::kBevel ? kCenterEnds : kSquareEnds;
}

// The colour of `paint` with `opacity`, as items store it.
std::int32_t PaintColour(const SvgPaint& paint, const SvgStyle& style, double opacity) {
  const ColourValue c = paint.kind == SvgPaint::kCurrentColour ? style.colour : paint.colour;
  const double alpha = std::clamp(c.opacity * opacity * style.opacity, 0.0, 1.0);
  return PackRGBA(c.r, c.g, c.b, static_cast<int>(std::lround(alpha * 255)));
}

bool Paints(const SvgPaint& paint) {
  return paint.kind == SvgPaint::kColour || paint.kind == SvgPaint::kCurrentColour;
}

}  // namespace

std::string_view AttributeList::Get(std::string_view name) const {
  for (const char** p = pairs_; p && p[0]; p += 2)
    if (name == p[0]) return p[1];
  return {};
}

void AddShapeItems(std::string_view element, const AttributeList& attributes, const SvgStyle& style,
                   const Affine& map, ShapeTarget& target) {
  const std::size_t room = target.itemCeiling - std::min(target.itemCeiling, target.items.size());
  const Outline o = OutlineOf(element, attributes, room, target.viewWidth, target.viewHeight);
  if (o.form == Outline::kPath && o.paths.empty()) return;
  const bool isPath = o.form == Outline::kPath;
  if (style.markers && isPath) target.leftOut.Add(LeftOutKind::kMarker);
  // The fill first: SVG paints it under the stroke.
  if (style.fill.kind == SvgPaint::kServer && !(isPath && EnclosesNothing(o.paths))) {
    target.leftOut.AddServer(style.fill.server);
  } else if (Paints(style.fill) && !(isPath && EnclosesNothing(o.paths))) {
    const std::int32_t rgba = PaintColour(style.fill, style, style.fillOpacity);
    if (AlphaOf(rgba) != 0) {
      ItemMaker fill(map, ItemPen{kFill, kCenterEnds, 0, rgba}, target.items);
      if (!AddFillItem(o, fill, map)) target.leftOut.Add(LeftOutKind::kFilledPath);
    }
  }
  if (style.stroke.kind == SvgPaint::kServer) {
    target.leftOut.AddServer(style.stroke.server);
    return;
  }
  const double width = style.strokeWidth * std::sqrt(std::fabs(map.Determinant()));
  const std::int32_t rgba = PaintColour(style.stroke, style, style.strokeOpacity);
  if (!Paints(style.stroke) || !(width > 0) || AlphaOf(rgba) == 0) return;
  if (style.dashed) target.leftOut.Add(LeftOutKind::kDashedStroke);
  ItemPen pen{kSolid, EndStyleFor(style.join), static_cast<float>(std::min(width, double(FLT_MAX))), rgba};
  if (!isPath) {
    ItemMaker stroke(map, pen, target.items);
    if (o.form == Outline::kRect) stroke.Rect(o.x, o.y, o.w, o.h);
    else stroke.EllipseArc({o.x, o.y}, o.w, o.h, 0, 0, 360);
  }
  for (const SvgSubPath& path : o.paths) {
    pen.endStyle = path.closed ? EndStyleFor(style.join) : EndStyleFor(style.cap);
    ItemMaker stroke(map, pen, target.items);
    for (const SvgSegment& s : path.segments) stroke.Segment(s);
  }
  if (target.items.size() > target.itemCeiling)
    TooManyItems();
}

}  // namespace twk
