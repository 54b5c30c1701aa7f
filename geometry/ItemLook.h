#pragma once
// How an item is painted, as the renderer paints it and the vector writers
// (SVG, vector drawable) write it: whether it is painted at all, its paint
// (outline, fill or dots) and the pen of its end style.

#include "document/Item.h"

namespace twk {

enum class ItemPaint { kStroke, kFill, kDots };

// Methods outside the table paint solid; a line is stroked even with "fill".
inline ItemPaint PaintOf(const TWKDATA& item) {
  if (item.DrawMethod == kDots) return ItemPaint::kDots;
  if (item.DrawMethod == kFill && item.Type != kLine) return ItemPaint::kFill;
  return ItemPaint::kStroke;
}

enum class LineCap { kFlat, kSquare, kRound };
enum class LineJoin { kMiter, kRound };

struct PenStyle {
  LineCap cap = LineCap::kSquare;
  LineJoin join = LineJoin::kMiter;
};

// The pen of an end style code (0 square/miter, 1 flat/miter, 2 round/round;
// anything else as 0).
PenStyle PenStyleFor(int endStyle);

// Whether the item is painted at all: visible, a known kind, not fully
// transparent.
bool IsPaintedItem(const TWKDATA& item);

}  // namespace twk
