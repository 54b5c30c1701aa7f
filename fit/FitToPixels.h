#pragma once
// Pixel fitting: the document to paint for one square picture, with its
// straight horizontal and vertical edges moved onto whole pixels (stroke
// centres onto whole or half pixels by their width), so that no straight
// edge leaves a half-toned row or column. The document itself never changes;
// the result is a fitted copy for that one picture.

#include <functional>
#include <optional>

#include "document/Document.h"

namespace twk {

// What fitting did to one picture's edges, in pixels.
struct FitMeasure {
  double largestMove = 0;  // the farthest any fitted edge moved
  int edgesMoved = 0;      // fitted edges that moved by 1/1000 px or more
};

// The copy of `doc` to paint for a picture of `edge` x `edge` pixels of the
// full 16 x 16-unit area. Right-angle turns are folded into the points,
// stroke widths become whole pixels, stems, line ends and fill edges snap
// to the pixel grid (shared edges once, mirrored values toward the centre),
// circles stay round, and diagonals and curves follow the ends they touch.
// Items that cannot be fitted are copied unchanged but for their width.
// `measure`, when given, receives how far the edges moved.
TWKFILE FitToPixels(const TWKFILE& doc, int edge, FitMeasure* measure = nullptr);

// Asked every few thousand items while a picture is fitted or measured;
// true gives the work up (a newer picture is wanted, or the program ends).
using StopCheck = std::function<bool()>;

// FitToPixels that gives up, with nothing, once `stop` says so.
std::optional<TWKFILE> FitToPixels(const TWKFILE& doc, int edge, const StopCheck& stop, FitMeasure* measure = nullptr);

}  // namespace twk
