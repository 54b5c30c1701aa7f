#pragma once
// Keeps the canvas picture up to date without holding up the editing thread
// (the caller's thread below) for longer than a frame.
//
// A repaint the composer would finish within a frame (PaintBudget's guess)
// is painted at once on the caller's thread, with the composer's own kept
// parts, exactly as it always was. A larger one hands copies of all it
// paints (the document, the grid, the selection) to a LatestJobWorker: a
// newer repaint replaces the one waiting and gives up the one in flight at
// its next item or band, so the worker only ever finishes the latest state.
// The selection's marks go to the worker only while it is idle (see Mark).
// A picture is published whole (grid, items and marks) or not at all; after
// each job (finished, given up or failed) the worker calls `paintFinished`
// on its own thread, and the caller fetches the latest picture with
// picture(). Each picture tells the rectangle in which it may differ from
// the one published before it, so that a view showing that one need only
// copy the rectangle.
//
// The plain pictures of the last few document states are kept (see
// SeenPictures): a repaint of a state seen lately, as after an undo or a
// redo, publishes its picture again instead of painting it.
//
// The composer belongs to the worker while a job is in flight or waiting,
// and to the caller otherwise; `mutex_` guards the finished picture.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "document/Document.h"
#include "document/EditorState.h"
#include "render/ChangedArea.h"
#include "render/canvas/CanvasComposer.h"
#include "render/canvas/SeenPictures.h"
#include "render/Image.h"
#include "tasks/LatestJobWorker.h"

namespace twk {

class SpareDocument;

// One finished canvas picture; never drawn on again, so it may be read on
// any thread.
struct CanvasPicture {
  std::shared_ptr<const Image> plain;  // grid and items
  std::shared_ptr<const Image> shown;  // with the marks of `marked` over it (plain when none)
  std::vector<int> marked;             // indices of CData whose marks `shown` has
  long long serial = 0;                // of the repaint request `plain` shows
  long long generation = 0;            // counts the pictures finished
  PixelArea changed;                   // where `shown` may differ from the picture of generation - 1
  PixelArea marks;                     // the pixels the marks on `shown` touch
  long long composed = 0;              // counts the composes: which one made `plain`
};

// What the caller wants shown, read in place on the caller's thread.
struct CanvasScene {
  const Image& grid;
  const TWKFILE& doc;
  const EditorState& state;
  float pixelsPerUnitX, pixelsPerUnitY;
  std::vector<IndexRun> selected;  // runs the composer keeps the other items around
  std::vector<int> marked;         // indices whose marks are shown
};

enum class CanvasUpdate {
  kPainted,  // a new picture is ready now
  kQueued,   // the worker paints it and reports through paintFinished
  kFailed,   // no new picture (out of memory, or no picture to mark yet)
};

class CanvasPainter {
 public:
  explicit CanvasPainter(std::function<void()> paintFinished);
  ~CanvasPainter();  // Stop
  CanvasPainter(const CanvasPainter&) = delete;
  CanvasPainter& operator=(const CanvasPainter&) = delete;

  // A new picture of the scene. Repaint, Mark, KeepLayersFor, Invalidate
  // and Stop are called from one thread.
  CanvasUpdate Repaint(const CanvasScene& scene);
  // The scene's marks over the last plain picture. Never replaces a waiting
  // repaint nor gives up one in flight: while the worker is busy nothing is
  // posted (kQueued), and the caller marks again once the worker reports
  // and is idle, if the marks shown are not the selection's.
  CanvasUpdate Mark(const CanvasScene& scene);
  // Builds the composer's kept parts for the selection ahead of the first
  // key, on the worker (never on the caller's thread); nothing while the
  // worker is busy, as what it paints keeps parts.
  void KeepLayersFor(const CanvasScene& scene);
  // The latest finished picture; nullptr before the first.
  std::shared_ptr<const CanvasPicture> picture() const;
  // The serial of the latest Repaint.
  long long requested() const { return requested_; }
  // Whether a job is in flight or waiting on the worker.
  bool busy() const { return worker_.busy(); }
  // Forgets the pictures of the states seen, and the composer's kept
  // pictures when the worker is idle; while it paints they are checked
  // against its document as ever, and the repaint that follows this call
  // gives that paint up. Called for every new grid.
  void Invalidate();
  // Whether the composer keeps parts (false while the worker has it).
  bool HasCachedLayer() const { return !busy() && composer_.KeepsParts(); }
  // Gives up the paint in flight and waits for the worker thread to end
  // (within one item or band of the paint); a later job starts a new one.
  void Stop() { worker_.Stop(); }

 private:
  // The picture of `doc` (the one seen in `frame`, else the composer's)
  // with the marks of `marked`, published as request `serial`; false when
  // it was given up or failed.
  bool PaintScene(const Image& grid, const TWKFILE& doc, const EditorState& state, const PictureFrame& frame,
                  const std::vector<IndexRun>& selected, const std::vector<int>& marked, long long serial,
                  const PaintCancel* cancel);
  // `plain` with the marks of the items `marked` of `doc` over it, and the
  // pixels they touch.
  static std::shared_ptr<const Image> Marked(const std::shared_ptr<const Image>& plain, const TWKFILE& doc,
                                             const std::vector<int>& marked, float ppuX, float ppuY, PixelArea& marks);
  // A plain picture: the compose that made it and the pixels in which it
  // differs from the compose before.
  struct PlainChange {
    long long composed = 0;
    PixelArea area;
  };
  void Publish(std::shared_ptr<const Image> plain, std::shared_ptr<const Image> shown, std::vector<int> marked,
               std::vector<std::uint64_t> revisions, long long serial, PixelArea marks, PlainChange change);

  CanvasComposer composer_;
  long long composed_ = 0;  // the pictures made or found again; with the composer
  // A seen picture was published after the composer's last: what it tells
  // changed is then relative to another picture. With the composer.
  bool composerPassed_ = false;
  SeenPictures seen_;
  long long gridEpoch_ = 0;  // counts Invalidate: a new grid is another frame
  long long requested_ = 0;
  mutable std::mutex mutex_;
  std::shared_ptr<const CanvasPicture> finished_;
  long long generation_ = 0;
  std::shared_ptr<SpareDocument> spare_;  // the jobs' copies are made in it
  LatestJobWorker worker_;  // last: it ends before what its jobs use
};

}  // namespace twk
