#pragma once
// The shared 32-bit colour: red in bits 0-7, green 8-15, blue 16-23 and
// opacity 24-31. Items store it in a signed field, so opaque colours are
// negative; all packing goes through these helpers.

#include <cstdint>

namespace twk {

constexpr std::int32_t PackRGBA(int r, int g, int b, int a) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(r) & 0xFFu) |
                                   ((static_cast<std::uint32_t>(g) & 0xFFu) << 8) |
                                   ((static_cast<std::uint32_t>(b) & 0xFFu) << 16) |
                                   ((static_cast<std::uint32_t>(a) & 0xFFu) << 24));
}
constexpr int RedOf(std::int32_t c) { return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFFu); }
constexpr int GreenOf(std::int32_t c) { return static_cast<int>((static_cast<std::uint32_t>(c) >> 8) & 0xFFu); }
constexpr int BlueOf(std::int32_t c) { return static_cast<int>((static_cast<std::uint32_t>(c) >> 16) & 0xFFu); }
constexpr int AlphaOf(std::int32_t c) { return static_cast<int>((static_cast<std::uint32_t>(c) >> 24) & 0xFFu); }

// `colour` with its opacity byte replaced by `alpha`.
constexpr std::int32_t WithAlpha(std::int32_t colour, int alpha) {
  return PackRGBA(RedOf(colour), GreenOf(colour), BlueOf(colour), alpha);
}
// `colour` with red, green and blue taken from `rgb`; its opacity is kept.
constexpr std::int32_t WithRGB(std::int32_t colour, std::int32_t rgb) {
  return PackRGBA(RedOf(rgb), GreenOf(rgb), BlueOf(rgb), AlphaOf(colour));
}

}  // namespace twk
