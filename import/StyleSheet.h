#pragma once
// The simple CSS of an SVG <style> element: rules whose selectors are an
// element name, classes and an id (".a", "path", "#b", "path.a.c", lists
// of them), applied in order of specificity and then of writing. Rules with
// other selectors and at-rules are skipped.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace twk {

using Declarations = std::vector<std::pair<std::string, std::string>>;

// The declarations of a style attribute or rule body ("a: b; c: d"), names
// in lower case, "!important" dropped.
Declarations ParseDeclarations(std::string_view text);

class StyleSheet {
 public:
  // The most rules kept; a sheet with more is refused (SvgReadError).
  static constexpr std::size_t kMaxRules = 10'000;

  // Adds the rules of one <style> element's text.
  void Add(std::string_view css);
  bool empty() const { return rules_.empty(); }
  std::size_t size() const { return rules_.size(); }

  // The declarations of the rules matching an element, weakest first.
  Declarations Matching(std::string_view element, std::string_view id, std::string_view classes) const;

 private:
  struct Rule {
    std::string element;  // empty: any
    std::string id;       // empty: any
    std::vector<std::string> classes;
    int specificity = 0;
    std::size_t order = 0;
    Declarations declarations;
  };
  std::vector<Rule> rules_;
};

}  // namespace twk
