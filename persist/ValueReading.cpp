// Reading field values from element text.
#include <charconv>
#include <cstring>
#include <limits>

#include "persist/ValueText.h"

namespace twk {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view lowerCase) {
  if (a.size() != lowerCase.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != lowerCase[i]) return false;
  return true;
}

}  // namespace

std::uint64_t ParseIntegerText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint64_t value = 0;
  if (i < text.size() && text[i] == '$') {
    for (++i; i < text.size(); ++i) {
      const char c = Lower(text[i]);
      const int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
      if (digit < 0) break;
      value = value * 16 + static_cast<std::uint64_t>(digit);
    }
  } else if (i < text.size() && text[i] == '%') {
    for (++i; i < text.size() && (text[i] == '0' || text[i] == '1'); ++i)
      value = value * 2 + static_cast<std::uint64_t>(text[i] - '0');
  } else {
    for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  return negative ? (~value + 1) : value;
}

float ParseFloatText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::size_t end = i;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view token = text.substr(i, end - i);
  if (EqualsIgnoringCase(token, "+infinity")) return std::numeric_limits<float>::infinity();
  if (EqualsIgnoringCase(token, "-infinity")) return -std::numeric_limits<float>::infinity();
  if (EqualsIgnoringCase(token, "nan")) return std::numeric_limits<float>::quiet_NaN();

  // The longest prefix of the form [+-]digits[.digits][(e|E)[+-]digits].
  std::size_t p = 0;
  bool negative = false;
  if (p < token.size() && (token[p] == '+' || token[p] == '-')) negative = token[p++] == '-';
  const std::size_t numberStart = p;
  std::size_t digits = 0, leadingIntegerDigits = 0, zerosAfterPoint = 0;
  bool seenNonZero = false;
  for (; p < token.size() && IsDigit(token[p]); ++p, ++digits) {
    if (seenNonZero || token[p] != '0') {
      seenNonZero = true;
      ++leadingIntegerDigits;
    }
  }
  if (p < token.size() && token[p] == '.') {
    for (++p; p < token.size() && IsDigit(token[p]); ++p, ++digits) {
      if (!seenNonZero && token[p] == '0') ++zerosAfterPoint;
      else seenNonZero = true;
    }
  }
  if (digits == 0) return 0.0f;
  long exponentValue = 0;
  if (p < token.size() && (token[p] == 'e' || token[p] == 'E')) {
    std::size_t q = p + 1;
    bool expNegative = false;
    if (q < token.size() && (token[q] == '+' || token[q] == '-')) expNegative = token[q++] == '-';
    if (q < token.size() && IsDigit(token[q])) {
      for (; q < token.size() && IsDigit(token[q]); ++q)
        if (exponentValue < 100000) exponentValue = exponentValue * 10 + (token[q] - '0');
      if (expNegative) exponentValue = -exponentValue;
      p = q;
    }
  }
  double value = 0;
  const auto result = std::from_chars(token.data() + numberStart, token.data() + p, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: decide by the decimal magnitude.
    const long magnitude = leadingIntegerDigits > 0 ? static_cast<long>(leadingIntegerDigits) + exponentValue
                                                    : exponentValue - static_cast<long>(zerosAfterPoint);
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0;
  }
  return static_cast<float>(negative ? -value : value);
}

}  // namespace twk
