#include "render/ChangedRows.h"

#include <algorithm>
#include <cmath>

#include "render/FigureReach.h"

namespace twk {

bool ReachedRows(const TWKDATA& item, double pixelsPerUnitY, int height, int& top, int& bottom) {
  // Antialiasing reaches a pixel beyond the painted box.
  constexpr double kMargin = 2;
  Box box;
  if (!PaintedBox(item, box)) return false;
  const double t = std::floor(box.top * pixelsPerUnitY) - kMargin, b = std::ceil(box.bottom * pixelsPerUnitY) + kMargin;
  if (!std::isfinite(t) || !std::isfinite(b)) return false;
  top = static_cast<int>(std::clamp(t, 0.0, static_cast<double>(height)));
  bottom = static_cast<int>(std::clamp(b, static_cast<double>(top), static_cast<double>(height)));
  return true;
}

bool ChangedRows(const TWKFILE& doc, const std::vector<int>& indices, const std::vector<TWKDATA>& painted,
                 double pixelsPerUnitY, int height, int& top, int& bottom) {
  if (indices.size() != painted.size()) return false;
  int first = height, end = 0;
  for (std::size_t k = 0; k < indices.size(); ++k) {
    if (indices[k] < 0 || indices[k] >= doc.CData.size()) return false;
    const TWKDATA& now = *doc.CData.at(indices[k]);
    const TWKDATA& was = painted[k];
    if (now == was) continue;
    for (const TWKDATA* item : {&was, &now}) {
      int t = 0, b = 0;
      if (!ReachedRows(*item, pixelsPerUnitY, height, t, b)) return false;
      first = std::min(first, t), end = std::max(end, b);
    }
  }
  top = first;
  bottom = std::max(top, end);
  return true;
}

}  // namespace twk
