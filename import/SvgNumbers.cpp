#include "import/SvgNumbers.h"

#include <cfloat>
#include <charconv>
#include <cmath>

#include "document/Document.h"

namespace twk {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void NumberScanner::SkipSpace() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

void NumberScanner::SkipSeparators() {
  SkipSpace();
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
    SkipSpace();
  }
}

bool NumberScanner::Number(double& value) {
  SkipSeparators();
  std::size_t at = pos_;
  if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) ++at;
  const std::size_t mantissa = at;
  while (at < text_.size() && IsDigit(text_[at])) ++at;
  bool digits = at > mantissa;
  if (at < text_.size() && text_[at] == '.') {
    const std::size_t fraction = ++at;
    while (at < text_.size() && IsDigit(text_[at])) ++at;
    digits = digits || at > fraction;
  }
  if (!digits) return false;
  // An exponent only when digits follow it: "2em" is 2 and a unit.
  if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
    std::size_t e = at + 1;
    if (e < text_.size() && (text_[e] == '+' || text_[e] == '-')) ++e;
    if (e < text_.size() && IsDigit(text_[e])) {
      while (e < text_.size() && IsDigit(text_[e])) ++e;
      at = e;
    }
  }
  std::size_t from = pos_;
  if (text_[from] == '+') ++from;
  const auto [end, error] = std::from_chars(text_.data() + from, text_.data() + at, value);
  if (error == std::errc::result_out_of_range) {
    // Out of range either way: too small is zero, too large is refused below.
    const std::string_view written = text_.substr(pos_, at - pos_);
    const bool tiny = written.find("e-") != std::string_view::npos || written.find("E-") != std::string_view::npos;
    if (!tiny) throw SvgReadError("holds a number too large for a drawing: " + std::string(written));
    value = 0;
  } else if (error != std::errc() || end != text_.data() + at) {
    return false;
  }
  if (!(std::fabs(value) <= FLT_MAX)) throw SvgReadError("holds a number too large for a drawing: " + std::string(text_.substr(pos_, at - pos_)));
  pos_ = at;
  return true;
}

bool NumberScanner::Flag(bool& value) {
  SkipSeparators();
  if (pos_ >= text_.size() || (text_[pos_] != '0' && text_[pos_] != '1')) return false;
  value = text_[pos_++] == '1';
  return true;
}

void TooManyItems() {
  throw SvgReadError("makes more than " + std::to_string(kDocumentItemCeiling) + " items, the most a drawing holds");
}

std::vector<double> NumberList(std::string_view text) {
  std::vector<double> numbers;
  NumberScanner scan(text);
  double value;
  while (scan.Number(value)) numbers.push_back(value);
  return numbers;
}

bool LengthValue(std::string_view text, double& value) {
  NumberScanner scan(text);
  if (!scan.Number(value)) return false;
  std::string_view unit = scan.Rest();
  while (!unit.empty() && IsSpace(unit.back())) unit.remove_suffix(1);
  return unit.empty() || unit == "px" || unit == "pt" || unit == "pc" || unit == "mm" || unit == "cm" ||
         unit == "in";
}

}  // namespace twk
