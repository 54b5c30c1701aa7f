#include "import/LeftOut.h"

namespace twk {

std::string LeftOut::Text() const {
  // Singular and plural of each kind, in LeftOutKind order.
  static const char* const kNames[][2] = {
      {"filled path", "filled paths"}, {"text", "texts"},     {"image", "images"},
      {"gradient", "gradients"},       {"pattern", "patterns"}, {"mask", "masks"},
      {"clip path", "clip paths"},     {"filter", "filters"}, {"marker", "markers"},
      {"dashed stroke (drawn solid)", "dashed strokes (drawn solid)"},
      {"use of another element", "uses of other elements"},   {"foreign object", "foreign objects"}};
  std::string text;
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    if (counts_[i] == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(counts_[i]) + " " + kNames[i][counts_[i] == 1 ? 0 : 1];
  }
  return text;
}

}  // namespace twk
