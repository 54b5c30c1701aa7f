#include "export/SvgDocument.h"

#include "export/SvgItem.h"
#include "persist/FileAccess.h"

namespace twk {

std::string DocumentToSvg(const TWKFILE& doc, int pixels) {
  const std::string size = std::to_string(pixels);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      size + "\" height=\"" + size + "\" viewBox=\"0 0 16 16\">\n";
  // The first item lies on top, so the items are written from the last.
  for (int i = doc.CData.size() - 1; i >= 0; --i) svg += SvgItemElement(*doc.CData.at(i), pixels / 16.0);
  return svg + "</svg>\n";
}

bool ExportSvgFile(const TWKFILE& doc, const std::string& path, int pixels) {
  return ReplaceFile(path, DocumentToSvg(doc, pixels), {}) == ResultCode::kOk;
}

}  // namespace twk
