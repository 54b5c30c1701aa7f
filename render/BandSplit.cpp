#include "render/BandSplit.h"

#include <algorithm>
#include <vector>

#include "render/ChangedArea.h"
#include "render/PaintBudget.h"

namespace twk {

int BalancedCut(const TWKFILE& doc, int first, int last, double pixelsPerUnitX, double pixelsPerUnitY, int width,
                int height) {
  const int lowest = height / 4, highest = height - height / 4;
  // Cost per row, as the change from each row to the next.
  std::vector<double> step(std::size_t(height) + 1, 0.0);
  double total = 0;
  for (int i = std::max(first, 0); i <= last && i < doc.CData.size(); ++i) {
    const TWKDATA& item = *doc.CData.at(i);
    PixelArea area{0, 0, width, height};
    if (!ReachedArea(item, pixelsPerUnitX, pixelsPerUnitY, width, height, area)) area = {0, 0, width, height};
    const int top = std::clamp(area.top, 0, height), bottom = std::clamp(area.bottom, 0, height);
    if (top >= bottom) continue;
    const double ns = GuessPaintNs(item, pixelsPerUnitX, pixelsPerUnitY, width, height);
    step[top] += ns / (bottom - top);
    step[bottom] -= ns / (bottom - top);
    total += ns;
  }
  double perRow = 0, above = 0;
  for (int row = 0; row < highest; ++row) {
    perRow += step[row];
    if (row >= lowest && above >= total / 2) return row;
    above += perRow;
  }
  return highest;
}

}  // namespace twk
