#pragma once
// The drawing as a GNOME symbolic icon: the SVG export in one grey, which
// the desktop recolours to its text colour. The desktop recolours by laying
// a stylesheet over the icon that fills every path with that colour, so a
// stroked path carries an inline "fill:none !important", which outranks
// the stylesheet: an outline stays an outline instead of becoming filled.

#include <string>

#include "document/Colour.h"
#include "document/Document.h"

namespace twk {

// The grey symbolic icons are drawn in where no desktop recolours them.
inline constexpr std::int32_t kSymbolicGrey = PackRGBA(0xBE, 0xBE, 0xBE, 255);

// The symbolic SVG at `pixels`; empty when the text would pass kSvgCeiling.
std::string DocumentToSymbolicSvg(const TWKFILE& doc, int pixels);

}  // namespace twk
