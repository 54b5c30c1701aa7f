#pragma once
// What each thread of a multi-size export keeps from one size to the next:
// the pixels it renders into and the PNG bytes it encodes. The sizes run as
// jobs of the shared pool, a SizeWorker per thread (RunJobs<SizeWorker>).
// Each size is rendered in one pass by one thread (never split into bands
// on top of the export threads) and encoded from the pixels it was rendered
// into.

#include <cstdint>
#include <string>
#include <vector>

#include "document/Document.h"
#include "export/ExportProgress.h"
#include "render/KeptImage.h"

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
  // of an export is fitted here, for its own size. A stop asked of
  // `progress` while fitting gives the picture up (nullptr).
  const std::vector<std::uint8_t>* Png(const TWKFILE& doc, float scale, EdgeFit fit = EdgeFit::kAsDrawn,
                                       const ExportProgress* progress = nullptr);

  // Png written to `path`, replacing any file there safely.
  bool WritePng(const TWKFILE& doc, float scale, const std::string& path, EdgeFit fit = EdgeFit::kAsDrawn,
                const ExportProgress* progress = nullptr);

 private:
  KeptImage pixels_;
  std::vector<std::uint8_t> png_;
};

}  // namespace twk
