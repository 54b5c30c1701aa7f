#pragma once
// The items of a document painted at one scale over the full 16 x 16 area
// (the export's layer), kept up to date by repainting only what changed.
//
// Items are painted back to front, so the layer after k items depends on the
// first k items in that order only. Besides the finished layer the stack
// keeps copies of the layer as it stood after every `stride`-th item and
// just before the front item; when the first k items are unchanged, painting
// resumes from the last copy at or below k. cairo paints item after item
// onto the same pixels either way, so the result equals a render from
// scratch. While an item is drawn it is the front item and the only one that
// changes: each frame copies the layer of the items behind it and paints
// that one item.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "render/Image.h"
#include "tasks/PaintCancel.h"

namespace twk {

class PreviewCheckpoints {
 public:
  explicit PreviewCheckpoints(float pixelsPerUnit) : pixelsPerUnit_(pixelsPerUnit) {}

  // Brings the layer up to date with `doc`, of whose items the first
  // `unchanged` in paint order (from the last of CData to the first) are
  // those painted last time. Returns whether the layer changed. When
  // `cancel` is requested on the way (it is looked at before every item),
  // the stack gives up and forgets everything (as Clear).
  bool Update(const TWKFILE& doc, int unchanged, int stride, const PaintCancel* cancel = nullptr);
  // How many items Update would paint for a document of `count` items of
  // which the first `unchanged` are those painted last time.
  int ItemsToPaint(int count, int unchanged) const;
  // The painted layer (RenderImageSize at this scale, full area); nullptr
  // before the first Update or when it could not be made.
  const Image* layer() const { return top_.get(); }
  // Forgets the layer and every kept copy.
  void Clear();
  // Items handed to the painter since construction (hidden ones included).
  long long itemsPainted() const { return itemsPainted_; }

 private:
  struct Kept {
    int position;  // items painted into `image`
    std::unique_ptr<Image> image;
  };
  // The position painting resumes from: the finished layer when only items
  // were added in front, else the last kept copy at or below `unchanged`.
  int ResumePosition(int unchanged) const;
  // Starts `top_` from the best kept copy for `unchanged`; returns its position.
  int Resume(const TWKFILE& doc, int unchanged);
  void Paint(const TWKFILE& doc, int from, int to, const PaintCancel* cancel);  // positions [from, to)

  float pixelsPerUnit_;
  std::vector<Kept> kept_;  // ascending positions
  std::unique_ptr<Image> top_;
  int count_ = 0;  // items painted into top_
  long long itemsPainted_ = 0;
};

}  // namespace twk
