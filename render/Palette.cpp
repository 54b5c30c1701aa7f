#include "render/Palette.h"

#include <cmath>
#include <cstdlib>

#include "document/Colour.h"
#include "document/Rounding.h"
#include "render/RasterOps.h"

namespace twk {

void DefaultPalette(std::vector<std::int32_t>& palette, std::int32_t& curRGB, std::mt19937& rng) {
  palette = {0x000000, 0xFFFFFF, 0x808080, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  std::uniform_int_distribution<int> channel(0, 255);
  while (palette.size() < static_cast<std::size_t>(kPaletteSlots)) {
    const int r = channel(rng), g = channel(rng), b = channel(rng);
    palette.push_back(PackRGBA(r, g, b, 0));
  }
  curRGB = palette.front();
}

int MarkGrey(int r, int g, int b) {
  const int lum = RoundToInt(0.3 * r + 0.59 * g + 0.11 * b);
  int L = RoundToInt((r + 127 + g + 127 + b + 127) * 0.333) % 255;
  // Moving L by lum / 2 can cycle without ever getting 96 away from lum
  // (lum 170: 245, 75, 160, 245, ...). L is always 0..254, so a repeated
  // value means a cycle; such colours get black when they are light
  // (lum >= 128) and white when they are dark.
  bool seen[256] = {};
  while (std::abs(L - lum) < 96) {
    if (seen[L]) return lum >= 128 ? 0 : 255;
    seen[L] = true;
    L = RoundToInt(L + lum * 0.5) % 255;
  }
  return L;
}

void DrawPalette(Image& strip, const std::vector<std::int32_t>& palette, std::int32_t curRGB, float scaleX,
                 float scaleY) {
  const float W = static_cast<float>(strip.width()), H = static_cast<float>(strip.height());
  const std::int32_t black = PackRGBA(0, 0, 0, 0);
  FillBox(strip, 0, 0, strip.width(), strip.height(), black);
  const int cellY = RoundToInt(scaleY), cellW = RoundToInt(W / 23.0f), cellH = RoundToInt(H - 2.0f * scaleY);
  const int sepW = RoundToInt(scaleX), sepH = RoundToInt(H);
  float x = 0.0f;
  for (const std::int32_t colour : palette) {
    FillBox(strip, TruncateToInt(x), cellY, cellW, cellH, colour);
    FillBox(strip, TruncateToInt(x), 0, sepW, sepH, black);
    if (colour == curRGB) {
      const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
      const int L = MarkGrey(r, g, b);
      GradientDisc(strip, RoundToInt(x + W / 48.0f), RoundToInt(H / 2.0f), RoundToInt(6.0f * scaleY),
                   PackRGBA(L, L, L, 0), colour);
    }
    x += W / 24.0f;
  }
}

int PaletteSlotAt(float x, float stripWidth) { return TruncateToInt(x / (stripWidth / 24.0f)); }

}  // namespace twk
