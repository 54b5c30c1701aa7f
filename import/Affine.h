#pragma once
// A 2-D affine map as SVG writes it: x' = a x + c y + e, y' = b x + d y + f.

#include <string_view>

#include "document/Point.h"

namespace twk {

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  Point Apply(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  // The linear part only (for directions).
  Point ApplyLinear(Point p) const { return {a * p.x + c * p.y, b * p.x + d * p.y}; }
  double Determinant() const { return a * d - b * c; }
};

// `outer` after `inner`: the map that applies `inner` first.
Affine Compose(const Affine& outer, const Affine& inner);

// The value of a `transform` attribute: matrix, translate, scale, rotate,
// skewX and skewY, applied left to right as SVG nests them. False (and the
// identity) for text that is not a transform list, which SVG ignores.
bool ParseTransform(std::string_view text, Affine& result);

}  // namespace twk
