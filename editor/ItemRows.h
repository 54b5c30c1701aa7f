#pragma once
// The item list as the editing commands see it: rows mirroring CData one to
// one and in order, each holding a reference to its item. The GUI list
// implements it; tests use a plain in-memory version.

#include <string>

#include "document/Item.h"

namespace twk {

struct RowState {
  bool selected = false;
  bool checked = false;
};

class ItemRows {
 public:
  virtual ~ItemRows() = default;

  virtual int RowCount() const = 0;
  virtual RowState GetRowState(int row) const = 0;
  // Sets both flags; selecting also gives the row the focus mark.
  virtual void SetRowState(int row, RowState state) = 0;
  virtual TWKDATA* RowItem(int row) const = 0;
  virtual void AttachItem(int row, TWKDATA* item) = 0;
  // Inserts an unchecked, unselected row; an index past the end appends.
  virtual void InsertRow(int index, const std::string& text) = 0;
  virtual void RemoveRow(int row) = 0;
  virtual void RemoveAllRows() = 0;
  // Deselects every row, then (for row >= 0) selects it, gives it the focus
  // mark and scrolls it into view.
  virtual void SelectOnly(int row) = 0;
  // Lowest selected row, or -1.
  virtual int FirstSelectedRow() const = 0;
  virtual std::string RowText(int row) const = 0;

  // Program edits made between BeginUpdate and EndUpdate report their
  // changes once, at EndUpdate, instead of once per row. Listing a loaded
  // document uses it so that filling n rows does not check n rows n times.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  // Makes a row for `item` at `index`: inserts it with `text`, attaches the
  // item and sets the row's state. Every row of an item is made this way.
  void ListItem(int index, const std::string& text, TWKDATA* item, RowState state);
};

// Holds the list's change reports back for the life of the object and makes
// them one report at its end.
class RowUpdateBatch {
 public:
  explicit RowUpdateBatch(ItemRows& rows) : rows_(rows) { rows_.BeginUpdate(); }
  ~RowUpdateBatch() { rows_.EndUpdate(); }
  RowUpdateBatch(const RowUpdateBatch&) = delete;
  RowUpdateBatch& operator=(const RowUpdateBatch&) = delete;

 private:
  ItemRows& rows_;
};

}  // namespace twk
