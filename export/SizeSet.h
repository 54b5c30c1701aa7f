#pragma once
// A set of square export sizes, each its edge in pixels, kept smallest
// first. The export window offers twelve of them; the command line may ask
// for any whole edge from kMinExportEdge to kMaxExportEdge.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace twk {

inline constexpr int kMinExportEdge = 1;
inline constexpr int kMaxExportEdge = 4096;

class SizeSet {
 public:
  SizeSet() = default;
  // The sizes of the export list whose bits are set in `mask` (bit i for
  // list size i); every other bit is ignored.
  static SizeSet FromListMask(int mask);
  // Every size of the export list.
  static SizeSet WholeList();
  // The sizes of a comma list of whole edges such as "20, 22,24" (spaces
  // around each allowed; empty text is no size); nothing when an item is
  // not a whole number from kMinExportEdge to kMaxExportEdge.
  static std::optional<SizeSet> FromText(std::string_view text);
  // The edges as a comma list, smallest first: "20, 22, 24".
  std::string Text() const;

  // Adds `edge`; false (and nothing added) outside kMinExportEdge..kMaxExportEdge.
  bool Add(int edge);
  bool Contains(int edge) const;
  bool empty() const { return edges_.empty(); }
  std::size_t size() const { return edges_.size(); }
  // Smallest first.
  const std::vector<int>& edges() const { return edges_; }
  // Bit i for each export list size i in the set; sizes off the list have no bit.
  int ListMask() const;

  bool operator==(const SizeSet&) const = default;

 private:
  std::vector<int> edges_;
};

// The pixels per document unit that give an image of `edge` pixels from the
// 16-unit area.
inline float ScaleOfEdge(int edge) { return static_cast<float>(edge) / 16.0f; }

}  // namespace twk
