#include "editor/RubberBand.h"

#include <algorithm>
#include <set>

#include "editor/PointerGesture.h"

namespace twk {

bool RubberBand::IsGround(const EditorSession& ed, int px, int py, bool adding) const {
  const Point p = PixelCentre(ed, px, py);
  const float ux = ed.pixelsPerUnitX, uy = ed.pixelsPerUnitY;
  if (!adding && locator_.HandleAt(ed.doc(), ed.rows().SelectedRows(), p, ux, uy)) return false;
  return locator_.ItemAt(ed.doc(), p, ux, uy) < 0;
}

void RubberBand::Start(int px, int py, bool adding) {
  active_ = true;
  adding_ = adding;
  moved_ = false;
  startX_ = endX_ = px;
  startY_ = endY_ = py;
}

void RubberBand::Follow(int px, int py) {
  if (!active_) return;
  endX_ = px;
  endY_ = py;
  if (px != startX_ || py != startY_) moved_ = true;
}

RubberBand::Area RubberBand::area() const {
  if (!active_ || !moved_) return {};
  return {std::min(startX_, endX_), std::min(startY_, endY_), std::max(startX_, endX_) + 1,
          std::max(startY_, endY_) + 1};
}

void RubberBand::Finish(EditorSession& ed) {
  if (!active_) return;
  const Area band = area();
  active_ = false;
  if (!moved_) {
    if (!adding_) ed.rows().Select({}, -1, false);
    return;
  }
  const std::vector<int> touched = locator_.ItemsInBand(ed.doc(), band.left, band.top, band.right, band.bottom,
                                                        ed.pixelsPerUnitX, ed.pixelsPerUnitY);
  std::set<int> rows(touched.begin(), touched.end());
  if (adding_) {
    const std::vector<int> selected = ed.rows().SelectedRows();
    rows.insert(selected.begin(), selected.end());
  }
  // Neighbouring rows go as one run, in list order.
  std::vector<RowRun> runs;
  for (int row : rows) {
    if (!runs.empty() && runs.back().second + 1 == row)
      runs.back().second = row;
    else
      runs.emplace_back(row, row);
  }
  ed.rows().Select(runs, touched.empty() ? -1 : touched.front(), !touched.empty());
}

bool RubberBand::Cancel() {
  if (!active_) return false;
  active_ = false;
  return true;
}

}  // namespace twk
