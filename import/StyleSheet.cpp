#include "import/StyleSheet.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "import/SvgNumbers.h"

namespace twk {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

// `css` without its /* comments */.
std::string WithoutComments(std::string_view css) {
  std::string text;
  while (!css.empty()) {
    const std::size_t open = css.find("/*");
    text.append(css.substr(0, open));
    if (open == std::string_view::npos) break;
    const std::size_t close = css.find("*/", open + 2);
    if (close == std::string_view::npos) break;
    css.remove_prefix(close + 2);
  }
  return text;
}

bool HasClass(std::string_view classes, std::string_view wanted) {
  std::size_t at = 0;
  while (at < classes.size()) {
    while (at < classes.size() && std::isspace(static_cast<unsigned char>(classes[at]))) ++at;
    std::size_t end = at;
    while (end < classes.size() && !std::isspace(static_cast<unsigned char>(classes[end]))) ++end;
    if (classes.substr(at, end - at) == wanted) return true;
    at = end;
  }
  return false;
}

}  // namespace

Declarations ParseDeclarations(std::string_view text) {
  Declarations declarations;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(';'), text.size());
    const std::string_view one = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t colon = one.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view value = Trim(one.substr(colon + 1));
    if (const std::size_t bang = value.find('!'); bang != std::string_view::npos) value = Trim(value.substr(0, bang));
    const std::string name = Lower(Trim(one.substr(0, colon)));
    if (!name.empty()) declarations.emplace_back(name, std::string(value));
  }
  return declarations;
}

void StyleSheet::Add(std::string_view text) {
  const std::string css = WithoutComments(text);
  std::string_view rest = css;
  while (!rest.empty()) {
    const std::size_t open = rest.find('{');
    if (open == std::string_view::npos) break;
    const std::string_view selectors = Trim(rest.substr(0, open));
    // The body runs to the matching brace, so an at-rule's nested rules are
    // skipped with it.
    std::size_t close = open + 1;
    for (int depth = 1; close < rest.size() && depth > 0; ++close) {
      if (rest[close] == '{') ++depth;
      if (rest[close] == '}') --depth;
    }
    const std::string_view body = rest.substr(open + 1, close - open - 2);
    rest.remove_prefix(std::min(close, rest.size()));
    if (selectors.empty() || selectors.front() == '@') continue;
    const Declarations declarations = ParseDeclarations(body);
    std::string_view list = selectors;
    while (!list.empty()) {
      const std::size_t comma = std::min(list.find(','), list.size());
      const std::string_view selector = Trim(list.substr(0, comma));
      list.remove_prefix(std::min(comma + 1, list.size()));
      Rule rule;
      bool simple = !selector.empty();
      std::size_t at = 0;
      while (simple && at < selector.size()) {
        const char lead = selector[at];
        const std::size_t from = (lead == '.' || lead == '#') ? at + 1 : at;
        std::size_t end = from;
        while (end < selector.size() && IsNameChar(selector[end])) ++end;
        const std::string name(selector.substr(from, end - from));
        if (name.empty()) simple = false;
        else if (lead == '.') rule.classes.push_back(name), rule.specificity += 10;
        else if (lead == '#') rule.id = name, rule.specificity += 100;
        else if (at == 0) rule.element = name, rule.specificity += 1;
        else simple = false;
        at = end;
      }
      if (!simple) continue;
      if (rules_.size() >= kMaxRules)
        throw SvgReadError("has more than " + std::to_string(kMaxRules) + " style rules");
      rule.order = rules_.size();
      rule.declarations = declarations;
      rules_.push_back(std::move(rule));
    }
  }
}

Declarations StyleSheet::Matching(std::string_view element, std::string_view id, std::string_view classes) const {
  std::vector<const Rule*> matched;
  for (const Rule& rule : rules_) {
    if (!rule.element.empty() && rule.element != element) continue;
    if (!rule.id.empty() && rule.id != id) continue;
    if (!std::all_of(rule.classes.begin(), rule.classes.end(),
                     [&](const std::string& c) { return HasClass(classes, c); }))
      continue;
    matched.push_back(&rule);
  }
  std::stable_sort(matched.begin(), matched.end(), [](const Rule* a, const Rule* b) {
    return a->specificity != b->specificity ? a->specificity < b->specificity : a->order < b->order;
  });
  Declarations all;
  for (const Rule* rule : matched) all.insert(all.end(), rule->declarations.begin(), rule->declarations.end());
  return all;
}

}  // namespace twk
