#pragma once
// Each item's own picture, cut to the pixels it covers, kept for the items
// in front of the selection. Blending an item's own picture over the canvas
// rounds as painting the item there does (the item's colour times its
// coverage, then source-over), so the canvas built from these stays within
// 1 of a full redraw in any channel; a picture of several translucent items
// blended at once would round apart by more.
//
// A picture is kept per index of CData with the item as it was painted, and
// painted again when the item there is no longer equal to it. All pictures
// together are held under a memory budget; past it the caller paints the
// items itself.

#include <cstddef>
#include <memory>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

class ItemCrops {
 public:
  // All pictures together take at most the memory of this many whole
  // pictures of the canvas they are blended on: about 96 MB at the plain
  // 320-pixel canvas, and as many items' pictures at any screen scale.
  static constexpr double kBudgetCanvases = 240;
  explicit ItemCrops(double budgetCanvases = kBudgetCanvases) : budgetCanvases_(budgetCanvases) {}

  // Blends the pictures of items last..first of `doc` (back to front) over
  // the pixels `area` of `target`, the canvas's document area at the
  // given pixels per unit, painting those missing or out of date first.
  // False, with `target` untouched, when they do not fit the budget or
  // `cancel` is requested on the way (the pictures finished are kept).
  bool Blend(Image& target, const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY,
             PixelArea area, const PaintCancel* cancel = nullptr);
  // Whether item `index` of `doc` has its picture as it is now.
  bool Current(const TWKFILE& doc, int index) const;
  // Drops every picture (a new scale or document size).
  void Clear();
  std::size_t bytes() const { return bytes_; }

 private:
  struct Crop {
    TWKDATA item;                 // as painted
    std::unique_ptr<Image> image;  // null when the item covers no pixel
    int x = 0, y = 0;             // where its top-left pixel goes
  };
  // Item `index` painted alone on `scratch` (the whole area) and cut to the
  // pixels it covers; null when memory runs out.
  static std::unique_ptr<Crop> Paint(const TWKFILE& doc, int index, float pixelsPerUnitX, float pixelsPerUnitY,
                                     Image& scratch);
  // Makes the pictures of items first..last current; false past the budget.
  bool Ensure(const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY, int width,
              int height, const PaintCancel* cancel);
  // One slot per item of a document of `count` items.
  void Fit(std::size_t count);

  std::vector<std::unique_ptr<Crop>> crops_;  // by index of CData
  std::unique_ptr<Image> scratch_[2];         // one item painted on the whole area, a thread each
  double budgetCanvases_;
  std::size_t bytes_ = 0;
};

}  // namespace twk
