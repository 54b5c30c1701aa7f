#pragma once
// A cached transparent picture of a run of items (first..last of CData) at
// the canvas scale, with the items as they were painted, so that a caller
// can tell whether it still shows the document.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

class ItemLayer {
 public:
  // Items first..last of `doc` painted onto a new transparent layer of the
  // canvas's document area; nullptr when the layer cannot be made, or
  // half painted once `cancel` is requested.
  static std::unique_ptr<ItemLayer> Paint(const TWKFILE& doc, int first, int last, float pixelsPerUnitX,
                                          float pixelsPerUnitY, const PaintCancel* cancel = nullptr);
  // Items first..last of `doc` as they are now, without a picture (their
  // own pictures are kept apart, item by item).
  static std::unique_ptr<ItemLayer> Record(const TWKFILE& doc, int first, int last);
  // Whether this layer shows items first..last of `doc` as they are now,
  // field for field (whoever changed them, and whether or not they were
  // given a new revision).
  bool Holds(const TWKFILE& doc, int first, int last) const;
  // The picture; only for a layer made by Paint.
  bool hasPicture() const { return image_ != nullptr; }
  const Image& image() const { return *image_; }

 private:
  ItemLayer(int first, std::unique_ptr<Image> image) : first_(first), image_(std::move(image)) {}
  int first_;
  std::vector<TWKDATA> painted_;
  std::unique_ptr<Image> image_;
};

// Copies of the items first..last of `doc`, in index order.
std::vector<TWKDATA> CopyItems(const TWKFILE& doc, int first, int last);

}  // namespace twk
