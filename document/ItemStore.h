#pragma once
// The ordered item list of a document (CData). Index 0 is the front item,
// painted last. Items live on the heap, so a TWKDATA* handed out stays valid
// while other items are added, removed or moved; it dies only with its item.

#include <cassert>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "document/Item.h"

namespace twk {

class ItemStore {
 public:
  ItemStore() = default;
  ItemStore(const ItemStore& other);
  ItemStore& operator=(const ItemStore& other);
  ItemStore(ItemStore&&) noexcept = default;
  ItemStore& operator=(ItemStore&&) noexcept = default;

  int size() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  TWKDATA* at(int index) const {
    assert(index >= 0 && index < size());
    return items_[static_cast<std::size_t>(index)].get();
  }
  TWKDATA* front() const { return items_.empty() ? nullptr : items_.front().get(); }

  // Inserts a copy of `item` at `index` (clamped to 0..size) and returns it.
  TWKDATA* insert(int index, const TWKDATA& item);
  TWKDATA* insertFront(const TWKDATA& item) { return insert(0, item); }
  TWKDATA* append(const TWKDATA& item) { return insert(size(), item); }

  // Puts an item taken out earlier back at `index` (clamped); the item keeps
  // its address, so references to it stay valid across the round trip.
  TWKDATA* insert(int index, std::unique_ptr<TWKDATA> item);
  // Takes the item at `index` out of the list and hands it over.
  std::unique_ptr<TWKDATA> take(int index);
  // Many items at once, in one pass: each put back at its index as the list
  // ends (indices ascending and distinct), as inserting them one by one,
  // lowest index first, would.
  void insertAll(std::vector<std::pair<int, std::unique_ptr<TWKDATA>>> items);
  // Takes out the items at `indices` (ascending, distinct, in range) and
  // hands them over in that order.
  std::vector<std::unique_ptr<TWKDATA>> takeAll(const std::vector<int>& indices);

  // Position of `item`, or -1 when it is not in the list.
  int indexOf(const TWKDATA* item) const;
  // Removes and frees `item`; returns false when it is not in the list.
  bool remove(const TWKDATA* item);
  // Moves `item` to directly behind (after) or in front of (before) `target`.
  // Both must be in the list and differ; returns false otherwise.
  bool moveAfter(const TWKDATA* item, const TWKDATA* target);
  bool moveBefore(const TWKDATA* item, const TWKDATA* target);
  void clear() { items_.clear(); }
  void reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }

 private:
  bool move(const TWKDATA* item, const TWKDATA* target, bool after);
  std::vector<std::unique_ptr<TWKDATA>> items_;
};

}  // namespace twk
