#pragma once
// The drawing as a standalone SVG 1.1 document: the full 16 x 16 units, as
// the PNG export covers them, every painted item in the renderer's order.

#include <cstddef>
#include <string>

#include "document/Document.h"

namespace twk {

// The SVG text; `pixels` is its width and height (the viewBox stays
// 0 0 16 16), and it is drawn as the PNG export draws that size: dots too
// fine to tell apart there are written as a line. The same document always
// gives the same text. Empty when the text would pass kSvgCeiling.
std::string DocumentToSvg(const TWKFILE& doc, int pixels);

// The most an SVG file may hold; a drawing whose SVG would be longer is
// refused rather than written.
inline constexpr std::size_t kSvgCeiling = std::size_t{64} << 20;

// The SVG text into `svg`; false (and `svg` incomplete) as soon as it would
// pass `ceiling` bytes.
[[nodiscard]] bool DocumentToSvgWithin(const TWKFILE& doc, int pixels, std::size_t ceiling, std::string& svg);

enum class SvgWrite { kWritten, kTooLarge, kFailed };

// Writes DocumentToSvg to `path`, replacing any file there safely. kTooLarge
// when the text would pass `ceiling` (nothing is written), kFailed when the
// file could not be written (an existing file is then kept).
[[nodiscard]] SvgWrite WriteSvgFile(const TWKFILE& doc, const std::string& path, int pixels,
                                    std::size_t ceiling = kSvgCeiling);

}  // namespace twk
