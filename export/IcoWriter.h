#pragma once
// Windows icon files (.ico) holding PNG-compressed images.

#include <cstdint>
#include <vector>

#include "export/IconImage.h"

namespace twk {

// The ICO file: the header, one directory entry per image (32 bits per
// pixel, an edge of 256 written as 0) and the PNG data, in the order given.
// Every edge must be 1 to 256.
std::vector<std::uint8_t> BuildIco(const std::vector<IconImage>& images);

}  // namespace twk
