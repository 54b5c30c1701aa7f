#pragma once
// Counts what an SVG held that the items cannot draw, and names it for the
// user: "3 filled paths, 1 text".

#include <array>
#include <cstddef>
#include <string>

namespace twk {

enum class LeftOutKind {
  kFilledPath, kText, kImage, kGradient, kPattern, kMask, kClipPath, kFilter, kMarker, kDashedStroke,
  kUse, kForeignObject, kCount
};

class LeftOut {
 public:
  void Add(LeftOutKind kind) { ++counts_[static_cast<std::size_t>(kind)]; }
  // A paint server by the name the style gave it ("gradient", "pattern").
  void AddServer(const std::string& kind) { Add(kind == "pattern" ? LeftOutKind::kPattern : LeftOutKind::kGradient); }
  std::size_t count(LeftOutKind kind) const { return counts_[static_cast<std::size_t>(kind)]; }
  // The counts in words, in a fixed order; empty when nothing was left out.
  std::string Text() const;

 private:
  std::array<std::size_t, static_cast<std::size_t>(LeftOutKind::kCount)> counts_{};
};

}  // namespace twk
