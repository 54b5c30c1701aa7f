#pragma once
// An in-memory item list and an editor wired to counters, for testing the
// editing commands without windows.

#include <string>
#include <utility>
#include <vector>

#include "editor/EditHistory.h"
#include "editor/Editor.h"

namespace twk::test {

class FakeRows : public ItemRows {
 public:
  struct Row {
    std::string text;
    TWKDATA* item = nullptr;
    RowState state;
  };

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  RowState GetRowState(int row) const override { return rows_.at(row).state; }
  void SetRowState(int row, RowState state) override { rows_.at(row).state = state; }
  TWKDATA* RowItem(int row) const override { return rows_.at(row).item; }
  void AttachItem(int row, TWKDATA* item) override { rows_.at(row).item = item; }
  void InsertRow(int index, const std::string& text) override {
    if (index > RowCount()) index = RowCount();
    rows_.insert(rows_.begin() + index, Row{text, nullptr, {}});
  }
  void RemoveRow(int row) override { rows_.erase(rows_.begin() + row); }
  void RemoveAllRows() override { rows_.clear(); }
  void SelectOnly(int row) override {
    for (Row& r : rows_) r.state.selected = false;
    if (row >= 0 && row < RowCount()) rows_[row].state.selected = true;
  }
  int FirstSelectedRow() const override {
    for (int i = 0; i < RowCount(); ++i)
      if (rows_[i].state.selected) return i;
    return -1;
  }
  std::string RowText(int row) const override { return rows_.at(row).text; }

  // Test helpers.
  void Select(std::initializer_list<int> rows) {
    SelectOnly(-1);
    for (int r : rows) rows_.at(r).state.selected = true;
  }
  std::vector<int> SelectedRows() const {
    std::vector<int> out;
    for (int i = 0; i < RowCount(); ++i)
      if (rows_[i].state.selected) out.push_back(i);
    return out;
  }

 private:
  std::vector<Row> rows_;
};

// A document, editor state and list wired to an Editor that counts redraws,
// title updates and grid rebuilds.
struct TestEditor {
  TWKFILE doc;
  EditorState state;
  FakeRows rows;
  EditHistory history;
  std::string savePath = "kept.twk";
  int redraws = 0;
  int titles = 0;
  std::vector<std::pair<int, int>> grids;
  Editor ed{doc, state, rows, &history};

  TestEditor() {
    ed.savePath = &savePath;
    ed.documentChanged = [this] { ++redraws; };
    ed.toolSettingsChanged = [this] { ++titles; };
    ed.documentResized = [this](int w, int h) {
      if (!state.Constructing) grids.emplace_back(w, h);
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
