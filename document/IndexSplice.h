#pragma once
// Inserting and removing many elements of a vector at once, in one pass,
// where doing it one element at a time would move the rest of the vector
// each time (a thousand rows put back at the top of ten thousand).

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace twk {

// Puts each element of `incoming` into `into` at its index, counted in
// `into` as it ends. Indices ascending and distinct; one past the elements
// there are appends. The same as inserting them one by one, lowest index
// first, with each index clamped to the elements there at that point.
template <class T>
void InsertAtIndices(std::vector<T>& into, std::vector<std::pair<int, T>>&& incoming) {
  if (incoming.empty()) return;
  assert(std::adjacent_find(incoming.begin(), incoming.end(),
                            [](const auto& a, const auto& b) { return a.first >= b.first; }) == incoming.end());
  std::vector<T> merged;
  merged.reserve(into.size() + incoming.size());
  std::size_t old = 0;
  std::size_t next = 0;
  while (old < into.size() || next < incoming.size()) {
    const bool takeNew = next < incoming.size() &&
                         (old == into.size() || incoming[next].first <= static_cast<int>(merged.size()));
    if (takeNew) {
      merged.push_back(std::move(incoming[next++].second));
    } else {
      merged.push_back(std::move(into[old++]));
    }
  }
  into = std::move(merged);
}

// Takes the elements at `indices` (ascending, distinct, each in range) out
// of `from` and returns them in that order; the rest keep their order.
template <class T>
std::vector<T> TakeAtIndices(std::vector<T>& from, const std::vector<int>& indices) {
  assert(std::adjacent_find(indices.begin(), indices.end(), std::greater_equal<int>()) == indices.end());
  assert(indices.empty() || (indices.front() >= 0 && static_cast<std::size_t>(indices.back()) < from.size()));
  std::vector<T> taken;
  taken.reserve(indices.size());
  std::size_t kept = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (next < indices.size() && static_cast<std::size_t>(indices[next]) == i) {
      taken.push_back(std::move(from[i]));
      ++next;
    } else {
      if (kept != i) from[kept] = std::move(from[i]);
      ++kept;
    }
  }
  from.erase(from.begin() + static_cast<std::ptrdiff_t>(kept), from.end());
  return taken;
}

}  // namespace twk
