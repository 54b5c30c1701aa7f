#pragma once
// Where to cut a picture into two bands of rows so that the two threads
// painting them finish together: the row that splits the guessed cost of
// painting the items in half, each item's guess spread evenly over the rows
// it reaches. Any cut gives the same pixels; only the waiting differs.

#include "document/Document.h"

namespace twk {

// The first row of the lower band for painting items first..last of `doc`
// on a picture `width` x `height` at the given pixels per unit: within
// [height / 4, 3 * height / 4], so that a poor guess costs little.
int BalancedCut(const TWKFILE& doc, int first, int last, double pixelsPerUnitX, double pixelsPerUnitY, int width,
                int height);

}  // namespace twk
