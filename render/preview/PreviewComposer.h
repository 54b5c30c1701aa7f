#pragma once
// The real-size preview: the whole 16 x 16-unit drawing at 16, 24, 32, 48
// and 64 pixels, each exactly the export's picture of that size, composed
// over a white and over a dark grey ground.
//
// Each size keeps a PreviewCheckpoints. An update compares the items' revisions
// with those of the last update, back to front, and repaints each size from
// the first item that differs; so a mouse move while an item is drawn repaints only
// that item, and a change to the document area's size repaints nothing.

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "document/Colour.h"
#include "document/Document.h"
#include "render/Image.h"
#include "render/preview/PreviewCheckpoints.h"
#include "tasks/PaintCancel.h"

namespace twk {

inline constexpr std::array<int, 5> kPreviewSizes = {16, 24, 32, 48, 64};

enum class PreviewGround { kLight, kDark };
inline constexpr std::array<PreviewGround, 2> kPreviewGrounds = {PreviewGround::kLight, PreviewGround::kDark};

// The opaque colour a ground is filled with.
constexpr std::int32_t GroundColour(PreviewGround ground) {
  return ground == PreviewGround::kLight ? PackRGBA(255, 255, 255, 0) : PackRGBA(48, 48, 48, 0);
}

// What the program adds to each size's picture, from above the renderer:
// the document to paint at an edge in pixels (pixel fitting), and a figure
// of the painted layer to show under the size (its crispness). Either may
// be empty: the drawing as it is, no figure. Both are handed the update's
// cancel (nullptr when it cannot be given up) and should look at it now and
// then: `prepare` gives up with nothing, `figure` with NaN.
struct PreviewSizeHooks {
  std::function<std::optional<TWKFILE>(const TWKFILE& doc, int edge, const PaintCancel* cancel)> prepare;
  std::function<double(const TWKFILE& painted, const Image& layer, const PaintCancel* cancel)> figure;
};

// One finished set of pictures. A picture is never drawn on again once it is
// in a set, so a set may be read on any thread while new ones are made.
struct PreviewPictures {
  // [size index][ground]: kPreviewSizes order, light ground first.
  std::array<std::array<std::shared_ptr<const Image>, 2>, kPreviewSizes.size()> images;
  // Counts the sets a PreviewPainter has finished; 0 from a composer.
  long long generation = 0;
  // [size index]: the figure of PreviewSizeHooks::figure, NaN without one.
  std::array<double, kPreviewSizes.size()> figures{};
  // nullptr when the picture could not be made.
  const Image* Picture(int sizeIndex, PreviewGround ground) const;
};

// Whether a large repaint shares the sizes with a second thread.
enum class PaintThreads { kOne, kTwo };

class PreviewComposer {
 public:
  PreviewComposer();

  // Brings every picture up to date with `doc`; returns whether any changed.
  // When `cancel` is requested on the way, the update gives up, forgets
  // everything (as Invalidate) and returns false.
  bool Update(const TWKFILE& doc, PaintThreads threads = PaintThreads::kTwo, const PaintCancel* cancel = nullptr);
  // The most items any one size would paint to bring it up to date with
  // `doc` (0 when only kept copies change, or nothing does).
  int ItemsToRepaint(const TWKFILE& doc) const;
  // The picture of kPreviewSizes[sizeIndex] over `ground`; nullptr before
  // the first Update.
  const Image* Picture(int sizeIndex, PreviewGround ground) const;
  // The current pictures of every size and ground.
  PreviewPictures Pictures() const;
  // Forgets everything; the next Update paints from scratch.
  void Invalidate();
  // Sets the hooks and forgets everything. With `prepare` every update
  // paints each size whole: the prepared document of one item's edit may
  // differ in other items too.
  void SetSizeHooks(PreviewSizeHooks hooks);
  // Items handed to the painter over all sizes since construction.
  long long itemsPainted() const;
  // Whether each size is prepared (fitted) before it is painted.
  bool prepares() const { return static_cast<bool>(hooks_.prepare); }

 private:
  struct Size {
    explicit Size(int pixels) : edge(pixels), checkpoints(static_cast<float>(pixels) / 16.0f) {}
    int edge;
    PreviewCheckpoints checkpoints;
    double figure = std::numeric_limits<double>::quiet_NaN();
    std::array<std::unique_ptr<Image>, 2> grounds;  // plain, filled once
    std::array<std::shared_ptr<const Image>, 2> pictures;  // new ones each change
  };
  // Records the items of `doc`; returns how many of them, in paint order,
  // equal those of the last update.
  int UnchangedItems(const TWKFILE& doc);
  // The same without recording the items.
  int UnchangedItemsAsLast(const TWKFILE& doc) const;
  static void Compose(Size& size);

  std::vector<Size> sizes_;                 // largest first
  std::vector<std::uint64_t> painted_;      // revisions of the last update's items, back to front
  std::vector<std::uint64_t> scratch_;      // the update before
  bool current_ = false;                    // the pictures show painted_
  PreviewSizeHooks hooks_;
};

}  // namespace twk
