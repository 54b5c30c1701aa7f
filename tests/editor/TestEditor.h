#pragma once
// An in-memory item list and an editor wired to counters, for testing the
// editing commands without windows.

#include <string>
#include <utility>
#include <vector>

#include "editor/EditHistory.h"
#include "editor/Editor.h"

namespace twk::test {

// The editor's item list with two helpers for setting up and reading the
// selection by row numbers.
class TestRows : public ItemList {
 public:
  using ItemList::Select;
  void Select(std::initializer_list<int> rows) {
    std::vector<RowRun> runs;
    for (int r : rows) runs.emplace_back(r, r);
    Select(runs, runs.empty() ? -1 : runs.front().first, false);
  }
};

// A document, editor state and list wired to an Editor that counts redraws,
// title updates and grid rebuilds.
struct TestEditor {
  TWKFILE doc;
  EditorState state;
  TestRows rows;
  EditHistory history;
  std::string savePath = "kept.twk";
  int redraws = 0;
  int titles = 0;
  std::vector<std::pair<int, int>> grids;
  std::vector<unsigned> reports;  // the kinds of every report, in order
  Editor ed{doc, state, rows, &history};

  TestEditor() {
    ed.savePath = &savePath;
    ed.changed = [this](const DocumentChange& change) {
      reports.push_back(change.kinds);
      if (change.Has(DocumentChange::kSize)) grids.emplace_back(change.width, change.height);
      if (change.Has(DocumentChange::kToolSettings)) ++titles;
      if (change.Has(DocumentChange::kPicture)) ++redraws;
    };
  }
  TestEditor(const TestEditor&) = delete;

  // True when row i is attached to the i-th item of CData for every i and
  // every check mark equals its item's visibility.
  bool RowsMirrorDocument() const {
    if (rows.RowCount() != doc.CData.size()) return false;
    for (int i = 0; i < rows.RowCount(); ++i) {
      if (rows.RowItem(i) != doc.CData.at(i)) return false;
      if (rows.GetRowState(i).checked != (doc.CData.at(i)->Visible != 0)) return false;
    }
    return true;
  }
};

// An item with distinguishable fields; `tag` goes into Name and DrawAngle.
inline TWKDATA MakeItem(int type, int tag, float width = 1.0f) {
  TWKDATA item;
  item.Name = "item" + std::to_string(tag);
  item.Type = static_cast<std::uint8_t>(type);
  item.Visible = 1;
  item.DrawWidth = width;
  item.DrawRGBA = static_cast<std::int32_t>(0xFF000000u | static_cast<unsigned>(tag));
  item.X1 = 1.5f + tag;
  item.Y1 = 2.5f;
  item.X2 = 3.5f;
  item.Y2 = 4.5f;
  item.X3 = 5.5f;
  item.Y3 = 6.5f;
  item.X4 = 7.5f;
  item.Y4 = 8.5f + tag;
  return item;
}

}  // namespace twk::test
