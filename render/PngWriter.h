#pragma once
// PNG files of an Image: only IHDR, IDAT and IEND; 8-bit RGBA with straight
// (not premultiplied) alpha, no interlacing, filter None on every row, the
// image data deflated by zlib at level 9 into a single IDAT chunk.

#include <cstdint>
#include <string>
#include <vector>

#include "render/Image.h"

namespace twk {

// Writes `image` to `path`, replacing any existing file. When writing fails
// part way the file is closed and deleted and the result is false.
bool SavePng(const Image& image, const std::string& path);

// The same PNG in memory; empty when encoding fails.
std::vector<std::uint8_t> EncodePng(const Image& image);

// The same PNG into `bytes` (its memory is reused), made without a copy of
// the pixels: each row becomes straight RGBA where it lies, so the image
// no longer holds its picture afterwards. False, and `bytes` empty, when
// encoding fails.
bool EncodePngInPlace(Image& image, std::vector<std::uint8_t>& bytes);

}  // namespace twk
