#include "export/SizeWorkers.h"

#include <atomic>
#include <exception>
#include <string_view>

#include "export/ExportSizes.h"
#include "fit/FitToPixels.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {

const std::vector<std::uint8_t>* SizeWorker::Png(const TWKFILE& doc, float scale, EdgeFit fit) {
  Image* image = fit == EdgeFit::kToPixels
                     ? RenderDocumentInto(pixels_, FitToPixels(doc, ExportEdge(scale)), scale, scale, RenderArea::kFull)
                     : RenderDocumentInto(pixels_, doc, scale, scale, RenderArea::kFull);
  if (!image || !EncodePngInPlace(*image, png_)) return nullptr;
  return &png_;
}

bool SizeWorker::WritePng(const TWKFILE& doc, float scale, const std::string& path, EdgeFit fit) {
  // Encoded in memory and written beside the target, then renamed over it:
  // a failed write (a full disk) leaves any previous file whole.
  const std::vector<std::uint8_t>* bytes = Png(doc, scale, fit);
  if (!bytes) return false;
  const std::string_view data(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return ReplaceFile(path, data, {}) == ResultCode::kOk;
}

void RunOnSizeWorkers(std::size_t count, const std::function<void(SizeWorker&, std::size_t)>& task,
                      TaskThreads threads) {
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures(count);
  // One pool task per worker: it takes the next index until none is left,
  // so a worker's memory serves every size it takes.
  const std::size_t workers = threads == TaskThreads::kTwo && count > 1 ? 2 : 1;
  TaskPool::Shared().Run(
      workers,
      [&](std::size_t) {
        SizeWorker worker;
        for (std::size_t i = next++; i < count; i = next++) {
          try {
            task(worker, i);
          } catch (...) {
            failures[i] = std::current_exception();
          }
        }
      },
      threads);
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace twk
