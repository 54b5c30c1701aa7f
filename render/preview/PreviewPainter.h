#pragma once
// Keeps the preview's pictures up to date without holding up the thread that
// edits the document (the caller's thread below).
//
// A change that repaints a few items per size (a mouse move while an item is
// drawn) is painted at once on the caller's thread, when nothing is being
// painted elsewhere. A larger one hands a copy of the document to a
// LatestJobWorker running at the lowest priority; changes that arrive while
// it paints replace the copy waiting for it, so it only ever paints the
// latest state next. Each time the worker finishes a change (or gives it up)
// it calls `paintFinished` on its own thread; the caller then fetches the
// latest set with pictures() on its own thread (it is the set already
// fetched when the change needed no new pictures or was given up).
//
// The composer belongs to the worker while a paint is in flight or waiting,
// and to the caller otherwise; `mutex_` guards the finished set. The caller
// never waits for the worker while it paints, except in Stop, which asks it
// to give up first.

#include <functional>
#include <memory>
#include <mutex>

#include "document/Document.h"
#include "render/preview/PreviewComposer.h"
#include "tasks/LatestJobWorker.h"

namespace twk {

enum class PreviewUpdate {
  kUnchanged,  // the pictures already show the document
  kPainted,    // new pictures are ready now
  kQueued,     // the worker paints them and reports through paintFinished
};

class PreviewPainter {
 public:
  explicit PreviewPainter(std::function<void()> paintFinished);
  ~PreviewPainter();  // Stop
  PreviewPainter(const PreviewPainter&) = delete;
  PreviewPainter& operator=(const PreviewPainter&) = delete;

  // Brings the pictures up to date with `doc`: here when the worker is idle
  // and the change is small (or `paintHere` asks for it and painting every
  // size fits in a frame), else on the worker.
  // Update, Cancel and Stop are called from one thread.
  PreviewUpdate Update(const TWKFILE& doc, bool paintHere = false);
  // The latest finished set; nullptr before the first.
  std::shared_ptr<const PreviewPictures> pictures() const;
  // Whether a paint is in flight or waiting on the worker.
  bool busy() const { return worker_.busy(); }
  // Drops the waiting copy and asks a paint in flight to give up; returns
  // at once. A paint given up keeps the last finished set.
  void Cancel() { worker_.Cancel(); }
  // Cancel, then waits for the worker thread to end. A later large Update
  // starts a new one.
  void Stop() { worker_.Stop(); }
  // Stop, then gives the composer `hooks` (PreviewComposer::SetSizeHooks);
  // the next Update paints every size anew.
  void SetSizeHooks(PreviewSizeHooks hooks);
  // Items handed to the painter over all sizes, as of the last finished set.
  long long itemsPainted() const;

 private:
  // Paints `doc` on the worker.
  void Paint(const TWKFILE& doc, const PaintCancel& cancel);
  // Makes the composer's pictures the finished set; under `mutex_`.
  void PublishLocked(const std::shared_ptr<PreviewPictures>& set);

  PreviewComposer composer_;
  mutable std::mutex mutex_;
  std::shared_ptr<const PreviewPictures> finished_;
  long long generation_ = 0;
  long long itemsPainted_ = 0;
  LatestJobWorker worker_;  // last: it ends before what its jobs use
};

}  // namespace twk
