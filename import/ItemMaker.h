#pragma once
// Turns SVG geometry, mapped by an affine transform onto the drawing, into
// items. Lines and cubics carry their mapped points exactly. An ellipse or
// elliptical arc stays an Ellipse item under any transform: the image of an
// ellipse under an affine map is an ellipse, whose centre, radii and turn
// (DrawAngle) are worked out here. A rectangle stays a Rect while the map
// keeps right angles (turned by DrawAngle), else it becomes four Lines.

#include <cstdint>
#include <vector>

#include "document/Item.h"
#include "import/Affine.h"
#include "import/PathData.h"

namespace twk {

// How the items are painted: method (solid or fill), end style, width in
// units and colour.
struct ItemPen {
  std::uint8_t method = kSolid;
  std::uint8_t endStyle = kCenterEnds;
  float width = 0;
  std::int32_t rgba = 0;
};

class ItemMaker {
 public:
  ItemMaker(const Affine& map, const ItemPen& pen, std::vector<TWKDATA>& out) : map_(map), pen_(pen), out_(out) {}

  void Line(Point from, Point to);
  void Cubic(Point from, Point c1, Point c2, Point to);
  // An SVG arc segment; a line when a radius is 0, nothing when it ends
  // where it starts.
  void Arc(const SvgSegment& arc);
  // The ellipse centred at `c` with radii rx, ry turned by `degrees`, from
  // parameter angle t0 over `sweep` degrees (negative: against the clock);
  // the whole ellipse when |sweep| is a full turn.
  void EllipseArc(Point c, double rx, double ry, double degrees, double t0, double sweep);
  void Rect(double x, double y, double w, double h);
  // A path segment of any kind.
  void Segment(const SvgSegment& s);

 private:
  TWKDATA Item(std::uint8_t type) const;
  std::vector<TWKDATA>::size_type Push(const TWKDATA& item);

  Affine map_;
  ItemPen pen_;
  std::vector<TWKDATA>& out_;
};

// An SVG arc in centre form, from its endpoint form (radii enlarged when too
// small, as SVG does); false when it draws a straight line instead.
struct CentreArc {
  Point centre;
  double rx = 0, ry = 0, degrees = 0;  // radii and x-axis turn
  double t0 = 0, sweep = 0;            // parameter angles in degrees
};
bool ToCentreArc(const SvgSegment& arc, CentreArc& out);

}  // namespace twk
