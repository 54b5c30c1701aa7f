#pragma once
// Each item's own picture, cut to the pixels it covers, kept for the items
// in front of the selection. Blending an item's own picture over the canvas
// rounds as painting the item there does (the item's colour times its
// coverage, then source-over), so the canvas built from these stays within
// 1 of a full redraw in any channel; a picture of several translucent items
// blended at once would round apart by more.
//
// A picture is kept per item state, keyed by the item's Revision, never by
// its place in the list: an item added, removed or moved elsewhere in the
// list leaves every other item's picture in use, and a copy (same revision,
// same fields) shares its source's picture. All pictures together are held
// under a fixed budget of bytes, whatever the screen scale; past it the
// pictures not used the longest are dropped, and when those in use alone
// pass it the caller paints the items itself.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

class ItemPictures {
 public:
  // About the memory of 240 pictures of the plain 320-pixel canvas.
  static constexpr std::size_t kBudgetBytes = std::size_t{96} << 20;
  explicit ItemPictures(std::size_t budgetBytes = kBudgetBytes) : budgetBytes_(budgetBytes) {}

  // Blends the pictures of items last..first of `doc` (back to front) over
  // the pixels `area` of `target`, the canvas's document area at the
  // given pixels per unit, painting those missing first. False, with
  // `target` untouched, when they do not fit the budget or `cancel` is
  // requested on the way (the pictures finished are kept).
  bool Blend(Image& target, const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY,
             PixelArea area, const PaintCancel* cancel = nullptr);
  // Whether item `index` of `doc` has its picture as it is now.
  bool Current(const TWKFILE& doc, int index) const;
  // Drops every picture (a new scale or document size).
  void Clear();
  std::size_t bytes() const { return bytes_; }
  // Pictures painted since construction.
  long long picturesPainted() const { return picturesPainted_; }

 private:
  struct Picture {
    std::unique_ptr<Image> image;  // null when the item covers no pixel
    int x = 0, y = 0;              // where its top-left pixel goes
    long long lastUse = 0;         // the Blend that last needed it
#ifndef NDEBUG
    TWKDATA item;  // as painted, for the assert that its revision tells its fields
#endif
  };
  // Item `index` painted alone on `scratch` (the whole area) and cut to the
  // pixels it covers; null when memory runs out.
  static std::unique_ptr<Picture> Paint(const TWKFILE& doc, int index, float pixelsPerUnitX, float pixelsPerUnitY,
                                        Image& scratch);
  // Paints the pictures of the items `indices` of `doc` into `made` (the
  // same length), sharing them among the threads.
  void PaintAll(const TWKFILE& doc, const std::vector<int>& indices, float pixelsPerUnitX, float pixelsPerUnitY,
                std::vector<std::unique_ptr<Picture>>& made);
  // Makes the pictures of items first..last current; false past the budget.
  bool Ensure(const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY, int width,
              int height, const PaintCancel* cancel);
  // Drops pictures not used by this Blend, the longest unused first, until
  // all fit the budget; false when they still do not.
  bool FitBudget();

  std::unordered_map<std::uint64_t, Picture> pictures_;  // by the item's Revision
  std::unique_ptr<Image> scratch_[2];                    // one item painted on the whole area, a thread each
  std::size_t budgetBytes_;
  std::size_t bytes_ = 0;
  long long use_ = 0;  // counts the Blend calls
  long long picturesPainted_ = 0;
};

}  // namespace twk
