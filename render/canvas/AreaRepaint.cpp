#include "render/canvas/AreaRepaint.h"

#include <algorithm>
#include <new>

#include "render/SceneRenderer.h"
#include "render/canvas/AreaCopy.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// Fewer rows than this are painted on one thread: a band costs a pass over
// every item whatever its height.
constexpr int kMinRowsToSplit = 48;

}  // namespace

void RepaintArea(Image& picture, AreaScratch& scratch, const TWKFILE& doc, float pixelsPerUnitX,
                 float pixelsPerUnitY, PixelArea area, const PaintCancel* cancel) {
  area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, picture.width()),
          std::min(area.bottom, picture.height())};
  if (area.empty()) return;
  const int count = area.bottom - area.top >= kMinRowsToSplit ? 2 : 1;
  const int middle = count == 2 ? (area.top + area.bottom) / 2 : area.bottom;
  const PixelArea bands[2] = {{area.left, area.top, area.right, middle},
                              {area.left, middle, area.right, area.bottom}};
  for (int b = 0; b < count; ++b) {
    std::unique_ptr<Image>& band = scratch.bands[b];
    if (!band || band->width() != picture.width() || band->height() != picture.height()) {
      band = Image::NewTransparent(picture.width(), picture.height());
      if (!band) throw std::bad_alloc();
    }
    ClearArea(*band, {0, bands[b].top, picture.width(), bands[b].bottom});
  }
  // Each thread paints on its own scratch picture only.
  JobPool::Shared().Run(static_cast<std::size_t>(count), [&](std::size_t, std::size_t b) {
    PaintItemRows(*scratch.bands[b], doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0,
                  doc.CData.size() - 1, bands[b].top, bands[b].bottom, cancel);
  });
  for (int b = 0; b < count; ++b) CopyArea(picture, *scratch.bands[b], bands[b]);
}

}  // namespace twk
