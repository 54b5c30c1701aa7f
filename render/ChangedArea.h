#pragma once
// The pixels of the canvas picture that an item, or a change to some items,
// reaches.

#include <vector>

#include "document/Document.h"

namespace twk {

// A rectangle of pixels: columns [left, right), rows [top, bottom).
struct PixelArea {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return left >= right || top >= bottom; }
  bool operator==(const PixelArea&) const = default;
};

// Whether `now` is the item state `was` (the same Revision); asserts in
// debug builds that the fields agree, as they must (document/Item.h).
bool SameState(const TWKDATA& now, const TWKDATA& was);

// The smallest rectangle around `a` and `b`; an empty one adds nothing.
PixelArea Around(PixelArea a, PixelArea b);

// The pixels painting an item can touch, in whole pixels, not cut to any
// picture: columns [left, right), rows [top, bottom).
struct PixelReach {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// The pixels at the given pixels per unit that painting `item` can touch:
// its painted box and the pixels antialiasing adds. False when that cannot
// be told (or is not finite).
bool ReachOf(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, PixelReach& reach);

// The pixels of a picture `width` x `height` at the given pixels per unit
// that painting `item` can touch: its painted box and the pixels
// antialiasing adds. False when that cannot be told.
bool ReachedArea(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, int width, int height,
                 PixelArea& area);

// The pixels of a picture `width` x `height` that the items of `doc` at
// `indices` reach, before or after, where they are other states (another
// Revision) than `painted` (their states when last painted, in the same
// order): the smallest rectangle around them all. False when that cannot be told (then the whole picture
// must be painted again); an empty area when nothing changed.
bool ChangedArea(const TWKFILE& doc, const std::vector<int>& indices, const std::vector<TWKDATA>& painted,
                 double pixelsPerUnitX, double pixelsPerUnitY, int width, int height, PixelArea& area);

}  // namespace twk
