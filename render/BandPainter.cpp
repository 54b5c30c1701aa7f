#include "render/BandPainter.h"

#include <algorithm>
#include <thread>

#include <cairo.h>

#include "render/ItemPainter.h"
#include "render/VectorSurface.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// Below this many rows the second thread costs more than it saves.
constexpr int kMinRowsToSplit = 64;

int WorkerCount() {
  static const int count = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 2);
  return count;
}

// PaintItemsInRows without the flush: the caller has flushed the layer.
void PaintBandRows(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last, int top,
                   int bottom, const PaintCancel* cancel) {
  if (cancel) cancel->AtBand();
  VectorSurface surface(layer, top, bottom - top);
  if (!surface.ok()) return;
  surface.ScaleBy(surface.width() / unitsWide, surface.height() / unitsHigh);
  surface.PushState();  // the document space, for recovering from a failed item
  for (int i = last; i >= first && !GivenUp(cancel); --i) {
    PaintItem(surface, *doc.CData.at(i));
    // cairo's errors are sticky: one failed item must not blank the rest.
    if (!surface.ok()) surface.Recover();
  }
  surface.PopState();
}

}  // namespace

void PaintItemsInRows(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                      int top, int bottom, const PaintCancel* cancel) {
  cairo_surface_flush(layer.surface());
  PaintBandRows(layer, doc, unitsWide, unitsHigh, first, last, top, bottom, cancel);
}

void PaintItemsInBands(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                       const BandFinished& finished, const PaintCancel* cancel) {
  const int height = layer.height();
  const bool split = WorkerCount() > 1 && height >= kMinRowsToSplit && first < last;
  if (!split) {
    if (first <= last) PaintItemsInRows(layer, doc, unitsWide, unitsHigh, first, last, 0, height, cancel);
    if (finished) finished(0, height);
    layer.MarkDirty();
    return;
  }
  // The bands write disjoint rows of one pixel buffer; the surface is
  // flushed once here, before either band starts, never by both at once.
  cairo_surface_flush(layer.surface());
  const int cuts[] = {0, height / 2, height};
  // A failure in a band is raised once both bands have stopped.
  JobPool::Shared().Run(2, [&](std::size_t, std::size_t band) {
    PaintBandRows(layer, doc, unitsWide, unitsHigh, first, last, cuts[band], cuts[band + 1], cancel);
    if (finished) finished(cuts[band], cuts[band + 1]);
  });
  layer.MarkDirty();
}

}  // namespace twk
