#pragma once
// Paints items over a rectangle of a picture so that it gets exactly the
// pixels a full redraw gives it. Painting in whole rows gives exactly a full
// redraw's pixels and painting in a column range does not, so the items are
// painted in whole rows on a scratch picture and only the rectangle is taken
// back. The rows are split in two bands, one a thread, each on its own
// scratch picture.

#include <memory>

#include "document/Document.h"
#include "render/ChangedArea.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

// Scratch pictures the size of the picture, kept between repaints.
struct AreaScratch {
  std::unique_ptr<Image> bands[2];
};

// The pixels `area` of `picture` (the canvas's document area at the given
// pixels per unit) become those of every item of `doc` painted alone on a
// transparent picture; half painted once `cancel` is requested. Throws
// std::bad_alloc when a scratch picture cannot be made.
void RepaintArea(Image& picture, AreaScratch& scratch, const TWKFILE& doc, float pixelsPerUnitX,
                 float pixelsPerUnitY, PixelArea area, const PaintCancel* cancel = nullptr);

}  // namespace twk
