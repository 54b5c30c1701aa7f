#include "document/Labels.h"

#include <cctype>
#include <charconv>

#include "document/Rounding.h"

namespace twk {

const char* TypeName(int type) {
  static const char* const names[] = {"Line", "Curve", "Rect", "Ellipse"};
  return type >= 0 && type < 4 ? names[type] : "UNKNOWN";
}

const char* MethodName(int method) {
  static const char* const names[] = {"solid", "fill", "dots"};
  return method >= 0 && method < 3 ? names[method] : "UNKNOWN";
}

const char* EndStyleName(int style) {
  static const char* const names[] = {"square", "center", "round"};
  return style >= 0 && style < 3 ? names[style] : "UNKNOWN";
}

std::string TitleText(int type, int method, int endStyle, float width, int alpha) {
  std::string typeText = TypeName(type);
  for (char& c : typeText) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // to_chars, unlike printf, ignores the process locale: the title always
  // writes the width with a point.
  char widthText[64];
  const auto written = std::to_chars(widthText, widthText + sizeof widthText - 1, static_cast<double>(width),
                                     std::chars_format::fixed, 2);
  *(written.ec == std::errc() ? written.ptr : widthText) = '\0';
  const int percent = RoundToInt(alpha / 2.55);
  return "Tarnwick :: " + typeText + ", " + MethodName(method) + " + " + EndStyleName(endStyle) +
         " (" + widthText + "), opacity: " + std::to_string(percent) + "%";
}

}  // namespace twk
