#include "document/ItemStore.h"

#include <algorithm>
#include <cassert>

#include "document/IndexSplice.h"

namespace twk {

ItemStore::ItemStore(const ItemStore& other) { *this = other; }

ItemStore& ItemStore::operator=(const ItemStore& other) {
  if (this == &other) return *this;
  std::vector<std::unique_ptr<TWKDATA>> copy;
  copy.reserve(other.items_.size());
  for (const auto& item : other.items_) copy.push_back(std::make_unique<TWKDATA>(*item));
  items_ = std::move(copy);
  return *this;
}

TWKDATA* ItemStore::insert(int index, const TWKDATA& item) {
  return insert(index, std::make_unique<TWKDATA>(item));
}

TWKDATA* ItemStore::insert(int index, std::unique_ptr<TWKDATA> item) {
  assert(item);  // the list holds items, never an empty place
  index = std::clamp(index, 0, size());
  auto it = items_.insert(items_.begin() + index, std::move(item));
  return it->get();
}

std::unique_ptr<TWKDATA> ItemStore::take(int index) {
  assert(index >= 0 && index < size());
  std::unique_ptr<TWKDATA> item = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  return item;
}

void ItemStore::insertAll(std::vector<std::pair<int, std::unique_ptr<TWKDATA>>> items) {
  assert(std::none_of(items.begin(), items.end(), [](const auto& item) { return !item.second; }));
  InsertAtIndices(items_, std::move(items));
}

std::vector<std::unique_ptr<TWKDATA>> ItemStore::takeAll(const std::vector<int>& indices) {
  return TakeAtIndices(items_, indices);
}

int ItemStore::indexOf(const TWKDATA* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

bool ItemStore::remove(const TWKDATA* item) {
  const int index = indexOf(item);
  if (index < 0) return false;
  items_.erase(items_.begin() + index);
  return true;
}

bool ItemStore::moveAfter(const TWKDATA* item, const TWKDATA* target) {
  return move(item, target, true);
}

bool ItemStore::moveBefore(const TWKDATA* item, const TWKDATA* target) {
  return move(item, target, false);
}

bool ItemStore::move(const TWKDATA* item, const TWKDATA* target, bool after) {
  if (item == target) return false;
  const int from = indexOf(item);
  if (from < 0 || indexOf(target) < 0) return false;
  std::unique_ptr<TWKDATA> moving = std::move(items_[static_cast<std::size_t>(from)]);
  items_.erase(items_.begin() + from);
  const int to = indexOf(target) + (after ? 1 : 0);
  items_.insert(items_.begin() + to, std::move(moving));
  return true;
}

}  // namespace twk
