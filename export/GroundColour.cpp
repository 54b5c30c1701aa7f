#include "export/GroundColour.h"

#include <cstdio>

namespace twk {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseGroundColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = high * 16 + low;
  }
  return PackRGBA(channels[0], channels[1], channels[2], 255);
}

std::string GroundColourError(const std::string& text) {
  return "\"" + text + "\" is not a colour: give the ground colour as #RRGGBB, six hexadecimal digits (e.g. #204080)";
}

std::string GroundColourText(std::int32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour));
  return text;
}

}  // namespace twk
