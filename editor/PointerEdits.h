#pragma once
// The edits made by pointing at items on the canvas: moving some items and
// giving one item a new shape. Both are value changes that leave order,
// rows and selection alone, so they are ChangeItems steps, as Hide and Show are.

#include <memory>
#include <vector>

#include "editor/ChangeItems.h"

namespace twk {

// Moves the items of `rows` by (dx, dy) units as the arrow keys move them:
// every point, an ellipse keeping its arc angles; a row listed twice moves
// once. nullptr when no item would change.
std::unique_ptr<ChangeItems> MoveRowsBy(TWKFILE& doc, const std::vector<int>& rows, float dx, float dy);

// Gives the item of `row` the value `reshaped` (the item with one defining
// point moved); nullptr when that is the value it has.
std::unique_ptr<ChangeItems> ReshapeRow(TWKFILE& doc, int row, const TWKDATA& reshaped);

}  // namespace twk
