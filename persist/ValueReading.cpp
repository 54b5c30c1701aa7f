// Reading field values from element text.
#include <locale.h>
#include <stdlib.h>

#include <string>

#include "persist/ValueText.h"

namespace twk {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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
  // The C library's reading in the classic locale, whatever locale the
  // program runs in: "inf", "nan(...)" and hexadecimal floats included.
  static const locale_t classic = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const std::string token(text.substr(i, end - i));
  return ::strtof_l(token.c_str(), nullptr, classic);
}

}  // namespace twk
