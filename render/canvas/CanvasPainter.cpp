#include "render/canvas/CanvasPainter.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <optional>
#include <utility>

#include "render/SelectionMarks.h"

namespace twk {

namespace {

// The guessed time of the selection's marks: the box around all of them
// costs a little per item, the handles of a few items more.
double GuessMarksNs(std::size_t marked) {
  constexpr double kNsPerItem = 200, kNsPerItemWithHandles = 30000;
  return static_cast<double>(marked) * (marked <= kMostItemsWithHandles ? kNsPerItemWithHandles : kNsPerItem);
}

}  // namespace

// The document of a finished job's copy, kept to copy the next scene into:
// assigning items to the items already there allocates nothing, where a
// fresh copy of a large drawing allocates and later frees every item on the
// editing thread.
class SpareDocument {
 public:
  std::optional<TWKFILE> Take() {
    std::lock_guard lock(mutex_);
    std::optional<TWKFILE> doc = std::move(spare_);
    spare_.reset();
    return doc;
  }
  // Keeps `doc` unless one is kept already.
  void Give(TWKFILE&& doc) {
    TWKFILE dropped;  // freed after the lock
    std::lock_guard lock(mutex_);
    if (spare_) dropped = std::move(doc);
    else spare_ = std::move(doc);
  }

 private:
  std::mutex mutex_;
  std::optional<TWKFILE> spare_;
};

namespace {

// What a job paints from: its own copies, so that it never reads the live
// document. Its document goes back to `spare` when the job is done with it.
struct SceneCopy {
  ~SceneCopy() {
    if (spare) spare->Give(std::move(doc));
  }
  std::unique_ptr<Image> grid;  // none when only parts are built
  TWKFILE doc;
  EditorState state;
  PictureFrame frame;
  std::vector<IndexRun> selected;
  std::vector<int> marked;
  std::shared_ptr<SpareDocument> spare;
};

// Makes `to` a copy of `from`, reusing the items `to` has.
void CopyInto(const TWKFILE& from, TWKFILE& to) {
  to.TWKW = from.TWKW;
  to.TWKH = from.TWKH;
  const int count = from.CData.size();
  while (to.CData.size() > count) (void)to.CData.take(to.CData.size() - 1);
  to.CData.reserve(count);
  for (int i = 0; i < count; ++i) {
    if (i < to.CData.size()) *to.CData.at(i) = *from.CData.at(i);
    else to.CData.append(*from.CData.at(i));
  }
}

// Without `withGrid` the copy has no grid (building parts needs none).
std::shared_ptr<SceneCopy> CopyScene(const CanvasScene& scene, const PictureFrame& frame,
                                     const std::shared_ptr<SpareDocument>& spare, bool withGrid = true) {
  auto copy = std::make_shared<SceneCopy>();
  if (withGrid) {
    copy->grid = scene.grid.Clone();
    if (!copy->grid) return nullptr;
  }
  if (std::optional<TWKFILE> reused = spare->Take()) copy->doc = std::move(*reused);
  CopyInto(scene.doc, copy->doc);
  copy->spare = spare;
  // The composer tells the item being drawn by its address.
  const bool building = scene.state.Constructing && scene.state.ConstructionItem != nullptr &&
                        scene.state.ConstructionItem == scene.doc.CData.front();
  copy->state.Constructing = building;
  copy->state.ConstructionItem = building ? copy->doc.CData.front() : nullptr;
  copy->frame = frame;
  copy->selected = scene.selected;
  copy->marked = scene.marked;
  return copy;
}

// The items `marked` of `doc` alone, in a document of their own, and their
// indices there: their marks are the same.
std::shared_ptr<const TWKFILE> MarkedItems(const TWKFILE& doc, const std::vector<int>& marked,
                                           std::vector<int>& indices) {
  auto items = std::make_shared<TWKFILE>();
  items->TWKW = doc.TWKW;
  items->TWKH = doc.TWKH;
  items->CData.reserve(static_cast<int>(marked.size()));
  for (int index : marked) {
    if (index < 0 || index >= doc.CData.size()) continue;
    indices.push_back(items->CData.size());
    items->CData.append(*doc.CData.at(index));
  }
  return items;
}

}  // namespace

CanvasPainter::CanvasPainter(std::function<void()> paintFinished)
    : spare_(std::make_shared<SpareDocument>()), worker_(std::move(paintFinished), WorkerPriority::kNormal) {}

CanvasPainter::~CanvasPainter() { Stop(); }

CanvasUpdate CanvasPainter::Repaint(const CanvasScene& scene) {
  const long long serial = ++requested_;
  const PictureFrame frame = FrameOf(gridEpoch_, scene.grid, scene.doc, scene.pixelsPerUnitX, scene.pixelsPerUnitY);
  // While the worker is idle the composer is ours. A state seen lately
  // costs only its marks.
  if (!busy()) {
    PaintBudget budget;
    if ((seen_.Find(frame, scene.doc).plain ||
         composer_.Fits(scene.doc, scene.state, scene.pixelsPerUnitX, scene.pixelsPerUnitY, scene.selected,
                        budget)) &&
        budget.Spend(GuessMarksNs(scene.marked.size()))) {
      return PaintScene(scene.grid, scene.doc, scene.state, frame, scene.selected, scene.marked, serial, nullptr)
                 ? CanvasUpdate::kPainted
                 : CanvasUpdate::kFailed;
    }
  }
  std::shared_ptr<SceneCopy> copy;
  try {
    copy = CopyScene(scene, frame, spare_);
  } catch (const std::bad_alloc&) {
  }
  if (!copy) return CanvasUpdate::kFailed;  // out of memory: the canvas keeps its picture
  const auto posted = worker_.Post(
      [this, copy, serial](const PaintCancel& cancel) {
        (void)PaintScene(*copy->grid, copy->doc, copy->state, copy->frame, copy->selected, copy->marked, serial,
                         &cancel);
      },
      true);
  if (posted == LatestJobWorker::Posted::kQueued) return CanvasUpdate::kQueued;
  // No thread to paint on (so none in flight): here, however long it takes.
  return PaintScene(scene.grid, scene.doc, scene.state, frame, scene.selected, scene.marked, serial, nullptr)
             ? CanvasUpdate::kPainted
             : CanvasUpdate::kFailed;
}

CanvasUpdate CanvasPainter::Mark(const CanvasScene& scene) {
  const std::shared_ptr<const CanvasPicture> last = picture();
  if (!last) return CanvasUpdate::kFailed;
  PaintBudget budget;
  if (budget.Spend(GuessMarksNs(scene.marked.size()))) {
    PixelArea marks;
    auto shown = Marked(last->plain, scene.doc, scene.marked, scene.pixelsPerUnitX, scene.pixelsPerUnitY, marks);
    Publish(last->plain, shown ? shown : last->plain, scene.marked, SeenPictures::RevisionsOf(scene.doc, scene.marked),
            last->serial, marks, {last->composed, {}});
    return CanvasUpdate::kPainted;
  }
  // The job on the worker ends with a report, and the caller marks again
  // then; posting now could drop a waiting repaint.
  if (busy()) return CanvasUpdate::kQueued;
  std::vector<int> indices;
  std::shared_ptr<const TWKFILE> items;
  try {
    items = MarkedItems(scene.doc, scene.marked, indices);
  } catch (const std::bad_alloc&) {
    return CanvasUpdate::kFailed;
  }
  const float ppuX = scene.pixelsPerUnitX, ppuY = scene.pixelsPerUnitY;
  const auto posted = worker_.Post(
      [this, items, indices, marked = scene.marked, ppuX, ppuY](const PaintCancel& cancel) {
        // Over the latest plain picture, which a repaint may have made since.
        const std::shared_ptr<const CanvasPicture> base = picture();
        PixelArea marks;
        auto shown = Marked(base->plain, *items, indices, ppuX, ppuY, marks);
        if (!GivenUp(&cancel)) {
          Publish(base->plain, shown ? shown : base->plain, marked, SeenPictures::RevisionsOf(*items, indices),
                  base->serial, marks, {base->composed, {}});
        }
      },
      false);
  return posted == LatestJobWorker::Posted::kQueued ? CanvasUpdate::kQueued : CanvasUpdate::kFailed;
}

void CanvasPainter::KeepLayersFor(const CanvasScene& scene) {
  if (busy()) return;  // the composer is the worker's; what it paints keeps parts
  // Even parts that fit in a frame are built on the worker: a selection
  // rests over and over while the list is browsed, and the caller's thread
  // stays free for the next click.
  std::shared_ptr<SceneCopy> copy;
  try {
    copy = CopyScene(scene, FrameOf(gridEpoch_, scene.grid, scene.doc, scene.pixelsPerUnitX, scene.pixelsPerUnitY),
                     spare_, false);
  } catch (const std::bad_alloc&) {
  }
  if (!copy) return;  // the next key paints them
  (void)worker_.Post(
      [this, copy](const PaintCancel& cancel) {
        composer_.KeepPartsFor(copy->doc, copy->state, copy->frame.ppuX, copy->frame.ppuY, copy->selected, &cancel);
      },
      false);
}

bool CanvasPainter::PaintScene(const Image& grid, const TWKFILE& doc, const EditorState& state,
                               const PictureFrame& frame, const std::vector<IndexRun>& selected,
                               const std::vector<int>& marked, long long serial, const PaintCancel* cancel) {
  const SeenPicture seen = seen_.Find(frame, doc, marked);
  std::shared_ptr<const Image> plain = seen.plain;
  PlainChange change;
  if (plain) {
    // Not the composer's: its next picture is told changed everywhere.
    change = {++composed_, PixelArea{0, 0, plain->width(), plain->height()}};
    composerPassed_ = true;
  } else {
    plain = composer_.Compose(grid, doc, state, frame.ppuX, frame.ppuY, selected, cancel);
    if (!plain) return false;
    change = {++composed_, composerPassed_ ? PixelArea{0, 0, plain->width(), plain->height()} : composer_.lastChanged()};
    composerPassed_ = false;
    try {
      seen_.Keep(frame, doc, plain);
    } catch (const std::bad_alloc&) {
      // Not kept: a later return to this state paints it again.
    }
  }
  PixelArea marks = seen.marks;
  std::shared_ptr<const Image> shown = seen.shown;
  if (!shown) shown = Marked(plain, doc, marked, frame.ppuX, frame.ppuY, marks);
  if (GivenUp(cancel)) return false;
  Publish(plain, shown ? shown : plain, marked, SeenPictures::RevisionsOf(doc, marked), serial, marks, change);
  return true;
}

std::shared_ptr<const Image> CanvasPainter::Marked(const std::shared_ptr<const Image>& plain, const TWKFILE& doc,
                                                   const std::vector<int>& marked, float ppuX, float ppuY,
                                                   PixelArea& marks) {
  marks = {};
  if (marked.empty()) return plain;
  std::shared_ptr<Image> shown = plain->Clone();
  if (shown) marks = PaintSelectionMarks(*shown, doc, marked, ppuX, ppuY);
  return shown;  // nullptr when the copy cannot be made: shown without marks
}

void CanvasPainter::Publish(std::shared_ptr<const Image> plain, std::shared_ptr<const Image> shown,
                            std::vector<int> marked, std::vector<std::uint64_t> revisions, long long serial,
                            PixelArea marks, PlainChange change) {
  // A return to this state with these marks shows this picture again; the
  // marks may be of another state than `plain` (the selection changed
  // first), and are then never found for it.
  try {
    seen_.KeepMarked(plain, marked, std::move(revisions), shown, marks);
  } catch (const std::bad_alloc&) {
  }
  auto finished = std::make_shared<CanvasPicture>();
  finished->plain = std::move(plain);
  finished->shown = std::move(shown);
  finished->marked = std::move(marked);
  finished->serial = serial;
  finished->marks = marks;
  finished->composed = change.composed;
  std::lock_guard lock(mutex_);
  finished->generation = ++generation_;
  // What differs from the picture before: the marks it had and these, and
  // the pixels the compose changed when the plain picture is the next one.
  // Anything else (a compose never published between) is the whole picture.
  const CanvasPicture* before = finished_.get();
  const PixelArea whole{0, 0, finished->shown->width(), finished->shown->height()};
  if (before && before->composed == change.composed) {
    finished->changed = Around(before->marks, marks);
  } else if (before && before->composed + 1 == change.composed) {
    finished->changed = Around(Around(change.area, before->marks), marks);
  } else {
    finished->changed = whole;
  }
  finished_ = std::move(finished);
}

std::shared_ptr<const CanvasPicture> CanvasPainter::picture() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

void CanvasPainter::Invalidate() {
  ++gridEpoch_;
  seen_.Clear();
  // While the worker has the composer its kept pictures are checked against
  // the document as ever, so they are dropped only when it is idle.
  if (!busy()) composer_.Invalidate();
}

}  // namespace twk
