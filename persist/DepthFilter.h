#pragma once
// Cuts the elements that lie deeper than a record can reach out of an XML
// payload before it is parsed. The parser keeps memory for every open
// element, so a payload of millions of nested elements would cost gigabytes
// even though the reader skips them; here they cost one counter. The scan
// knows tags, comments, CDATA sections and processing instructions, enough to
// count depth; the parser still checks everything it is given. At a
// declaration (which the reader refuses) the scan stops and passes the rest
// on unchanged. The cut only saves work: the parser's memory budget holds
// whatever the scan lets through.

#include <cstddef>
#include <string_view>

namespace twk {

class DepthFilter {
 public:
  // Elements at a depth above `maxDepth` (the document element has depth 1)
  // are removed with everything inside them.
  DepthFilter(std::string_view payload, std::size_t maxDepth) : rest_(payload), maxDepth_(maxDepth) {}

  // The next stretch of the payload to parse, never empty while more
  // follows; an empty view once the payload is used up.
  std::string_view Next();
  bool done() const { return rest_.empty(); }

 private:
  enum class Markup { kStartTag, kEmptyTag, kEndTag, kDeclaration, kOther };
  // The length of the markup at `at` (which starts with '<') and its kind.
  static std::size_t MarkupLength(std::string_view at, Markup& kind);
  // The length of the content of an element whose start tag has just been
  // passed, through its end tag (or to the end of the payload).
  static std::size_t SubtreeLength(std::string_view from);

  std::string_view rest_;
  std::size_t maxDepth_;
  std::size_t depth_ = 0;
};

}  // namespace twk
