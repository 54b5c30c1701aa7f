#pragma once
// One SVG shape element (path, line, polyline, polygon, rect, circle,
// ellipse) as items: its fill as one fill item where one item draws it
// (a rect, circle or ellipse, or a path that is exactly one of them or one
// curve or arc closed by its chord), its stroke as one item per segment.
// A fill no item can draw is counted in the left-out list.

#include <cstddef>
#include <string_view>
#include <vector>

#include "document/Item.h"
#include "import/Affine.h"
#include "import/LeftOut.h"
#include "import/SvgStyle.h"

namespace twk {

// An element's attribute by name (empty when absent).
class AttributeList {
 public:
  explicit AttributeList(const char** pairs) : pairs_(pairs) {}
  std::string_view Get(std::string_view name) const;
  const char** pairs() const { return pairs_; }

 private:
  const char** pairs_;
};

struct ShapeTarget {
  std::vector<TWKDATA>& items;  // in painting order, back first
  LeftOut& leftOut;
  std::size_t itemCeiling;      // more items than this is an error
  double viewWidth = 0, viewHeight = 0;  // the viewBox, what percentages are of
};

// Adds the items of the shape element `element` drawn with `style` under
// `map` (user space to drawing units). Whether `element` is a shape is the
// caller's business. Throws SvgReadError past the ceiling.
void AddShapeItems(std::string_view element, const AttributeList& attributes, const SvgStyle& style,
                   const Affine& map, ShapeTarget& target);

}  // namespace twk
