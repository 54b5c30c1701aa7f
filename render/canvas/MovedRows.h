#pragma once
// The rows of a picture moved with the items it shows (see MovedPictures):
// moving its pixels, the rows the move cannot give, and the items that
// paint on given rows.

#include <vector>

#include "document/Document.h"
#include "render/Image.h"

namespace twk {

// The pixels per unit the painter uses on the document area: its pixels
// over its units (a side clamped to 1..16 units, as the renderer does).
double AreaPixelsPerUnit(int pixels, float units);

// Marks the rows whose pixels moving the picture of `doc` (`width` x
// `height`) by (dx, dy) pixels does not give: those the move uncovers, and,
// for a sideways move, those of every item cut at the left or right side
// before or after. False when an item's reach cannot be told.
bool RowsToPaint(const TWKFILE& doc, int width, int height, double scaleX, double scaleY, int dx, int dy,
                 std::vector<bool>& rows);

// The items of `doc` that can paint on rows [top, bottom), in their order,
// in a document of their own: on those rows they paint what all of them
// do, without building the figures of the others.
TWKFILE ItemsOnRows(const TWKFILE& doc, double scaleY, int top, int bottom);

// The pixels of `image` moved by (dx, dy), each less than its side; what
// the move uncovers is transparent.
void MovePixels(Image& image, int dx, int dy);

// Calls `paint` with each run [top, bottom) of the rows marked.
template <typename Paint>
void ForEachRun(const std::vector<bool>& rows, Paint paint) {
  const int height = static_cast<int>(rows.size());
  for (int top = 0; top < height;) {
    if (!rows[top]) {
      ++top;
      continue;
    }
    int bottom = top;
    while (bottom < height && rows[bottom]) ++bottom;
    paint(top, bottom);
    top = bottom;
  }
}

}  // namespace twk
