#pragma once
// The painting properties of an SVG element as the reader uses them, and how
// one declaration ("stroke-width: 2") changes them. An element starts from
// its parent's style (InheritFrom), so inherited properties carry down and
// the others start afresh.

#include <string>
#include <string_view>

#include "import/SvgColour.h"

namespace twk {

struct SvgPaint {
  enum Kind { kNone, kColour, kCurrentColour, kServer };
  Kind kind = kNone;
  ColourValue colour;
  std::string server;  // kServer: what paints ("gradient", "pattern"), named when left out
};

enum class SvgCap { kButt, kRound, kSquare };
enum class SvgJoin { kMiter, kRound, kBevel };

struct SvgStyle {
  // Inherited.
  SvgPaint fill{SvgPaint::kColour, {}, {}};
  SvgPaint stroke;
  double strokeWidth = 1;
  SvgCap cap = SvgCap::kButt;
  SvgJoin join = SvgJoin::kMiter;
  double fillOpacity = 1, strokeOpacity = 1;
  ColourValue colour;    // what currentColor stands for
  bool hidden = false;   // visibility: hidden or collapse
  bool dashed = false;   // stroke-dasharray other than none
  bool markers = false;  // a marker-start, -mid or -end
  // Not inherited, except that group opacity multiplies down.
  double opacity = 1;
  bool displayNone = false;
  std::string clipPath;  // the id a clip-path names ("?" for a clip of another form); empty: none
  bool masked = false, filtered = false;

  // The style a child of an element of this style starts from.
  SvgStyle InheritFrom() const;
};

// Looks up what an element id names, to tell a gradient from a pattern in
// url(#id) paint; empty when the id is unknown.
using ServerKindOf = std::string (*)(const void* context, std::string_view id);

// Applies the declaration `name: value` (name in lower case) to `style`;
// `parent` answers "inherit". Unknown names and bad values change nothing,
// as CSS ignores them.
void ApplyDeclaration(SvgStyle& style, const SvgStyle& parent, std::string_view name, std::string_view value,
                      ServerKindOf serverKind, const void* context);

// Whether `name` is a property the reader takes as a presentation attribute.
bool IsStyleProperty(std::string_view name);

}  // namespace twk
