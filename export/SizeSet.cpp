#include "export/SizeSet.h"

#include <algorithm>
#include <charconv>

#include "export/ExportSizes.h"

namespace twk {

SizeSet SizeSet::FromListMask(int mask) {
  SizeSet set;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (mask & (1 << i)) set.Add(ExportEdgeAt(i));
  }
  return set;
}

SizeSet SizeSet::WholeList() { return FromListMask((1 << kExportSizeCount) - 1); }

std::optional<SizeSet> SizeSet::FromText(std::string_view text) {
  SizeSet set;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (std::all_of(text.begin(), text.end(), blank)) return set;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    std::string_view item = text.substr(start, comma - start);
    while (!item.empty() && blank(item.front())) item.remove_prefix(1);
    while (!item.empty() && blank(item.back())) item.remove_suffix(1);
    int edge = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), edge);
    if (item.empty() || item.front() == '+' || item.front() == '-' || error != std::errc() ||
        end != item.data() + item.size() || !set.Add(edge)) {
      return std::nullopt;
    }
    if (comma == text.size()) return set;
    start = comma + 1;
  }
}

std::string SizeSet::Text() const {
  std::string text;
  for (int edge : edges_) text += (text.empty() ? "" : ", ") + std::to_string(edge);
  return text;
}

bool SizeSet::Add(int edge) {
  if (edge < kMinExportEdge || edge > kMaxExportEdge) return false;
  const auto at = std::lower_bound(edges_.begin(), edges_.end(), edge);
  if (at == edges_.end() || *at != edge) edges_.insert(at, edge);
  return true;
}

bool SizeSet::Contains(int edge) const { return std::binary_search(edges_.begin(), edges_.end(), edge); }

int SizeSet::ListMask() const {
  int mask = 0;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (Contains(ExportEdgeAt(i))) mask |= 1 << i;
  }
  return mask;
}

}  // namespace twk
