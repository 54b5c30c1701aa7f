#pragma once
// Commands that add, remove or move items together with their rows. An item
// out of the document is held by its command, so it keeps its address and
// every reference to it stays good when it comes back.

#include <memory>
#include <string>
#include <vector>

#include "editor/EditCommand.h"

namespace twk {

// One item with its row, at one place of CData and of the rows.
struct ListedItem {
  int index = 0;
  TWKDATA* item = nullptr;         // the item, in or out of the document
  std::unique_ptr<TWKDATA> owned;  // holds the item while it is out
  std::string text;                // its row's label
  RowState row;                    // its row's state when listed
};

// Items coming into the document (a finished drawing, clones).
class AddItems : public EditCommand {
 public:
  enum class Selection {
    kAsListed,        // deselect every row; the new rows carry their own state
    kOnlyFirstNew,    // the first new row alone, scrolled into view
  };
  // `items` sorted by index, each holding its item.
  AddItems(std::vector<ListedItem> items, Selection selection)
      : items_(std::move(items)), selection_(selection) {}
  void Apply(EditorSession& ed) override;
  void Revert(EditorSession& ed) override;
  unsigned Changes() const override { return DocumentChange::kItemsInOut; }

 private:
  std::vector<ListedItem> items_;
  Selection selection_;
};

// Items leaving the document (Delete).
class DeleteItems : public EditCommand {
 public:
  // `items` sorted by index, each still in the document.
  explicit DeleteItems(std::vector<ListedItem> items) : items_(std::move(items)) {}
  void Apply(EditorSession& ed) override;
  void Revert(EditorSession& ed) override;
  unsigned Changes() const override { return DocumentChange::kItemsInOut; }

 private:
  std::vector<ListedItem> items_;
};

// One item and its row moving from one place to another (a row drop). The
// moved row ends selected alone.
class MoveItem : public EditCommand {
 public:
  MoveItem(int from, int to) : from_(from), to_(to) {}
  void Apply(EditorSession& ed) override;
  void Revert(EditorSession& ed) override;
  unsigned Changes() const override { return DocumentChange::kOrder; }

 private:
  int from_;
  int to_;
};

}  // namespace twk
