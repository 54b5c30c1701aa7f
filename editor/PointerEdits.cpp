#include "editor/PointerEdits.h"

#include <unordered_set>
#include <utility>

#include "editor/Selection.h"

namespace twk {

std::unique_ptr<ChangeItems> MoveRowsBy(TWKFILE& doc, const std::vector<int>& rows, float dx, float dy) {
  static const EditorState kNoSettings{};  // a move reads no tool setting
  const SelectionChange move{SelectionMember::kMove, 0, dx, dy};
  std::unordered_set<int> seen;
  std::vector<ItemChange> changes;
  for (int row : rows) {
    if (row < 0 || row >= doc.CData.size() || !seen.insert(row).second) continue;
    TWKDATA* item = doc.CData.at(row);
    TWKDATA after = *item;
    if (ApplyChange(after, move, kNoSettings)) changes.push_back({row, item, std::move(after)});
  }
  if (changes.empty()) return nullptr;
  return std::make_unique<ChangeItems>(std::move(changes));
}

std::unique_ptr<ChangeItems> ReshapeRow(TWKFILE& doc, int row, const TWKDATA& reshaped) {
  if (row < 0 || row >= doc.CData.size() || *doc.CData.at(row) == reshaped) return nullptr;
  TWKDATA after = reshaped;
  Touch(after);
  return std::make_unique<ChangeItems>(std::vector<ItemChange>{{row, doc.CData.at(row), std::move(after)}});
}

}  // namespace twk
