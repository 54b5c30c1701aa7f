#pragma once
// The renderer's answer to where items are: its own hit test, handle
// geometry and point moves, which agree with the pixels it paints.

#include "document/ItemLocator.h"

namespace twk {

// One shared instance; it keeps no state.
const ItemLocator& PaintedItemLocator();

}  // namespace twk
