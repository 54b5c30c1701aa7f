#pragma once
// A view of an item list that hands every change to a function, for tests
// that log or count what the list reports. It takes itself off at its end.

#include <functional>
#include <utility>

#include "editor/ItemList.h"

namespace twk {

class ItemListFollower : public ItemListView {
 public:
  ItemListFollower(ItemList& list, std::function<void(const ListChange&)> follow)
      : list_(list), follow_(std::move(follow)) {
    list_.AddView(this);
  }
  ~ItemListFollower() override { list_.RemoveView(this); }
  ItemListFollower(const ItemListFollower&) = delete;
  ItemListFollower& operator=(const ItemListFollower&) = delete;
  void ListChanged(const ListChange& change) override { follow_(change); }

 private:
  ItemList& list_;
  std::function<void(const ListChange&)> follow_;
};

}  // namespace twk
