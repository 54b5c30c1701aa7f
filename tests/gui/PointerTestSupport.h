#pragma once
// What the pointer tests draw and where they press, at screen scale 1.

#include <QPoint>

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::test {

// The canvas pixel whose top-left corner is the document point (x, y), at
// scale 1 (20 pixels a unit).
inline QPoint At(float x, float y) { return QPoint(static_cast<int>(x * 20), static_cast<int>(y * 20)); }

// An opaque red item of width 1 from (x1, y1) to (x4, y4), its controls on
// its ends.
inline TWKDATA Item(ItemType type, DrawMethodCode method, float x1, float y1, float x4, float y4) {
  TWKDATA item;
  item.Type = type;
  item.DrawMethod = method;
  item.DrawWidth = 1;
  item.DrawRGBA = PackRGBA(200, 40, 40, 255);
  item.Visible = 1;
  item.X1 = item.X2 = x1, item.Y1 = item.Y2 = y1;
  item.X3 = item.X4 = x4, item.Y3 = item.Y4 = y4;
  return item;
}

}  // namespace twk::test
