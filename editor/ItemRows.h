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
};

}  // namespace twk
