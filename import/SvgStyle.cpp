#include "import/SvgStyle.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "import/SvgNumbers.h"

namespace twk {
namespace {

constexpr std::string_view kProperties[] = {
    "fill",         "stroke",         "stroke-width",  "stroke-linecap", "stroke-linejoin",
    "fill-opacity", "stroke-opacity", "color",         "visibility",     "stroke-dasharray",
    "marker-start", "marker-mid",     "marker-end",    "marker",         "opacity",
    "display",      "clip-path",      "mask",          "filter"};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool Equals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// An opacity: a number or a percentage, clamped to 0..1.
bool Opacity(std::string_view text, double& value) {
  NumberScanner scan(text);
  if (!scan.Number(value)) return false;
  if (scan.Peek() == '%') {
    value /= 100;
    scan.Advance();
  }
  if (!scan.AtEnd()) return false;
  value = std::clamp(value, 0.0, 1.0);
  return true;
}

// The id inside "url(#id)" (quotes allowed); empty when `text` is no url.
std::string_view UrlId(std::string_view text, std::string_view& rest) {
  if (text.size() < 5 || !Equals(text.substr(0, 4), "url(")) return {};
  const std::size_t close = text.find(')');
  if (close == std::string_view::npos) return {};
  rest = Trim(text.substr(close + 1));
  std::string_view id = Trim(text.substr(4, close - 4));
  if (id.size() >= 2 && (id.front() == '"' || id.front() == '\'')) id = id.substr(1, id.size() - 2);
  if (!id.empty() && id.front() == '#') id.remove_prefix(1);
  return id.empty() ? std::string_view("?") : id;
}

bool Paint(std::string_view text, SvgPaint& paint, ServerKindOf serverKind, const void* context) {
  if (Equals(text, "none")) {
    paint = SvgPaint{};
  } else if (Equals(text, "currentcolor")) {
    paint = SvgPaint{SvgPaint::kCurrentColour, {}, {}};
  } else if (std::string_view rest; !UrlId(text, rest).empty()) {
    std::string kind = serverKind ? serverKind(context, UrlId(text, rest)) : std::string();
    // An unknown reference with a fallback colour paints the fallback.
    ColourValue fallback;
    if (kind.empty() && ParseColour(rest, fallback)) {
      paint = SvgPaint{SvgPaint::kColour, fallback, {}};
    } else {
      paint = SvgPaint{SvgPaint::kServer, {}, kind.empty() ? "gradient" : kind};
    }
  } else {
    ColourValue colour;
    if (!ParseColour(text, colour)) return false;
    paint = SvgPaint{SvgPaint::kColour, colour, {}};
  }
  return true;
}

bool IsNone(std::string_view text) { return Equals(text, "none"); }

}  // namespace

SvgStyle SvgStyle::InheritFrom() const {
  SvgStyle child = *this;
  child.displayNone = false;
  child.clipPath.clear();
  child.masked = child.filtered = false;
  return child;  // opacity stays: a group's opacity multiplies into its children's
}

bool IsStyleProperty(std::string_view name) {
  return std::find(std::begin(kProperties), std::end(kProperties), name) != std::end(kProperties);
}

void ApplyDeclaration(SvgStyle& s, const SvgStyle& parent, std::string_view name, std::string_view value,
                      ServerKindOf serverKind, const void* context) {
  value = Trim(value);
  if (Equals(value, "inherit")) {
    if (name == "fill") s.fill = parent.fill;
    else if (name == "stroke") s.stroke = parent.stroke;
    else if (name == "stroke-width") s.strokeWidth = parent.strokeWidth;
    else if (name == "stroke-linecap") s.cap = parent.cap;
    else if (name == "stroke-linejoin") s.join = parent.join;
    else if (name == "fill-opacity") s.fillOpacity = parent.fillOpacity;
    else if (name == "stroke-opacity") s.strokeOpacity = parent.strokeOpacity;
    else if (name == "color") s.colour = parent.colour;
    return;
  }
  double number;
  if (name == "fill") {
    Paint(value, s.fill, serverKind, context);
  } else if (name == "stroke") {
    Paint(value, s.stroke, serverKind, context);
  } else if (name == "stroke-width") {
    if (LengthValue(value, number) && number >= 0) s.strokeWidth = number;
  } else if (name == "stroke-linecap") {
    if (Equals(value, "butt")) s.cap = SvgCap::kButt;
    else if (Equals(value, "round")) s.cap = SvgCap::kRound;
    else if (Equals(value, "square")) s.cap = SvgCap::kSquare;
  } else if (name == "stroke-linejoin") {
    if (Equals(value, "round")) s.join = SvgJoin::kRound;
    else if (Equals(value, "bevel")) s.join = SvgJoin::kBevel;
    else if (Equals(value.substr(0, 5), "miter")) s.join = SvgJoin::kMiter;
  } else if (name == "fill-opacity") {
    if (Opacity(value, number)) s.fillOpacity = number;
  } else if (name == "stroke-opacity") {
    if (Opacity(value, number)) s.strokeOpacity = number;
  } else if (name == "opacity") {
    if (Opacity(value, number)) s.opacity = parent.opacity * number;
  } else if (name == "color") {
    ColourValue colour;
    if (ParseColour(value, colour)) s.colour = colour;
  } else if (name == "visibility") {
    s.hidden = Equals(value, "hidden") || Equals(value, "collapse");
  } else if (name == "display") {
    s.displayNone = IsNone(value);
  } else if (name == "stroke-dasharray") {
    // A list of zeros draws the stroke solid.
    const std::vector<double> dashes = NumberList(value);
    s.dashed = std::any_of(dashes.begin(), dashes.end(), [](double d) { return d != 0; });
  } else if (name == "marker-start" || name == "marker-mid" || name == "marker-end" || name == "marker") {
    s.markers = !IsNone(value);
  } else if (name == "clip-path") {
    std::string_view rest;
    const std::string_view id = UrlId(value, rest);
    s.clipPath = IsNone(value) ? std::string() : id.empty() ? std::string("?") : std::string(id);
  } else if (name == "mask") {
    s.masked = !IsNone(value);
  } else if (name == "filter") {
    s.filtered = !IsNone(value);
  }
}

}  // namespace twk
