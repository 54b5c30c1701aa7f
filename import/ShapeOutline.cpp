#include "import/ShapeOutline.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "import/SvgNumbers.h"

namespace twk {
namespace {

// A length attribute; a percentage is of the viewBox's width (x), height
// (y) or normalized diagonal (anything else), as SVG measures them.
class Lengths {
 public:
  Lengths(const AttributeList& a, double viewWidth, double viewHeight) : a_(a), w_(viewWidth), h_(viewHeight) {}
  double X(std::string_view name) const { return Get(name, w_); }
  double Y(std::string_view name) const { return Get(name, h_); }
  double Diagonal(std::string_view name) const { return Get(name, std::hypot(w_, h_) / std::sqrt(2.0)); }
  // Whether the attribute is there and a length (for rx and ry).
  bool Has(std::string_view name, double& value, double whole) const { return Length(a_.Get(name), whole, value); }

 private:
  static bool Length(std::string_view text, double whole, double& value) {
    if (LengthValue(text, value)) return true;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.back() != '%' || !LengthValue(text.substr(0, text.size() - 1), value)) return false;
    value = value / 100 * whole;
    return true;
  }
  double Get(std::string_view name, double whole) const {
    double value = 0;
    return Length(a_.Get(name), whole, value) ? value : 0;
  }
  const AttributeList& a_;
  double w_, h_;
};

SvgSegment LineTo(Point from, Point to) {
  SvgSegment s;
  s.from = from;
  s.to = to;
  return s;
}

SvgSegment ArcTo(Point from, Point to, double rx, double ry) {
  SvgSegment s;
  s.kind = SvgSegment::kArc;
  s.from = from;
  s.to = to;
  s.rx = rx;
  s.ry = ry;
  s.sweep = true;
  return s;
}

// The points of a polyline or polygon; an odd number drops the last.
SvgSubPath PointsPath(std::string_view text, bool closed, std::size_t ceiling) {
  const std::vector<double> v = NumberList(text);
  SvgSubPath path;
  if (v.size() / 2 > ceiling) TooManyItems();
  for (std::size_t i = 2; i + 1 < v.size(); i += 2) path.segments.push_back(LineTo({v[i - 2], v[i - 1]}, {v[i], v[i + 1]}));
  if (closed && v.size() >= 4 && (v[0] != v[v.size() / 2 * 2 - 2] || v[1] != v[v.size() / 2 * 2 - 1]))
    path.segments.push_back(LineTo({v[v.size() / 2 * 2 - 2], v[v.size() / 2 * 2 - 1]}, {v[0], v[1]}));
  path.closed = closed;
  return path;
}

}  // namespace

Outline OutlineOf(std::string_view element, const AttributeList& a, std::size_t ceiling, double viewWidth,
                  double viewHeight) {
  const Lengths n(a, viewWidth, viewHeight);
  Outline o;
  if (element == "path") {
    o.paths = ParsePathData(a.Get("d"), ceiling);
  } else if (element == "line") {
    SvgSubPath path;
    path.segments.push_back(LineTo({n.X("x1"), n.Y("y1")}, {n.X("x2"), n.Y("y2")}));
    o.paths.push_back(path);
  } else if (element == "polyline" || element == "polygon") {
    SvgSubPath path = PointsPath(a.Get("points"), element == "polygon", ceiling);
    if (!path.segments.empty()) o.paths.push_back(std::move(path));
  } else if (element == "circle" || element == "ellipse") {
    o.form = Outline::kEllipse;
    o.x = n.X("cx");
    o.y = n.Y("cy");
    o.w = element == "circle" ? n.Diagonal("r") : n.X("rx");
    o.h = element == "circle" ? o.w : n.Y("ry");
    if (!(o.w > 0 && o.h > 0)) o.paths.clear(), o.form = Outline::kPath;  // draws nothing
  } else if (element == "rect") {
    const double x = n.X("x"), y = n.Y("y"), w = n.X("width"), h = n.Y("height");
    if (!(w > 0 && h > 0)) return o;
    double rx = 0, ry = 0;
    const bool hasRx = n.Has("rx", rx, w) && rx >= 0, hasRy = n.Has("ry", ry, h) && ry >= 0;
    if (hasRx && !hasRy) ry = rx;
    if (hasRy && !hasRx) rx = ry;
    rx = std::min(rx, w / 2);
    ry = std::min(ry, h / 2);
    if (rx <= 0 || ry <= 0) {
      o.form = Outline::kRect;
      o.x = x, o.y = y, o.w = w, o.h = h;
      return o;
    }
    // Four sides (dropped where the corners meet) and four quarter arcs.
    SvgSubPath path;
    const auto side = [&](Point from, Point to) {
      if (from.x != to.x || from.y != to.y) path.segments.push_back(LineTo(from, to));
    };
    side({x + rx, y}, {x + w - rx, y});
    path.segments.push_back(ArcTo({x + w - rx, y}, {x + w, y + ry}, rx, ry));
    side({x + w, y + ry}, {x + w, y + h - ry});
    path.segments.push_back(ArcTo({x + w, y + h - ry}, {x + w - rx, y + h}, rx, ry));
    side({x + w - rx, y + h}, {x + rx, y + h});
    path.segments.push_back(ArcTo({x + rx, y + h}, {x, y + h - ry}, rx, ry));
    side({x, y + h - ry}, {x, y + ry});
    path.segments.push_back(ArcTo({x, y + ry}, {x + rx, y}, rx, ry));
    path.closed = true;
    o.paths.push_back(std::move(path));
  }
  return o;
}

}  // namespace twk
