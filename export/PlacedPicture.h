#pragma once
// The pictures of the icon sets that give the drawing less than the whole
// image: the drawing rendered at its span of pixels, centred, over a clear
// or an opaque ground, optionally made grey.

#include <cstdint>
#include <memory>
#include <vector>

#include "document/Document.h"
#include "export/IconSets.h"
#include "export/SizeWorkers.h"
#include "render/Image.h"

namespace twk {

struct Placement {
  int edge = 16;  // the image's width and height in pixels
  int span = 16;  // the drawing's, centred (edge - span even)
  bool opaque = false;  // over `ground` rather than clear
  std::int32_t ground = 0;
  SetLook look = SetLook::kPlain;
};

// The picture of `doc` as `placement` lays it out: the drawing is the PNG
// export's picture of `span` pixels (fitted to that size with kToPixels).
// nullptr when it cannot be made.
std::unique_ptr<Image> PlacedImage(const TWKFILE& doc, const Placement& placement, EdgeFit fit);

// PlacedImage as a PNG; empty when it cannot be made.
std::vector<std::uint8_t> PlacedPng(const TWKFILE& doc, const Placement& placement, EdgeFit fit);

}  // namespace twk
