#pragma once
// The item list as the editor holds it: rows mirroring CData one to one and
// in order, each with its item, its label, whether it is selected and
// whether it is checked, and which row has the focus mark. Commands change
// it; views (the list on screen) show it and send the user's clicks back as
// requests through the same operations. Every change is told to the views
// once per batch as a ListChange.

#include <string>
#include <utility>
#include <vector>

#include "document/Item.h"
#include "editor/ListChange.h"

namespace twk {

struct RowState {
  bool selected = false;
  bool checked = false;
};

// A view of the list; told of every change once it is complete. A view
// that keeps something per row (a Qt model) also follows the rows as they
// come and go: each piece is announced before the list changes and told
// again once it has, counted in the list as it stands before the piece;
// past as many pieces as it is worth following, or when every row goes,
// the list announces a refill instead, which ends right before the report
// of the whole change.
class ItemListView {
 public:
  virtual ~ItemListView() = default;
  virtual void RowsAboutToChange(const RowEdit& edit) { (void)edit; }
  virtual void RowsChanged(const RowEdit& edit) { (void)edit; }
  virtual void RefillStarting() {}
  virtual void RefillEnded() {}
  virtual void ListChanged(const ListChange& change) = 0;
};

// First and last row of neighbouring selected rows.
using RowRun = std::pair<int, int>;

class ItemList {
 public:
  int RowCount() const { return static_cast<int>(rows_.size()); }
  RowState GetRowState(int row) const;
  // Sets both flags; selecting also gives the row the focus mark.
  void SetRowState(int row, RowState state);
  TWKDATA* RowItem(int row) const;
  void AttachItem(int row, TWKDATA* item);
  std::string RowText(int row) const;
  // Inserts an unchecked, unselected row; an index past the end appends.
  void InsertRow(int index, const std::string& text);
  void RemoveRow(int row);
  void RemoveAllRows();
  // Makes a row for `item` at `index` with `text` and `state`.
  void ListItem(int index, const std::string& text, TWKDATA* item, RowState state);
  // Many rows at once, in one pass: the same as ListItem for each, lowest
  // index first. Indices ascending, distinct and not negative, each counted
  // in the list as it ends.
  struct ListedRow {
    int index = 0;
    std::string text;
    TWKDATA* item = nullptr;
    RowState state;
  };
  void ListItems(const std::vector<ListedRow>& rows);
  // The same as RemoveRow for each of `rows` (ascending, distinct), highest
  // first, in one pass.
  void RemoveRows(const std::vector<int>& rows);

  // Deselects every row, then (for row >= 0) selects it, gives it the focus
  // mark and scrolls it into view.
  void SelectOnly(int row);
  // Selects exactly the rows of `runs`; `current` gets the focus mark (-1:
  // none) and, with `scroll`, is brought into view.
  void Select(const std::vector<RowRun>& runs, int current, bool scroll);
  void SelectAll();
  // Lowest selected row, or -1.
  int FirstSelectedRow() const;
  // The selected rows as runs, in list order.
  std::vector<RowRun> SelectedRuns() const;
  std::vector<TWKDATA*> SelectedItems() const;
  // The selected rows, in list order.
  std::vector<int> SelectedRows() const;
  // The row with the focus mark, or -1.
  int CurrentRow() const { return current_; }
  void SetChecked(int row, bool checked);

  // Changes made between BeginUpdate and EndUpdate are told as one, at
  // EndUpdate, instead of one per row.
  void BeginUpdate() { ++batch_; }
  void EndUpdate();

  void AddView(ItemListView* view);
  void RemoveView(ItemListView* view);

 private:
  struct Row {
    TWKDATA* item = nullptr;
    std::string text;
    RowState state;
  };
  bool Has(int row) const { return row >= 0 && row < RowCount(); }
  void Tell();
  // Makes one piece of rows come or go with `change`, announced to the
  // views before and after; within a refill, or past the pieces worth
  // following, a refill starts instead.
  template <typename Change>
  void ChangeRows(const RowEdit& edit, Change change);
  // Whether the next `pieces` are worth following one by one.
  bool FollowsPieces(int pieces) const;
  void StartRefill();
  template <typename Told>
  void TellViews(Told tell);

  std::vector<Row> rows_;
  int current_ = -1;
  int batch_ = 0;
  ListChange pending_;
  bool refilling_ = false;  // the views were told a refill started
  int pieces_ = 0;          // pieces the views followed since the last report
  std::vector<ItemListView*> views_;
};

// Holds the list's change reports back for the life of the object and makes
// them one report at its end.
class RowUpdateBatch {
 public:
  explicit RowUpdateBatch(ItemList& rows) : rows_(rows) { rows_.BeginUpdate(); }
  ~RowUpdateBatch() { rows_.EndUpdate(); }
  RowUpdateBatch(const RowUpdateBatch&) = delete;
  RowUpdateBatch& operator=(const RowUpdateBatch&) = delete;

 private:
  ItemList& rows_;
};

}  // namespace twk
