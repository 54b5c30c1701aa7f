#pragma once
// Apple icon files (.icns) holding PNG images.

#include <cstdint>
#include <vector>

#include "export/IconImage.h"

namespace twk {

// The four-letter ICNS type for PNG data of `edge` pixels (16 "icp4",
// 32 "icp5", 64 "icp6", 128 "ic07", 256 "ic08", 512 "ic09", 1024 "ic10"),
// or nullptr for an edge without one.
const char* IcnsType(int edge);

// The ICNS file: "icns" and the file length, then one element per image
// with a type (the type, the element length, the PNG data), in the order
// given. Images without a type are left out.
std::vector<std::uint8_t> BuildIcns(const std::vector<IconImage>& images);

}  // namespace twk
