#pragma once
// The drawing as a standalone SVG 1.1 document: the full 16 x 16 units, as
// the PNG export covers them, every painted item in the renderer's order.

#include <string>

#include "document/Document.h"

namespace twk {

// The SVG text; `pixels` is its width and height (the viewBox stays
// 0 0 16 16), and it is drawn as the PNG export draws that size: dots too
// fine to tell apart there are written as a line. The same document always
// gives the same text.
std::string DocumentToSvg(const TWKFILE& doc, int pixels);

// Writes DocumentToSvg to `path`, replacing any file there safely; false
// when the file could not be written (an existing file is then kept).
[[nodiscard]] bool ExportSvgFile(const TWKFILE& doc, const std::string& path, int pixels);

}  // namespace twk
