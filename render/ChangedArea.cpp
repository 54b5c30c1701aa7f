#include "render/ChangedArea.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "geometry/FigureReach.h"

namespace twk {

namespace {

// The pixels [first, end) of `size` that the span [from, to) in units covers,
// with antialiasing's reach beyond it; false when not finite.
bool PixelSpan(double from, double to, double pixelsPerUnit, int size, int& first, int& end) {
  constexpr double kMargin = 2;
  const double a = std::floor(from * pixelsPerUnit) - kMargin, b = std::ceil(to * pixelsPerUnit) + kMargin;
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  first = static_cast<int>(std::clamp(a, 0.0, static_cast<double>(size)));
  end = static_cast<int>(std::clamp(b, static_cast<double>(first), static_cast<double>(size)));
  return true;
}

}  // namespace

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

bool ReachedArea(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, int width, int height,
                 PixelArea& area) {
  Box box;
  return PaintedBox(item, box) && PixelSpan(box.left, box.right, pixelsPerUnitX, width, area.left, area.right) &&
         PixelSpan(box.top, box.bottom, pixelsPerUnitY, height, area.top, area.bottom);
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
