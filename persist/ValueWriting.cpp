// Writing field values as element text.
#include <charconv>
#include <cmath>
#include <cstring>

#include "persist/ValueText.h"

namespace twk {
namespace {

constexpr std::uint64_t kTenPow10 = 10000000000ull;

// Removes trailing zeros, then a trailing point, from a "%.10f" text.
void TrimFixedText(std::string& out, std::size_t start) {
  if (out.size() == start || out.back() != '0') return;
  while (out.size() > start && out.back() == '0') out.pop_back();
  if (out.size() > start && out.back() == '.') out.pop_back();
}

// Exact "%.10f" of a finite, non-zero float below 2^40 in magnitude, rounding
// half to even as the C library does: the float is m * 2^e exactly, so
// value * 10^10 is computed in 128-bit integers and rounded once.
void AppendFixedTenDigits(std::string& out, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 31) != 0;
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const std::uint64_t mantissa = biased == 0 ? fraction : (fraction | 0x800000u);
  const int exponent = biased == 0 ? -149 : biased - 150;
  const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * kTenPow10;
  unsigned __int128 rounded = 0;
  if (exponent >= 0) {
    rounded = scaled << exponent;
  } else if (-exponent < 128) {
    const int shift = -exponent;
    const unsigned __int128 one = 1;
    rounded = scaled >> shift;
    const unsigned __int128 rest = scaled & ((one << shift) - 1);
    const unsigned __int128 half = one << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
  }
  const auto whole = static_cast<std::uint64_t>(rounded / kTenPow10);
  auto tenths = static_cast<std::uint64_t>(rounded % kTenPow10);
  if (negative) out.push_back('-');
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
  out.append(digits, end);
  char fractionDigits[10];
  for (int i = 9; i >= 0; --i) {
    fractionDigits[i] = static_cast<char>('0' + tenths % 10);
    tenths /= 10;
  }
  out.push_back('.');
  out.append(fractionDigits, 10);
}

}  // namespace

void AppendEscapedText(std::string& out, std::string_view text) {
  std::size_t done = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char* entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : nullptr;
    if (!entity) continue;
    out.append(text.data() + done, i - done);
    out.append(entity);
    done = i + 1;
  }
  out.append(text.data() + done, text.size() - done);
}

void AppendFloatText(std::string& out, float value) {
  if (std::isnan(value)) {
    out.append("NaN");
    return;
  }
  if (std::isinf(value)) {
    out.append(value > 0 ? "+Infinity" : "-Infinity");
    return;
  }
  if (value == 0.0f) {  // also negative zero
    out.push_back('0');
    return;
  }
  const std::size_t start = out.size();
  if (std::fabs(value) < 1099511627776.0f) {  // 2^40: the 128-bit path is exact
    AppendFixedTenDigits(out, value);
  } else {
    // std::to_chars gives the exact "%.10f" digits and, unlike printf, never
    // follows the process locale: the GUI takes the user's locale, whose
    // decimal separator may be a comma.
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 10).ptr;
    out.append(text, end);
  }
  TrimFixedText(out, start);
}

std::string FloatText(float value) {
  std::string text;
  AppendFloatText(text, value);
  return text;
}

}  // namespace twk
