#include "export/ItemClipboardData.h"

#include <new>

#include "export/SvgDocument.h"
#include "persist/ItemClipboard.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {

std::string ItemsPng(const TWKFILE& picked) {
  constexpr float kScale = kClipboardPicturePixels / 16.0f;
  try {
    const std::unique_ptr<Image> picture = RenderDocument(picked, kScale, kScale, RenderArea::kFull);
    if (!picture) return {};
    const std::vector<std::uint8_t> png = EncodePng(*picture);
    return std::string(png.begin(), png.end());
  } catch (const std::bad_alloc&) {
    return {};  // out of memory: no picture
  }
}

std::vector<ClipboardEntry> ItemClipboardData(const TWKFILE& picked) {
  std::vector<ClipboardEntry> entries = {
      {kItemsMimeType, ItemsToClipboardText(picked)},
      {kSvgMimeType, DocumentToSvg(picked, kClipboardPicturePixels)},
  };
  std::string png = ItemsPng(picked);
  if (!png.empty()) entries.push_back({kPngMimeType, std::move(png)});
  return entries;
}

}  // namespace twk
