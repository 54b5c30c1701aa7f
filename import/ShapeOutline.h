#pragma once
// The outline of an SVG shape element (path, line, polyline, polygon, rect,
// circle, ellipse) in its own coordinates, with lengths in percent taken of
// the viewBox as SVG measures them.

#include <cstddef>
#include <string_view>
#include <vector>

#include "import/PathData.h"
#include "import/ShapeItems.h"

namespace twk {

// A shape as the reader sees it: its outline, and for a plain rect or an
// ellipse the form a single fill item takes.
struct Outline {
  enum Form { kPath, kRect, kEllipse };
  Form form = kPath;
  std::vector<SvgSubPath> paths;
  double x = 0, y = 0, w = 0, h = 0;  // kRect; kEllipse: centre x, y and radii w, h
};

// The outline of `element`; throws SvgReadError past `ceiling` segments.
Outline OutlineOf(std::string_view element, const AttributeList& attributes, std::size_t ceiling, double viewWidth,
                  double viewHeight);

}  // namespace twk
