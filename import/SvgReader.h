#pragma once
// Reads SVG text into a 16 x 16-unit document of items. The picture's
// viewBox (else its width and height) is mapped onto the drawing area with
// its aspect kept and centred. What the items cannot draw (filled shapes of
// other forms, text, images, gradients and the like) is left out and named
// in `leftOut`; the document format itself is unchanged.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/Colour.h"
#include "document/Document.h"

namespace twk {

struct SvgReadOptions {
  // The colour `currentColor` stands for.
  std::int32_t currentColor = PackRGBA(0, 0, 0, 255);
};

struct SvgRead {
  bool ok = false;
  std::string error;    // when !ok: why, in words for the user
  TWKFILE doc;          // when ok: 16 x 16 units
  std::string leftOut;  // what could not come in, e.g. "3 filled paths, 1 text"; empty when everything came in
};

// Reads the SVG document `text`.
SvgRead ReadSvgText(std::string_view text, const SvgReadOptions& options = {});
// Reads the SVG file at `path` under the same size ceilings as documents.
SvgRead ReadSvgFile(const std::string& path, const SvgReadOptions& options = {});
// Whether `head` (the first bytes of a file) opens an SVG document: an XML
// declaration, a document type declaration, comments and white space, then
// an <svg document element. Told by content, never by a file's name.
bool LooksLikeSvg(std::string_view head);

}  // namespace twk
