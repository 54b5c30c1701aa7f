#include "editor/PointerGesture.h"

#include <algorithm>
#include <cmath>

#include "editor/PointerEdits.h"

namespace twk {

namespace {

// `point` rounded to the nearest multiple of 0.125 units, the arrow keys' step.
Point SnapToStep(Point point) { return {std::round(point.x * 8) / 8, std::round(point.y * 8) / 8}; }

// `row` added to the selection, or taken out when it is in it.
void ToggleRow(ItemList& rows, int row) {
  const bool wasSelected = rows.GetRowState(row).selected;
  std::vector<RowRun> runs;
  for (int r : rows.SelectedRows())
    if (r != row) runs.emplace_back(r, r);
  if (!wasSelected) runs.emplace_back(row, row);
  std::sort(runs.begin(), runs.end());  // runs go in list order
  rows.Select(runs, wasSelected ? -1 : row, !wasSelected);
}

}  // namespace

Point PixelCentre(const EditorSession& ed, int px, int py) {
  return {(px + 0.5) / ed.pixelsPerUnitX, (py + 0.5) / ed.pixelsPerUnitY};
}

Point PointerUnits(const EditorSession& ed, int px, int py) { return SnapToStep(PixelCentre(ed, px, py)); }

void PointerGesture::Press(EditorSession& ed, int px, int py, bool toggle) {
  if (Active()) return;
  selectionBefore_ = RowSelection::Of(ed.rows());
  const Point p = PixelCentre(ed, px, py);
  const float ux = ed.pixelsPerUnitX, uy = ed.pixelsPerUnitY;
  if (!toggle) {
    if (const auto handle = locator_.HandleAt(ed.doc(), ed.rows().SelectedRows(), p, ux, uy)) {
      kind_ = Kind::kReshape;
      pressedAt_ = p;
      reshaping_ = handle->item;
      original_ = *ed.doc().CData.at(handle->item);
      point_ = handle->point;
      return;
    }
  }
  const int hit = locator_.ItemAt(ed.doc(), p, ux, uy);
  if (toggle) {
    if (hit >= 0) ToggleRow(ed.rows(), hit);
    return;
  }
  if (hit < 0) {
    ed.rows().Select({}, -1, false);
    return;
  }
  if (ed.rows().GetRowState(hit).selected)
    pickOnClick_ = hit;
  else
    ed.rows().SelectOnly(hit);
  kind_ = Kind::kMove;
  pressedAt_ = p;
  moving_ = ed.rows().SelectedRows();
}

void PointerGesture::Follow(EditorSession& ed, int px, int py) {
  if (!Active()) return;
  const Point p = PixelCentre(ed, px, py);
  // Back to the values at the press, then on to the new ones from there.
  const bool wasLive = PutBack(ed);
  if (kind_ == Kind::kMove) {
    const Point step = SnapToStep({p.x - pressedAt_.x, p.y - pressedAt_.y});
    if (step.x != 0 || step.y != 0) moved_ = true;
    live_ = MoveRowsBy(ed.doc(), moving_, static_cast<float>(step.x), static_cast<float>(step.y));
  } else {
    moved_ = true;
    live_ = ReshapeRow(ed.doc(), reshaping_, locator_.WithPointAt(original_, point_, SnapToStep(p)));
  }
  if (live_) live_->Apply(ed);
  if (wasLive || live_) ReportChange(ed, DocumentChange::kItemFields);
}

bool PointerGesture::PutBack(EditorSession& ed) {
  if (!live_) return false;
  live_->Revert(ed);
  live_.reset();
  return true;
}

void PointerGesture::Release(EditorSession& ed) {
  if (!Active()) return;
  if (live_) {
    // RunEdit applies the step itself, from the values at the press; undo
    // selects what was selected before the press picked anything.
    live_->Revert(ed);
    RunEdit(ed, std::move(live_), 0, &selectionBefore_);
  } else if (!moved_ && pickOnClick_ >= 0) {
    ed.rows().SelectOnly(pickOnClick_);
  }
  End();
}

bool PointerGesture::Cancel(EditorSession& ed) {
  if (!Active()) return false;
  if (PutBack(ed)) ReportChange(ed, DocumentChange::kItemFields);
  End();
  return true;
}

void PointerGesture::End() {
  kind_ = Kind::kNone;
  moving_.clear();
  reshaping_ = -1;
  pickOnClick_ = -1;
  moved_ = false;
  live_.reset();
}

}  // namespace twk
