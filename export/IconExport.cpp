#include "export/IconExport.h"

#include <new>
#include <string_view>

#include "export/ExportProgress.h"
#include "export/ExportSizes.h"
#include "export/IcnsWriter.h"
#include "export/IcoWriter.h"
#include "export/SizeWorkers.h"
#include "persist/FileAccess.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// One size as the PNG export renders and encodes it; an exception (out of
// memory) leaves the image empty like any other failure.
void RenderOne(SizeWorker& worker, const TWKFILE& doc, int edge, IconImage& image, EdgeFit fit,
               const ExportProgress* progress) {
  image.edge = edge;
  try {
    const std::vector<std::uint8_t>* png = worker.Png(doc, ScaleOfEdge(edge), fit, progress);
    if (png) image.png = *png;
  } catch (const std::bad_alloc&) {
    image.png.clear();
  }
}

}  // namespace

std::vector<IconImage> RenderSizeImages(const TWKFILE& doc, const SizeSet& sizes, EdgeFit fit,
                                        const ExportProgress* progress) {
  const std::vector<int>& edges = sizes.edges();
  std::vector<IconImage> images(edges.size());
  // The sizes are taken from the largest down, so the largest starts first
  // and the small ones fill the other core.
  RunJobs<SizeWorker>(edges.size(), [&](SizeWorker& worker, std::size_t k) {
    const std::size_t at = edges.size() - 1 - k;
    images[at].edge = edges[at];
    if (progress && progress->StopRequested()) return;
    RenderOne(worker, doc, edges[at], images[at], fit, progress);
  });
  return images;
}

std::vector<IconImage> RenderIconImages(const TWKFILE& doc, const SizeSet& sizes, EdgeFit fit) {
  std::vector<IconImage> images = RenderSizeImages(doc, sizes, fit);
  for (const IconImage& image : images) {
    if (image.png.empty()) return {};
  }
  return images;
}

bool ExportIconFile(const TWKFILE& doc, ExportFormat format, const std::string& path, const SizeSet& sizes,
                    EdgeFit fit) {
  if (format != ExportFormat::kIco && format != ExportFormat::kIcns) return false;
  const SizeSet held = SplitSizes(format, sizes).held;
  if (held.empty()) return false;
  const std::vector<IconImage> images = RenderIconImages(doc, held, fit);
  if (images.empty()) return false;
  const std::vector<std::uint8_t> bytes = format == ExportFormat::kIco ? BuildIco(images) : BuildIcns(images);
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ReplaceFile(path, data, {}) == ResultCode::kOk;
}

}  // namespace twk
