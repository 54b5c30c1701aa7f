#include "render/preview/PreviewCheckpoints.h"

#include <algorithm>

#include "render/BandPainter.h"
#include "render/SceneRenderer.h"

namespace twk {

namespace {

// Positions worth a copy: every stride-th and the one just before the front
// item (the items behind an item being drawn).
bool Worth(int position, int count, int stride) {
  return position > 0 && position < count && (position % stride == 0 || position == count - 1);
}

int NextWorth(int position, int count, int stride) {
  int next = (position / stride + 1) * stride;
  if (position < count - 1) next = std::min(next, count - 1);
  return std::min(next, count);
}

}  // namespace

void PreviewCheckpoints::Clear() {
  kept_.clear();
  top_.reset();
  count_ = 0;
}

int PreviewCheckpoints::ResumePosition(int unchanged) const {
  if (top_ && unchanged == count_) return count_;  // only items added in front
  for (auto k = kept_.rbegin(); k != kept_.rend(); ++k) {
    if (k->position <= unchanged) return k->position;
  }
  return 0;
}

int PreviewCheckpoints::ItemsToPaint(int count, int unchanged) const {
  unchanged = std::clamp(unchanged, 0, top_ ? std::min(count, count_) : 0);
  if (top_ && unchanged == count_ && count == count_) return 0;
  return count - ResumePosition(unchanged);
}

int PreviewCheckpoints::Resume(const TWKFILE& doc, int unchanged) {
  if (top_ && unchanged == count_) return count_;
  while (!kept_.empty() && kept_.back().position > unchanged) kept_.pop_back();
  top_ = kept_.empty() ? nullptr : kept_.back().image->Clone();
  if (top_) return kept_.back().position;
  const PixelSize size = RenderImageSize(doc, pixelsPerUnit_, pixelsPerUnit_, RenderArea::kFull);
  top_ = Image::NewTransparent(size.width, size.height);
  return 0;
}

void PreviewCheckpoints::Paint(const TWKFILE& doc, int from, int to, const PaintCancel* cancel) {
  const int count = doc.CData.size();
  // Position p is item count-1-p of CData.
  PaintItemsInRows(*top_, doc, 16.0, 16.0, count - to, count - 1 - from, 0, top_->height(), cancel);
  top_->MarkDirty();
  itemsPainted_ += to - from;
}

bool PreviewCheckpoints::Update(const TWKFILE& doc, int unchanged, int stride, const PaintCancel* cancel) {
  const int count = doc.CData.size();
  stride = std::max(stride, 1);
  unchanged = std::clamp(unchanged, 0, top_ ? std::min(count, count_) : 0);
  if (top_ && unchanged == count_ && count == count_) return false;

  int position = Resume(doc, unchanged);
  std::erase_if(kept_, [&](const Kept& k) { return !Worth(k.position, count, stride); });
  if (!top_) {
    Clear();
    return true;
  }
  while (position < count) {
    if (Worth(position, count, stride) && (kept_.empty() || kept_.back().position < position)) {
      // A copy that cannot be made only costs a longer repaint later.
      if (auto copy = top_->Clone()) kept_.push_back({position, std::move(copy)});
    }
    const int next = NextWorth(position, count, stride);
    // The painter looks at `cancel` before every item.
    Paint(doc, position, next, cancel);
    if (GivenUp(cancel)) {
      Clear();  // a half-painted layer shows no document at all
      return true;
    }
    position = next;
  }
  count_ = count;
  return true;
}

}  // namespace twk
