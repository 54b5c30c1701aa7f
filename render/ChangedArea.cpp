#include "render/ChangedArea.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "geometry/FigureReach.h"

namespace twk {


bool SameState(const TWKDATA& now, const TWKDATA& was) {
  if (now.Revision != was.Revision) return false;
  assert(now == was && "an item's fields changed without a new revision (Touch)");
  return true;
}

PixelArea Around(PixelArea a, PixelArea b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool ReachOf(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, PixelReach& reach) {
  // Antialiasing reaches this far beyond the painted box.
  constexpr double kMargin = 2;
  Box box;
  if (!PaintedBox(item, box)) return false;
  reach = {std::floor(box.left * pixelsPerUnitX) - kMargin, std::floor(box.top * pixelsPerUnitY) - kMargin,
           std::ceil(box.right * pixelsPerUnitX) + kMargin, std::ceil(box.bottom * pixelsPerUnitY) + kMargin};
  return std::isfinite(reach.left + reach.top + reach.right + reach.bottom);
}

bool ReachedArea(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, int width, int height,
                 PixelArea& area) {
  PixelReach reach;
  if (!ReachOf(item, pixelsPerUnitX, pixelsPerUnitY, reach)) return false;
  auto cut = [](double value, double from, int size) {
    return static_cast<int>(std::clamp(value, from, static_cast<double>(size)));
  };
  area.left = cut(reach.left, 0, width);
  area.right = cut(reach.right, area.left, width);
  area.top = cut(reach.top, 0, height);
  area.bottom = cut(reach.bottom, area.top, height);
  return true;
}

bool ChangedArea(const TWKFILE& doc, const std::vector<int>& indices, const std::vector<TWKDATA>& painted,
                 double pixelsPerUnitX, double pixelsPerUnitY, int width, int height, PixelArea& area) {
  if (indices.size() != painted.size()) return false;
  PixelArea all;
  for (std::size_t k = 0; k < indices.size(); ++k) {
    if (indices[k] < 0 || indices[k] >= doc.CData.size()) return false;
    const TWKDATA& now = *doc.CData.at(indices[k]);
    const TWKDATA& was = painted[k];
    if (SameState(now, was)) continue;
    for (const TWKDATA* item : {&was, &now}) {
      PixelArea reached;
      if (!ReachedArea(*item, pixelsPerUnitX, pixelsPerUnitY, width, height, reached)) return false;
      all = Around(all, reached);
    }
  }
  area = all.empty() ? PixelArea{} : all;
  return true;
}

}  // namespace twk
