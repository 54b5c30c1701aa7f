#include "render/canvas/MovedRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <cairo.h>

#include "render/ChangedArea.h"
#include "render/canvas/AreaCopy.h"

namespace twk {

double AreaPixelsPerUnit(int pixels, float units) {
  const double side = units >= 1.0f ? std::min(units, 16.0f) : 1.0f;
  return pixels / side;
}

bool RowsToPaint(const TWKFILE& doc, int width, int height, double scaleX, double scaleY, int dx, int dy,
                 std::vector<bool>& rows) {
  rows.assign(height, false);
  auto mark = [&](double first, double end) {
    const int top = static_cast<int>(std::clamp(first, 0.0, double(height)));
    const int bottom = static_cast<int>(std::clamp(end, 0.0, double(height)));
    std::fill(rows.begin() + top, rows.begin() + std::max(top, bottom), true);
  };
  if (dy > 0) mark(0, dy);
  if (dy < 0) mark(height + dy, height);
  for (int i = 0; dx != 0 && i < doc.CData.size(); ++i) {
    PixelReach reach;
    if (!ReachOf(*doc.CData.at(i), scaleX, scaleY, reach)) return false;
    const auto [left, top, right, bottom] = reach;
    // Where it was: the same columns and rows less the move, a pixel more
    // for the rounding of the sums.
    if (std::min(left, left - dx) - 1 >= 0 && std::max(right, right - dx) + 1 <= width) continue;
    mark(std::min(top, top - dy) - 1, std::max(bottom, bottom - dy) + 1);
  }
  return true;
}

TWKFILE ItemsOnRows(const TWKFILE& doc, double scaleY, int top, int bottom) {
  TWKFILE items;
  items.TWKW = doc.TWKW, items.TWKH = doc.TWKH;
  for (int i = 0; i < doc.CData.size(); ++i) {
    const TWKDATA& item = *doc.CData.at(i);
    // An item whose reach cannot be told is kept.
    PixelReach reach;
    if (!ReachOf(item, scaleY, scaleY, reach) || !(reach.bottom <= top || reach.top >= bottom)) {
      items.CData.append(item);
    }
  }
  return items;
}

void MovePixels(Image& image, int dx, int dy) {
  cairo_surface_flush(image.surface());
  const int w = image.width(), h = image.height();
  const std::size_t stride = image.stride();
  std::uint8_t* data = image.data();
  const int to = std::max(dx, 0), from = std::max(-dx, 0), count = w - std::abs(dx);
  auto moveRow = [&](int y) {
    std::uint8_t* row = data + stride * y;
    std::memmove(row + to * 4, data + stride * (y - dy) + from * 4, std::size_t(count) * 4);
    std::memset(row + (dx > 0 ? 0 : count) * 4, 0, std::size_t(std::abs(dx)) * 4);
  };
  // Rows are taken in the order that reads each before it is written.
  if (dy > 0) {
    for (int y = h - 1; y >= dy; --y) moveRow(y);
  } else {
    for (int y = 0; y < h + dy; ++y) moveRow(y);
  }
  image.MarkDirty();
  ClearArea(image, dy > 0 ? PixelArea{0, 0, w, dy} : PixelArea{0, h + dy, w, h});
}

}  // namespace twk
