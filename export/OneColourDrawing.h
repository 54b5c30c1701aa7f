#pragma once
// A drawing in one opaque colour, for the pictures a platform recolours
// itself (Android's themed icons, GNOME's symbolic icons): the same shapes,
// every painted item in `colour`, the overlaps of its items merged.

#include <cstdint>

#include "document/Document.h"

namespace twk {

// A copy of `doc` whose items all paint the opaque `colour` (its opacity
// byte ignored); an item that paints nothing (fully transparent) still
// paints nothing.
TWKFILE OneColourDrawing(const TWKFILE& doc, std::int32_t colour);

}  // namespace twk
