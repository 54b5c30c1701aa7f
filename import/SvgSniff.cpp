// LooksLikeSvg: an SVG told by its first bytes.
#include <cctype>

#include "import/SvgReader.h"

namespace twk {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Skips the markup that may stand before the document element: white space,
// the XML declaration and processing instructions, comments and a document
// type declaration (with its internal subset). False when `head` ends first.
bool SkipProlog(std::string_view& head) {
  while (true) {
    while (!head.empty() && IsSpace(head.front())) head.remove_prefix(1);
    std::size_t end = std::string_view::npos;
    if (head.substr(0, 2) == "<?") {
      end = head.find("?>");
      if (end != std::string_view::npos) end += 2;
    } else if (head.substr(0, 4) == "<!--") {
      end = head.find("-->", 4);
      if (end != std::string_view::npos) end += 3;
    } else if (head.substr(0, 9) == "<!DOCTYPE") {
      // The declaration ends at the first '>' outside its internal subset
      // and outside quotes.
      char quote = '\0';
      int subset = 0;
      for (std::size_t i = 9; i < head.size() && end == std::string_view::npos; ++i) {
        const char c = head[i];
        if (quote) {
          if (c == quote) quote = '\0';
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '[') {
          ++subset;
        } else if (c == ']') {
          --subset;
        } else if (c == '>' && subset <= 0) {
          end = i + 1;
        }
      }
    } else {
      return true;
    }
    if (end == std::string_view::npos) return false;
    head.remove_prefix(end);
  }
}

}  // namespace

bool LooksLikeSvg(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);  // a UTF-8 byte-order mark
  if (!SkipProlog(head) || head.empty() || head.front() != '<') return false;
  head.remove_prefix(1);
  // The document element, with or without a namespace prefix ("svg:svg").
  std::size_t name = 0;
  while (name < head.size() && !IsSpace(head[name]) && head[name] != '>' && head[name] != '/') ++name;
  std::string_view element = head.substr(0, name);
  if (const std::size_t colon = element.rfind(':'); colon != std::string_view::npos) element.remove_prefix(colon + 1);
  return element == "svg" && name < head.size();
}

}  // namespace twk
