#include "export/SizeWorkers.h"

#include <optional>
#include <string_view>

#include "export/ExportSizes.h"
#include "fit/FitToPixels.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {

const std::vector<std::uint8_t>* SizeWorker::Png(const TWKFILE& doc, float scale, EdgeFit fit,
                                                 const ExportProgress* progress) {
  std::optional<TWKFILE> fitted;
  if (fit == EdgeFit::kToPixels) {
    StopCheck stop;
    if (progress) stop = [progress] { return progress->StopRequested(); };
    if (!(fitted = FitToPixels(doc, ExportEdge(scale), stop))) return nullptr;
  }
  Image* image = RenderDocumentInto(pixels_, fitted ? *fitted : doc, scale, scale, RenderArea::kFull);
  if (!image || !EncodePngInPlace(*image, png_)) return nullptr;
  return &png_;
}

bool SizeWorker::WritePng(const TWKFILE& doc, float scale, const std::string& path, EdgeFit fit,
                          const ExportProgress* progress) {
  // Encoded in memory and written beside the target, then renamed over it:
  // a failed write (a full disk) leaves any previous file whole.
  const std::vector<std::uint8_t>* bytes = Png(doc, scale, fit, progress);
  if (!bytes) return false;
  const std::string_view data(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return ReplaceFile(path, data, {}) == ResultCode::kOk;
}

}  // namespace twk
