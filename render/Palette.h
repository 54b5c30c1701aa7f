#pragma once
// The palette strip: 24 colour slots with a soft grey mark on the slot that
// holds the drawing colour.

#include <cstdint>
#include <random>
#include <vector>

#include "render/Image.h"

namespace twk {

constexpr int kPaletteSlots = 24;

// Nine fixed colours followed by fifteen random ones drawn from `rng`;
// `curRGB` becomes the first colour (black).
void DefaultPalette(std::vector<std::int32_t>& palette, std::int32_t& curRGB, std::mt19937& rng);

// The centre grey L of the mark for a slot of this colour.
int MarkGrey(int r, int g, int b);

// Paints the whole strip into `strip` (its size is the strip's size).
void DrawPalette(Image& strip, const std::vector<std::int32_t>& palette, std::int32_t curRGB,
                 float scaleX, float scaleY);

// The slot under strip position x for a strip `stripWidth` pixels wide:
// truncate(x / (W / 24)); may fall outside 0..23.
int PaletteSlotAt(float x, float stripWidth);

}  // namespace twk
