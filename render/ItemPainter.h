#pragma once
// Paints one document item onto an open vector surface: rotation about the
// item's centre, the path of its kind, and the paint of its method and end
// style. Codes outside their tables paint as the first entry.

#include "document/Item.h"
#include "render/VectorSurface.h"

namespace twk {

// Paints `item` (if IsPaintedItem) with the surface's current transformation
// as the document space; the surface's state is the same afterwards.
void PaintItem(VectorSurface& surface, const TWKDATA& item);

}  // namespace twk
