#pragma once
// An editing session wired to counters, for testing the
// editing commands without windows.

#include <string>
#include <utility>
#include <vector>

#include "editor/CommandRegistry.h"
#include "editor/EditHistory.h"
#include "editor/EditorSession.h"
#include "editor/KeyCommands.h"

namespace twk::test {

// Runs the editor's command `number` through a table of the editor's own
// entries, unless it is refused now (nothing is exporting here).
inline void DispatchCommand(EditorSession& ed, int number) {
  static const CommandRegistry table = [] {
    CommandRegistry made;
    AddEditorCommands(made);
    return made;
  }();
  table.Dispatch(ed, number, CommandConditions{ed.state().Constructing, false});
}

// Selects exactly `rows` (each its own run), the first with the focus mark.
inline void SelectRows(ItemList& list, std::initializer_list<int> rows) {
  std::vector<RowRun> runs;
  for (int r : rows) runs.emplace_back(r, r);
  list.Select(runs, runs.empty() ? -1 : runs.front().first, false);
}

// An editing session whose reports count redraws, title updates and grid
// rebuilds; doc, state, rows and history name the session's own.
struct TestEditor : SessionObserver {
  EditorSession ed;
  TWKFILE& doc = ed.doc();
  EditorState& state = ed.state();
  ItemList& rows = ed.rows();
  EditHistory& history = ed.history();
  std::string& savePath = ed.savePath();
  int redraws = 0;
  int titles = 0;
  std::vector<std::pair<int, int>> grids;
  std::vector<unsigned> reports;  // the kinds of every report, in order

  TestEditor() {
    savePath = "kept.twk";
    ed.AddObserver(this);
  }
  TestEditor(const TestEditor&) = delete;

  void OnDocumentChange(const DocumentChange& change) override {
    reports.push_back(change.kinds);
    if (change.Has(DocumentChange::kSize)) grids.emplace_back(change.width, change.height);
    if (change.Has(DocumentChange::kToolSettings)) ++titles;
    if (change.Has(DocumentChange::kPicture)) ++redraws;
  }

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
