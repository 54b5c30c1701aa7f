#pragma once
// Cheap bounds on how near a point can lie to an item's figure, in the
// item's own (unturned) space: they settle most items before the exact
// test of the hit test has to build a figure.

#include "document/Item.h"

namespace twk {

// Whether (x, y) lies within `margin` of the box of the item's defining
// points (its figure never leaves that box).
bool NearFigureBox(const TWKDATA& it, double x, double y, double margin);

// Whether (x, y) is surely farther than `margin` from the figure (from its
// inside too, for a fill). Curves and unknown kinds are never judged so.
bool SurelyBeyond(const TWKDATA& it, bool fill, double x, double y, double margin);

}  // namespace twk
