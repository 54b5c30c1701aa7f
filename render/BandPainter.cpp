#include "render/BandPainter.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "render/ItemPainter.h"
#include "render/VectorSurface.h"

namespace twk {

namespace {

// Below this many rows the second thread costs more than it saves.
constexpr int kMinRowsToSplit = 64;

int WorkerCount() {
  static const int count = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 2);
  return count;
}

}  // namespace

void PaintItemsInRows(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                      int top, int bottom) {
  VectorSurface surface(layer, top, bottom - top);
  if (!surface.ok()) return;
  surface.ScaleBy(surface.width() / unitsWide, surface.height() / unitsHigh);
  surface.PushState();  // the document space, for recovering from a failed item
  for (int i = last; i >= first; --i) {
    PaintItem(surface, *doc.CData.at(i));
    // cairo's errors are sticky: one failed item must not blank the rest.
    if (!surface.ok()) surface.Recover();
  }
  surface.PopState();
}

void PaintItemsInBands(Image& layer, const TWKFILE& doc, double unitsWide, double unitsHigh, int first, int last,
                       const BandFinished& finished) {
  const int height = layer.height();
  auto paint = [&](int top, int bottom) {
    if (first <= last) PaintItemsInRows(layer, doc, unitsWide, unitsHigh, first, last, top, bottom);
    if (finished) finished(top, bottom);
  };
  const bool split = WorkerCount() > 1 && height >= kMinRowsToSplit && first < last;
  if (!split) {
    paint(0, height);
    layer.MarkDirty();
    return;
  }
  const int middle = height / 2;
  std::exception_ptr lowerFailure;
  std::thread lower;
  try {
    lower = std::thread([&] {
      try {
        paint(middle, height);
      } catch (...) {
        lowerFailure = std::current_exception();
      }
    });
  } catch (const std::exception&) {
    // No thread to be had: the lower band is painted here afterwards.
  }
  std::exception_ptr upperFailure;
  try {
    paint(0, middle);
  } catch (...) {
    upperFailure = std::current_exception();
  }
  if (lower.joinable())
    lower.join();
  else if (!upperFailure)
    paint(middle, height);
  layer.MarkDirty();
  if (upperFailure) std::rethrow_exception(upperFailure);
  if (lowerFailure) std::rethrow_exception(lowerFailure);
}

}  // namespace twk
