#include "export/IcoWriter.h"

namespace twk {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BuildIco(const std::vector<IconImage>& images) {
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    const auto edge = static_cast<std::uint8_t>(image.edge == 256 ? 0 : image.edge);
    out.push_back(edge);  // width
    out.push_back(edge);  // height
    out.push_back(0);     // no palette
    out.push_back(0);     // reserved
    Put16(out, 1);        // colour planes
    Put16(out, 32);       // bits per pixel
    Put32(out, static_cast<std::uint32_t>(image.png.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(image.png.size());
  }
  for (const IconImage& image : images) out.insert(out.end(), image.png.begin(), image.png.end());
  return out;
}

}  // namespace twk
