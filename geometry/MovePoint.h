#pragma once
// Moving one defining point of an item to where the pointer puts it, in
// document units.

#include "document/Item.h"
#include "geometry/ItemHandles.h"

namespace twk {

// `item` with its defining point `which` painted at `to` (taken as given,
// snap it first) and every other handle left where it is painted. A turned
// item turns about a centre that moves with its points, so the stored
// points of a turned item all change. An arc point sets its angle to that of
// the ray from the centre through `to` (0 <= angle < 360, clockwise from
// +x); a point at the centre leaves the angle. An ellipse's centre handle
// moves the whole ellipse, its radii and angles kept.
TWKDATA WithDefiningPointAt(const TWKDATA& item, DefiningPoint which, Point to);

}  // namespace twk
