#include "export/IcnsWriter.h"

namespace twk {

namespace {

struct IcnsEntry {
  int edge;
  const char* type;
};
constexpr IcnsEntry kTypes[] = {{16, "icp4"},  {32, "icp5"},  {64, "icp6"},   {128, "ic07"},
                                {256, "ic08"}, {512, "ic09"}, {1024, "ic10"}};

// Lengths are big-endian in ICNS files.
void PutBig32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

void PutHeader(std::vector<std::uint8_t>& out, const char* type, std::uint32_t length) {
  const std::size_t at = out.size();
  out.insert(out.end(), type, type + 4);
  out.resize(at + 8);
  PutBig32(out, at + 4, length);
}

}  // namespace

const char* IcnsType(int edge) {
  for (const IcnsEntry& entry : kTypes) {
    if (entry.edge == edge) return entry.type;
  }
  return nullptr;
}

std::vector<std::uint8_t> BuildIcns(const std::vector<IconImage>& images) {
  std::vector<std::uint8_t> out;
  PutHeader(out, "icns", 0);
  for (const IconImage& image : images) {
    const char* type = IcnsType(image.edge);
    if (!type) continue;
    PutHeader(out, type, static_cast<std::uint32_t>(8 + image.png.size()));
    out.insert(out.end(), image.png.begin(), image.png.end());
  }
  PutBig32(out, 4, static_cast<std::uint32_t>(out.size()));
  return out;
}

}  // namespace twk
