#pragma once
// The threads of a multi-size export, each keeping its memory from one size
// to the next: the pixels it renders into and the PNG bytes it encodes.
// Each size is rendered in one pass by one thread (never split into bands
// on top of the export threads) and encoded from the pixels it was rendered
// into.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "render/KeptImage.h"
#include "render/TaskPool.h"

namespace twk {

// Whether a picture is painted as drawn or with its edges fitted to its
// pixels (see fit/FitToPixels.h).
enum class EdgeFit { kAsDrawn, kToPixels };

class SizeWorker {
 public:
  // The PNG of the full 16 x 16 units of `doc` at `scale`, byte for byte the
  // one EncodePng makes of RenderDocument's image; valid until the next
  // call. nullptr when it cannot be made. With kToPixels the picture is
  // that of the document fitted to its edge in pixels: every raster entry
  // of an export is fitted here, for its own size.
  const std::vector<std::uint8_t>* Png(const TWKFILE& doc, float scale, EdgeFit fit = EdgeFit::kAsDrawn);

  // Png written to `path`, replacing any file there safely.
  bool WritePng(const TWKFILE& doc, float scale, const std::string& path, EdgeFit fit = EdgeFit::kAsDrawn);

 private:
  KeptImage pixels_;
  std::vector<std::uint8_t> png_;
};

// Runs task(worker, 0) .. task(worker, count - 1), taken in index order by
// at most two workers (one with kOne), each serving one task at a time. An
// exception thrown by a task is raised once all tasks have run.
void RunOnSizeWorkers(std::size_t count, const std::function<void(SizeWorker&, std::size_t)>& task,
                      TaskThreads threads = TaskThreads::kTwo);

}  // namespace twk
