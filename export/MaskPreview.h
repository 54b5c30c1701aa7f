#pragma once
// The drawing as the platforms' masks show it, for the Preview: an Android
// adaptive icon under the circle, squircle and rounded square launchers cut
// it to, a maskable web icon in its circle, an iOS icon in its rounded
// square, and the drawing alone on a light and a dark ground. A cell whose
// drawing pokes out of its platform's safe area has that area's circle
// drawn on it in red.

#include <array>
#include <cstdint>
#include <memory>

#include "document/Colour.h"
#include "document/Document.h"
#include "export/SizeWorkers.h"
#include "render/Image.h"

namespace twk {

enum class MaskCell {
  kAndroidCircle,
  kAndroidSquircle,
  kAndroidRoundedSquare,
  kWebMaskable,
  kIos,
  kLight,
  kDark,
};
inline constexpr std::size_t kMaskCells = 7;
// The edge of each cell in pixels.
inline constexpr int kMaskCellEdge = 48;
// The colour of the safe-area mark.
inline constexpr std::int32_t kSafeMarkColour = PackRGBA(224, 32, 32, 255);

// Each cell's name, as the Preview writes it under the cell.
const char* MaskCellName(MaskCell cell);

struct MaskPreview {
  std::array<std::unique_ptr<Image>, kMaskCells> cells;  // null where one could not be made
  // Whether the drawing pokes out of the Android safe circle (66 of the
  // 72 dp launchers show) and out of the maskable web icon's safe circle.
  bool androidOutside = false;
  bool webOutside = false;

  const Image* Cell(MaskCell cell) const { return cells[static_cast<std::size_t>(cell)].get(); }
};

// The cells of `doc` over the icon sets' ground colour `ground`, the
// drawing fitted to its pixels with kToPixels as the export fits it.
MaskPreview MakeMaskPreview(const TWKFILE& doc, std::int32_t ground, EdgeFit fit);

}  // namespace twk
