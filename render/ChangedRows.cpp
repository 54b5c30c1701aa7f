#include "render/ChangedRows.h"

#include <algorithm>
#include <cmath>

#include "render/FigureReach.h"

namespace twk {

bool ChangedRows(const TWKFILE& doc, const std::vector<int>& indices, const std::vector<TWKDATA>& painted,
                 double pixelsPerUnitY, int height, int& top, int& bottom) {
  if (indices.size() != painted.size()) return false;
  // Antialiasing reaches a pixel beyond the painted box.
  constexpr double kMargin = 2;
  double first = height, end = 0;
  for (std::size_t k = 0; k < indices.size(); ++k) {
    if (indices[k] < 0 || indices[k] >= doc.CData.size()) return false;
    const TWKDATA& now = *doc.CData.at(indices[k]);
    const TWKDATA& was = painted[k];
    if (now == was) continue;
    Box before, after;
    if (!PaintedBox(was, before) || !PaintedBox(now, after)) return false;
    const double t = std::min(before.top, after.top) * pixelsPerUnitY;
    const double b = std::max(before.bottom, after.bottom) * pixelsPerUnitY;
    if (!std::isfinite(t) || !std::isfinite(b)) return false;
    first = std::min(first, std::clamp(std::floor(t) - kMargin, 0.0, static_cast<double>(height)));
    end = std::max(end, std::clamp(std::ceil(b) + kMargin, 0.0, static_cast<double>(height)));
  }
  top = static_cast<int>(first);
  bottom = std::max(top, static_cast<int>(end));
  return true;
}

}  // namespace twk
