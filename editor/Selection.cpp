#include "editor/Selection.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <utility>
#include <vector>

#include "document/Colour.h"
#include "editor/ChangeDrawingFields.h"

namespace twk {

namespace {

// Float fields are compared by their bits, so that a NaN read from a file
// counts as unchanged when it is written again.
bool Assign(float& field, float value) {
  if (std::bit_cast<std::uint32_t>(field) == std::bit_cast<std::uint32_t>(value)) return false;
  field = value;
  return true;
}

template <typename T>
bool Assign(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

float Rotated(float angle, float by) {
  float next = angle + by;
  if (next > 360.0f) next -= 360.0f;
  if (next < 0.0f) next += 360.0f;
  return next;
}

bool Moved(TWKDATA& item, float dx, float dy) {
  bool changed = false;
  changed |= Assign(item.X1, item.X1 + dx);
  changed |= Assign(item.Y1, item.Y1 + dy);
  changed |= Assign(item.X3, item.X3 + dx);
  changed |= Assign(item.Y3, item.Y3 + dy);
  changed |= Assign(item.X4, item.X4 + dx);
  changed |= Assign(item.Y4, item.Y4 + dy);
  if (item.Type != kEllipse) {  // an ellipse keeps its arc angles there
    changed |= Assign(item.X2, item.X2 + dx);
    changed |= Assign(item.Y2, item.Y2 + dy);
  }
  return changed;
}

bool ChangeFields(TWKDATA& item, const SelectionChange& change, const EditorState& state) {
  switch (change.member) {
    case SelectionMember::kSetDrawMethod:
      return Assign(item.DrawMethod, static_cast<std::uint8_t>(state.CurDrawMethod));
    case SelectionMember::kSetEndStyle:
      return Assign(item.DrawMethod2, static_cast<std::uint8_t>(state.CurDrawMethod2));
    case SelectionMember::kSetWidth:
      return Assign(item.DrawWidth, state.CurDrawWidth);
    case SelectionMember::kSetOpacity:
      return Assign(item.DrawRGBA, WithAlpha(item.DrawRGBA, state.CurAlpha));
    case SelectionMember::kRecolour:
      return Assign(item.DrawRGBA, WithRGB(item.DrawRGBA, state.CurRGB));
    case SelectionMember::kRotate:
      return Assign(item.DrawAngle, Rotated(item.DrawAngle, change.amount));
    case SelectionMember::kMove:
      return Moved(item, change.dx, change.dy);
  }
  return false;
}
}  // namespace

bool ApplyChange(TWKDATA& item, const SelectionChange& change, const EditorState& state) {
  if (!ChangeFields(item, change, state)) return false;
  Touch(item);
  return true;
}

bool ApplyToSelection(EditorSession& ed, const SelectionChange& change) {
  std::vector<TWKDATA*> items;
  std::vector<DrawingFields> values;
  // Each new value is worked out on a scratch item that has the fields the
  // change reads, never a copy of the name.
  TWKDATA scratch;
  auto consider = [&](TWKDATA* item) {
    scratch.Type = item->Type;
    DrawingFields::Of(*item).WriteTo(scratch);
    if (!ApplyChange(scratch, change, ed.state())) return;
    items.push_back(item);
    values.push_back(DrawingFields::Of(scratch));
  };
  // Rows mirror CData, so a row's index is also its item's place.
  bool selected = false;
  for (int row = 0; row < ed.rows().RowCount(); ++row) {
    if (!ed.rows().GetRowState(row).selected) continue;
    if (TWKDATA* item = ed.rows().RowItem(row)) {
      assert(row < ed.doc().CData.size() && ed.doc().CData.at(row) == item);
      selected = true;
      consider(item);
    }
  }
  if (!selected && change.member == SelectionMember::kMove) {
    const ItemStore& all = ed.doc().CData;
    items.reserve(static_cast<std::size_t>(all.size()));
    values.reserve(static_cast<std::size_t>(all.size()));
    for (int i = 0; i < all.size(); ++i) consider(all.at(i));
  }
  if (items.empty()) return false;
  RunEdit(ed, std::make_unique<ChangeDrawingFields>(std::move(items), std::move(values)), change.key);
  return true;
}

}  // namespace twk
