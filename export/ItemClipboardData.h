#pragma once
// Everything a copy of items puts on the clipboard: the items as text for
// this editor, and their picture as SVG and PNG for other programs. The
// pictures are those the exports make of a document holding only the
// chosen items.

#include <string>
#include <vector>

#include "document/Document.h"

namespace twk {

inline constexpr char kSvgMimeType[] = "image/svg+xml";
inline constexpr char kPngMimeType[] = "image/png";
// The edge of both pictures in pixels: the PNG export's 256 x 256 size.
inline constexpr int kClipboardPicturePixels = 256;

// One kind of data: its MIME type and its bytes.
struct ClipboardEntry {
  std::string mimeType;
  std::string bytes;
  bool operator==(const ClipboardEntry&) const = default;
};

// The entries for `picked` (the chosen items in a document of the source
// document's size), in the order kItemsMimeType, kSvgMimeType, kPngMimeType.
// The PNG is left out when it cannot be made.
std::vector<ClipboardEntry> ItemClipboardData(const TWKFILE& picked);

// The PNG bytes of `picked` as the PNG export writes its 256 x 256 file;
// empty when the picture cannot be made.
std::string ItemsPng(const TWKFILE& picked);

}  // namespace twk
