#include "render/preview/PreviewPainter.h"

#include <new>
#include <utility>

#include "render/PaintBudget.h"

namespace twk {

namespace {

// Changes that repaint fewer items than this per size are painted on the
// caller's thread: a mouse move while drawing repaints one.
constexpr int kItemsPaintedHere = 8;

// The guessed cost of preparing (fitting) one item for one size, a few
// times what fitting takes.
constexpr double kPrepareNsPerItem = 2000;

// Whether painting every item of `doc` at every size, each prepared first
// when `prepared`, fits in a frame.
bool AllSizesFit(const TWKFILE& doc, bool prepared) {
  PaintBudget budget;
  for (int size : kPreviewSizes) {
    const double ppu = size / 16.0;
    if (prepared && !budget.Spend(kPrepareNsPerItem * doc.CData.size())) return false;
    if (!budget.Spend(doc, 0, doc.CData.size() - 1, ppu, ppu, size, size)) return false;
  }
  return true;
}

}  // namespace

// The worker only uses time the editing thread leaves over.
PreviewPainter::PreviewPainter(std::function<void()> paintFinished)
    : worker_(std::move(paintFinished), WorkerPriority::kLowest) {}

PreviewPainter::~PreviewPainter() { Stop(); }

PreviewUpdate PreviewPainter::Update(const TWKFILE& doc, bool paintHere) {
  // While the worker is idle the composer is ours: only this thread hands
  // the worker work.
  // Prepared sizes are made whole each time, so a change repaints every
  // item: only a drawing of a few items is painted here.
  const bool prepared = composer_.prepares();
  if (!busy() &&
      ((paintHere && AllSizesFit(doc, prepared)) || composer_.ItemsToRepaint(doc) < kItemsPaintedHere)) {
    // Out of memory here, as on the worker, keeps the last finished set; the
    // composer forgot everything, so the next change paints from scratch.
    // The caller is the editing thread: running short of memory must not
    // end its events.
    try {
      if (!composer_.Update(doc)) return PreviewUpdate::kUnchanged;
    } catch (const std::bad_alloc&) {
      return PreviewUpdate::kUnchanged;
    }
    auto set = std::make_shared<PreviewPictures>(composer_.Pictures());
    std::lock_guard lock(mutex_);
    PublishLocked(set);
    return PreviewUpdate::kPainted;
  }
  // The worker never reads the live document. A change does not give up
  // the paint in flight, whose layers are mostly what the next one needs,
  // unless every size is prepared anew anyway.
  auto copy = std::make_shared<const TWKFILE>(doc);
  const auto posted = worker_.Post([this, copy](const PaintCancel& cancel) { Paint(*copy, cancel); }, prepared);
  if (posted == LatestJobWorker::Posted::kQueued) return PreviewUpdate::kQueued;
  // No thread to paint on: here, however long it takes.
  const PaintCancel never;
  Paint(doc, never);
  return PreviewUpdate::kPainted;
}

void PreviewPainter::SetSizeHooks(PreviewSizeHooks hooks) {
  Stop();
  composer_.SetSizeHooks(std::move(hooks));
}

void PreviewPainter::Paint(const TWKFILE& doc, const PaintCancel& cancel) {
  std::shared_ptr<PreviewPictures> set;
  try {
    // This thread alone: the pool's helper runs at normal priority and
    // serves the editing thread's redraw, which the preview must not hold up.
    if (composer_.Update(doc, PaintThreads::kOne, &cancel))
      set = std::make_shared<PreviewPictures>(composer_.Pictures());
  } catch (...) {  // on the worker thread, where nothing may escape the job
    // Out of memory or threads: the next change paints from scratch.
    composer_.Invalidate();
  }
  std::lock_guard lock(mutex_);
  itemsPainted_ = composer_.itemsPainted();
  // A finished paint is kept even when given up late, so the set always
  // matches the composer once the worker is idle.
  if (set) PublishLocked(set);
}

void PreviewPainter::PublishLocked(const std::shared_ptr<PreviewPictures>& set) {
  set->generation = ++generation_;
  finished_ = set;
  itemsPainted_ = composer_.itemsPainted();
}

std::shared_ptr<const PreviewPictures> PreviewPainter::pictures() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

long long PreviewPainter::itemsPainted() const {
  std::lock_guard lock(mutex_);
  return itemsPainted_;
}

}  // namespace twk
