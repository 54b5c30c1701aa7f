#include "render/PreviewPainter.h"

#include <system_error>
#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace twk {

namespace {

// Changes that repaint fewer items than this per size are painted on the
// caller's thread: a mouse move while drawing repaints one.
constexpr int kItemsPaintedHere = 8;

// The worker only uses time the editing thread leaves over.
void TakeLowestPriority() {
#ifdef __linux__
  // Linux keeps a nice value per thread, and threads started from this one
  // (the composer's helper) inherit it. Failing leaves normal priority.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
#endif
}

}  // namespace

PreviewPainter::PreviewPainter(std::function<void()> paintFinished) : paintFinished_(std::move(paintFinished)) {}

PreviewPainter::~PreviewPainter() { Stop(); }

PreviewUpdate PreviewPainter::Update(const TWKFILE& doc, bool paintHere) {
  // While the worker is idle the composer is ours: only this thread hands
  // the worker work.
  if (!busy() && (paintHere || composer_.ItemsToRepaint(doc) < kItemsPaintedHere)) {
    // Out of memory here, as on the worker, keeps the last finished set; the
    // composer forgot everything, so the next change paints from scratch.
    // The caller is the editing thread: nothing may escape into its events.
    try {
      if (!composer_.Update(doc)) return PreviewUpdate::kUnchanged;
    } catch (...) {
      return PreviewUpdate::kUnchanged;
    }
    auto set = std::make_shared<PreviewPictures>(composer_.Pictures());
    std::lock_guard lock(mutex_);
    PublishLocked(set);
    return PreviewUpdate::kPainted;
  }
  TWKFILE copy = doc;  // the worker never reads the live document
  {
    std::lock_guard lock(mutex_);
    waiting_ = std::move(copy);
    try {
      if (!worker_.joinable()) worker_ = std::thread(&PreviewPainter::Run, this);
      wake_.notify_one();
      return PreviewUpdate::kQueued;
    } catch (const std::system_error&) {
      waiting_.reset();  // no thread to paint on: paint here below
    }
  }
  return Update(doc, true);
}

void PreviewPainter::SetSizeHooks(PreviewSizeHooks hooks) {
  Stop();
  composer_.SetSizeHooks(std::move(hooks));
}

void PreviewPainter::Run() {
  TakeLowestPriority();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || waiting_.has_value(); });
    if (quit_) return;
    const TWKFILE doc = std::move(*waiting_);
    waiting_.reset();
    painting_ = true;
    lock.unlock();

    std::shared_ptr<PreviewPictures> set;
    try {
      // One thread: the editing thread's own redraw already keeps two
      // cores busy during a held key, and a second painter would only take
      // turns with this one on what it leaves.
      if (composer_.Update(doc, PaintThreads::kOne, &giveUp_))
        set = std::make_shared<PreviewPictures>(composer_.Pictures());
    } catch (...) {
      // Out of memory or threads: the next change paints from scratch.
      composer_.Invalidate();
    }

    lock.lock();
    painting_ = false;
    giveUp_ = false;
    itemsPainted_ = composer_.itemsPainted();
    // A finished paint is kept even when cancelled late, so the set always
    // matches the composer once the worker is idle.
    if (set) PublishLocked(set);
    // Reported even when nothing changed, so that whoever waits for the
    // worker to go idle hears of it.
    lock.unlock();
    paintFinished_();
    lock.lock();
  }
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

bool PreviewPainter::busy() const {
  std::lock_guard lock(mutex_);
  return painting_ || waiting_.has_value();
}

void PreviewPainter::Cancel() {
  std::lock_guard lock(mutex_);
  waiting_.reset();
  if (painting_) giveUp_ = true;
}

void PreviewPainter::Stop() {
  {
    std::lock_guard lock(mutex_);
    waiting_.reset();
    if (painting_) giveUp_ = true;
    quit_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
  std::lock_guard lock(mutex_);
  quit_ = false;
  giveUp_ = false;
}

long long PreviewPainter::itemsPainted() const {
  std::lock_guard lock(mutex_);
  return itemsPainted_;
}

}  // namespace twk
