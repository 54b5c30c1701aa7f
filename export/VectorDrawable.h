#pragma once
// The drawing as an Android vector drawable: a <vector> of 16 x 16 viewport
// units, one <path> per painted item in the renderer's order, painted as
// the renderer paints it. Vector drawables know no dash patterns, so a
// dotted outline is written as the filled shapes of its dots and dashes,
// placed as the renderer places them; a turned item sits in a <group> that
// turns it about its rotation centre.

#include <cstddef>
#include <string>

#include "document/Document.h"

namespace twk {

// The drawable's width and height on the device, in dp (a launcher icon's).
inline constexpr int kVectorDrawableDp = 48;
// The pixels it is drawn at on the densest screens (48 dp at xxxhdpi): dot
// patterns finer than a pixel there are written as the solid line the
// renderer paints for them.
inline constexpr int kVectorDrawablePixels = 192;

// The drawable's text into `xml`, its dots laid out as at `pixels`; false
// (and `xml` incomplete) as soon as it would pass `ceiling` bytes.
[[nodiscard]] bool DocumentToVectorDrawableWithin(const TWKFILE& doc, int pixels, std::size_t ceiling,
                                                  std::string& xml);

// The foreground layer of an Android adaptive icon into `xml`: a drawable
// of kAdaptiveTileDp whose drawing's 16 units span the central
// kAdaptiveDrawingDp (dots laid out as at kVectorDrawablePixels, the pixels
// of those dp at the densest screens); false as soon as it would pass
// `ceiling` bytes.
[[nodiscard]] bool DocumentToAdaptiveLayerWithin(const TWKFILE& doc, std::size_t ceiling, std::string& xml);

// One item's element (with its line feed), or an empty text for an item that
// paints nothing, as SvgItemElement decides it.
std::string VectorDrawableItem(const TWKDATA& item, double pixelsPerUnit);

}  // namespace twk
