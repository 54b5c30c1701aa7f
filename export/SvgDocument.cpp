#include "export/SvgDocument.h"

#include "export/SvgItem.h"
#include "persist/FileAccess.h"

namespace twk {

bool DocumentToSvgWithin(const TWKFILE& doc, int pixels, std::size_t ceiling, std::string& svg) {
  static const std::string kEnd = "</svg>\n";
  const std::string size = std::to_string(pixels);
  svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        size + "\" height=\"" + size + "\" viewBox=\"0 0 16 16\">\n";
  // The first item lies on top, so the items are written from the last.
  for (int i = doc.CData.size() - 1; i >= 0; --i) {
    svg += SvgItemElement(*doc.CData.at(i), pixels / 16.0);
    if (svg.size() + kEnd.size() > ceiling) return false;
  }
  svg += kEnd;
  return svg.size() <= ceiling;
}

std::string DocumentToSvg(const TWKFILE& doc, int pixels) {
  std::string svg;
  if (!DocumentToSvgWithin(doc, pixels, kSvgCeiling, svg)) svg.clear();
  return svg;
}

SvgWrite WriteSvgFile(const TWKFILE& doc, const std::string& path, int pixels, std::size_t ceiling) {
  std::string svg;
  if (!DocumentToSvgWithin(doc, pixels, ceiling, svg)) return SvgWrite::kTooLarge;
  return ReplaceFile(path, svg, {}) == ResultCode::kOk ? SvgWrite::kWritten : SvgWrite::kFailed;
}

}  // namespace twk
