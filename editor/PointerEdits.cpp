#include "editor/PointerEdits.h"

#include <utility>

#include "editor/Selection.h"

namespace twk {

void SetItemValues::Apply(Editor& ed) {
  (void)ed;
  for (Change& change : changes_) std::swap(*change.item, change.other);
}

void SetItemValues::Revert(Editor& ed) {
  (void)ed;
  // Backwards, so an item listed twice ends with the value it had first.
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) std::swap(*change->item, change->other);
}

std::unique_ptr<SetItemValues> MoveItemsBy(const std::vector<TWKDATA*>& items, float dx, float dy) {
  static const EditorState kNoSettings{};  // a move reads no tool setting
  const SelectionChange move{SelectionMember::kMove, 0, dx, dy};
  std::vector<SetItemValues::Change> changes;
  for (TWKDATA* item : items) {
    if (!item) continue;
    TWKDATA after = *item;
    if (ApplyChange(after, move, kNoSettings)) changes.push_back({item, std::move(after)});
  }
  if (changes.empty()) return nullptr;
  return std::make_unique<SetItemValues>(std::move(changes));
}

std::unique_ptr<SetItemValues> ReshapeItem(TWKDATA* item, const TWKDATA& reshaped) {
  if (!item || *item == reshaped) return nullptr;
  return std::make_unique<SetItemValues>(std::vector<SetItemValues::Change>{{item, reshaped}});
}

}  // namespace twk
