#include "persist/DepthFilter.h"

#include <cstring>

namespace twk {
namespace {

// Where `terminator` ends within `text`, searching from `from`: the length up
// to and including it, or the whole length when it never comes.
std::size_t Through(std::string_view text, std::size_t from, std::string_view terminator) {
  const std::size_t at = text.find(terminator, from);
  return at == std::string_view::npos ? text.size() : at + terminator.size();
}

// The length of a tag through its closing '>', which does not count inside
// quoted attribute values.
std::size_t ThroughClosingBracket(std::string_view text, std::size_t from) {
  char quote = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return text.size();
}

}  // namespace

std::size_t DepthFilter::MarkupLength(std::string_view at, Markup& kind) {
  kind = Markup::kOther;
  if (at.substr(0, 4) == "<!--") return Through(at, 4, "-->");
  if (at.substr(0, 9) == "<![CDATA[") return Through(at, 9, "]]>");
  if (at.substr(0, 2) == "<?") return Through(at, 2, "?>");
  if (at.substr(0, 2) == "<!") {
    kind = Markup::kDeclaration;
    return Through(at, 2, ">");
  }
  if (at.substr(0, 2) == "</") {
    kind = Markup::kEndTag;
    return Through(at, 2, ">");
  }
  const std::size_t length = ThroughClosingBracket(at, 1);
  const bool empty = length >= 3 && at[length - 1] == '>' && at[length - 2] == '/';
  kind = empty ? Markup::kEmptyTag : Markup::kStartTag;
  return length;
}

std::size_t DepthFilter::SubtreeLength(std::string_view from) {
  std::size_t depth = 1;
  std::size_t i = 0;
  while (i < from.size()) {
    const std::size_t lt = from.find('<', i);
    if (lt == std::string_view::npos) break;
    Markup kind;
    i = lt + MarkupLength(from.substr(lt), kind);
    if (kind == Markup::kEndTag && --depth == 0) return i;
    if (kind == Markup::kStartTag) ++depth;
  }
  return from.size();
}

std::string_view DepthFilter::Next() {
  std::size_t i = 0;
  while (i < rest_.size()) {
    const std::size_t lt = rest_.find('<', i);
    if (lt == std::string_view::npos) break;
    Markup kind;
    const std::size_t length = MarkupLength(rest_.substr(lt), kind);
    if (kind == Markup::kDeclaration) break;  // the parser refuses it: no point scanning on
    const bool element = kind == Markup::kStartTag || kind == Markup::kEmptyTag;
    if (element && depth_ >= maxDepth_) {
      // Too deep to matter: the element goes with everything inside it, and
      // what came before it is the stretch.
      const std::size_t skipped = length + (kind == Markup::kStartTag ? SubtreeLength(rest_.substr(lt + length)) : 0);
      const std::string_view stretch = rest_.substr(0, lt);
      rest_.remove_prefix(lt + skipped);
      if (!stretch.empty()) return stretch;
      i = 0;
      continue;
    }
    if (kind == Markup::kStartTag) ++depth_;
    if (kind == Markup::kEndTag && depth_ > 0) --depth_;
    i = lt + length;
  }
  const std::string_view stretch = rest_;
  rest_ = {};
  return stretch;
}

}  // namespace twk
