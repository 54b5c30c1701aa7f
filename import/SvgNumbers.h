#pragma once
// The number syntax SVG attributes share: numbers written compactly
// ("1.5.5" is 1.5 and .5, "-.5", "1e-2"), separated by white space and at
// most one comma. A number a drawing cannot hold (past the float range) is
// refused with a SvgReadError rather than carried on as an infinity.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace twk {

// Why the SVG cannot be read, in words for the user.
class SvgReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}

  // Skips white space and one comma with the white space around it.
  void SkipSeparators();
  void SkipSpace();
  // Reads the number at the current position (after separators); false
  // when there is none. Throws SvgReadError for a number past the float range.
  bool Number(double& value);
  // Reads an arc flag: one '0' or '1', however the next number follows it.
  bool Flag(bool& value);
  bool AtEnd() { SkipSpace(); return pos_ >= text_.size(); }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Advance() { ++pos_; }
  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Throws the SvgReadError of a drawing past kDocumentItemCeiling items.
[[noreturn]] void TooManyItems();

// The numbers of a list attribute ("0 0 24 24", "1,2 3,4"); stops at the
// first thing that is not a number.
std::vector<double> NumberList(std::string_view text);
// A length such as "2", "2px" or "1.5pt" as its number; false for a
// percentage, an em or anything that is no number.
bool LengthValue(std::string_view text, double& value);

}  // namespace twk
