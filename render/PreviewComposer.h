#pragma once
// The real-size preview: the whole 16 x 16-unit drawing at 16, 24, 32, 48
// and 64 pixels, each exactly the export's picture of that size, composed
// over a white and over a dark grey ground.
//
// Each size keeps a LayerStack. An update compares the items with those of
// the last update, back to front, and repaints each size from the first
// item that differs; so a mouse move while an item is drawn repaints only
// that item, and a change to the document area's size repaints nothing.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/Colour.h"
#include "document/Document.h"
#include "render/Image.h"
#include "render/LayerStack.h"

namespace twk {

inline constexpr std::array<int, 5> kPreviewSizes = {16, 24, 32, 48, 64};

enum class PreviewGround { kLight, kDark };
inline constexpr std::array<PreviewGround, 2> kPreviewGrounds = {PreviewGround::kLight, PreviewGround::kDark};

// The opaque colour a ground is filled with.
constexpr std::int32_t GroundColour(PreviewGround ground) {
  return ground == PreviewGround::kLight ? PackRGBA(255, 255, 255, 0) : PackRGBA(48, 48, 48, 0);
}

class PreviewComposer {
 public:
  PreviewComposer();

  // Brings every picture up to date with `doc`; returns whether any changed.
  bool Update(const TWKFILE& doc);
  // The picture of kPreviewSizes[sizeIndex] over `ground`; nullptr before
  // the first Update.
  const Image* Picture(int sizeIndex, PreviewGround ground) const;
  // Forgets everything; the next Update paints from scratch.
  void Invalidate();
  // Items handed to the painter over all sizes since construction.
  long long itemsPainted() const;

 private:
  // The fields of an item that decide its pixels (all but its name). Floats
  // are kept as their bits, so that an item with a NaN read from a file
  // still equals itself and does not force a repaint on every update.
  struct PaintRecord {
    std::uint8_t type, method, endStyle, visible;
    std::int32_t rgba;
    std::array<std::uint32_t, 10> floats;  // width, angle, X1, Y1 ... X4, Y4
    bool operator==(const PaintRecord&) const = default;
  };
  static PaintRecord RecordOf(const TWKDATA& item);
  struct Size {
    explicit Size(int pixels) : layers(static_cast<float>(pixels) / 16.0f) {}
    LayerStack layers;
    std::array<std::unique_ptr<Image>, 2> grounds;  // plain, filled once
    std::array<std::unique_ptr<Image>, 2> pictures;
  };
  // Records the items of `doc`; returns how many of them, in paint order,
  // equal those of the last update.
  int UnchangedItems(const TWKFILE& doc);
  static void Compose(Size& size);

  std::vector<Size> sizes_;                 // largest first
  std::vector<PaintRecord> painted_;        // the items of the last update, back to front
  std::vector<PaintRecord> scratch_;        // the update before
  bool current_ = false;                    // the pictures show painted_
};

}  // namespace twk
