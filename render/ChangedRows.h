#pragma once
// The rows of the canvas picture that an item, or a change to some items,
// reaches.

#include <vector>

#include "document/Document.h"

namespace twk {

// The rows [top, bottom) of a picture `height` rows high, at `pixelsPerUnitY`
// pixels per unit, that painting `item` can touch: its painted box and the
// pixels antialiasing adds. False when that cannot be told.
bool ReachedRows(const TWKDATA& item, double pixelsPerUnitY, int height, int& top, int& bottom);

// The rows [top, bottom) of a picture `height` rows high, at `pixelsPerUnitY`
// pixels per unit, that the items of `doc` at `indices` reach, before or
// after, where they differ from `painted` (their states when last painted,
// in the same order). False when that cannot be told (then the whole
// picture must be painted again); an empty range when nothing changed.
bool ChangedRows(const TWKFILE& doc, const std::vector<int>& indices, const std::vector<TWKDATA>& painted,
                 double pixelsPerUnitY, int height, int& top, int& bottom);

}  // namespace twk
