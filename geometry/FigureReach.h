#pragma once
// How far an item's figure reaches. Cheap bounds on how near a point can
// lie to the figure, in the item's own (unturned) space, settle most items
// before the hit test builds a figure; the painted box, in document units,
// frames a selection.

#include "document/Item.h"

namespace twk {

// Whether (x, y) lies within `margin` of the box of the item's defining
// points (its figure never leaves that box).
bool NearFigureBox(const TWKDATA& it, double x, double y, double margin);

// Whether (x, y) is surely farther than `margin` from the figure (from its
// inside too, for a fill). Curves and unknown kinds are never judged so.
bool SurelyBeyond(const TWKDATA& it, bool fill, double x, double y, double margin);

// The box around the painted figure and its pen; false when it has none
// (unknown kind, numbers that are not finite).
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
};
bool PaintedBox(const TWKDATA& item, Box& box);

}  // namespace twk
