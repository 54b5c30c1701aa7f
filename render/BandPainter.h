#pragma once
// Paints document items in horizontal bands of the target image, one band
// per thread. Each band has its own cairo context on its own rows and paints
// the same items in the same order, so the pixels equal a one-pass render.

#include <functional>

#include "document/Document.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

// Runs after a band's rows [top, bottom) are painted, on the band's thread.
using BandFinished = std::function<void(int top, int bottom)>;

// Paints items last..first of doc.CData onto `layer` with the document space
// of unitsWide x unitsHigh filling it (the order and result of PaintItems).
// Small images and ranges are painted in one band on the calling thread.
// Once `cancel` is requested every band stops at its next item, leaving the
// layer half painted.
void PaintItemsInBands(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                       const BandFinished& finished = {}, const PaintCancel* cancel = nullptr);

// Paints the rows [top, bottom) only, on the calling thread.
void PaintItemsInRows(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                      int top, int bottom, const PaintCancel* cancel = nullptr);

}  // namespace twk
