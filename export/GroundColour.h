#pragma once
// The ground colour of the icon sets: the opaque colour laid under the
// drawing wherever a platform wants an image without transparent pixels,
// and the colour its manifests and resources name. Written "#RRGGBB".

#include <cstdint>
#include <optional>
#include <string>

#include "document/Colour.h"

namespace twk {

inline constexpr std::int32_t kDefaultGround = PackRGBA(255, 255, 255, 255);

// The colour of "#RRGGBB" (six hexadecimal digits, either case), opaque;
// none for any other text.
std::optional<std::int32_t> ParseGroundColour(const std::string& text);

// Why `text` is refused as a ground colour, in one line.
std::string GroundColourError(const std::string& text);

// The ground colour a stored value stands for: itself when opaque, else
// (none stored) kDefaultGround.
constexpr std::int32_t StoredGround(std::int32_t stored) {
  return AlphaOf(stored) == 255 ? stored : kDefaultGround;
}

// "#RRGGBB" in upper case; the colour's opacity is not written.
std::string GroundColourText(std::int32_t colour);

}  // namespace twk
