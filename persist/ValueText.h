#pragma once
// The text forms of field values in record files: how numbers and strings
// are written into element text and how element text is read back.

#include <cstdint>
#include <string>
#include <string_view>

namespace twk {

// Appends `text` with "&", "<" and ">" escaped; everything else unchanged.
void AppendEscapedText(std::string& out, std::string_view text);

// Appends the float text: "%.10f" of the value widened to double with
// trailing zeros (and then a trailing point) removed; "+Infinity",
// "-Infinity", "NaN"; negative zero is written "0".
void AppendFloatText(std::string& out, float value);
std::string FloatText(float value);

// Reads an integer text: leading tabs, line feeds, carriage returns and
// spaces skipped, optional sign, then "$" hex, "%" binary or decimal digits up
// to the first other character. Accumulated with 64-bit wrap-around; the
// caller keeps the low 8 or 32 bits.
std::uint64_t ParseIntegerText(std::string_view text);

// Reads a float text: leading white space skipped, the token ends at the next
// white space; the longest start of it that the C library's strtof takes in
// the classic locale ("+Infinity", "inf", "NaN", "nan(1)", decimal and
// hexadecimal numbers), 0 when it starts no number. Rounded to the nearest
// float; a value past the largest float is an infinity.
float ParseFloatText(std::string_view text);

}  // namespace twk
