#include "export/IconExport.h"

#include <atomic>
#include <string_view>
#include <system_error>
#include <thread>

#include "export/ExportSizes.h"
#include "export/IcnsWriter.h"
#include "export/IcoWriter.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {

namespace {

// One size as the PNG export renders and encodes it; an exception (out of
// memory) leaves the image empty like any other failure.
void RenderOne(const TWKFILE& doc, int index, IconImage& image) {
  const float scale = kExportScales[static_cast<std::size_t>(index)];
  image.edge = ExportEdge(scale);
  try {
    const std::unique_ptr<Image> picture = RenderDocument(doc, scale, scale, RenderArea::kFull);
    if (picture) image.png = EncodePng(*picture);
  } catch (...) {
    image.png.clear();
  }
}

}  // namespace

std::vector<IconImage> RenderIconImages(const TWKFILE& doc, int mask) {
  std::vector<int> indices;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (mask & (1 << i)) indices.push_back(i);
  }
  std::vector<IconImage> images(indices.size());
  // Two workers take the sizes from the largest down, so the largest
  // starts first and the small ones fill the other core.
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t k = next++; k < indices.size(); k = next++) {
      const std::size_t at = indices.size() - 1 - k;
      RenderOne(doc, indices[at], images[at]);
    }
  };
  std::thread helper;
  if (indices.size() > 1) {
    try {
      helper = std::thread(work);
    } catch (const std::system_error&) {
      // No second thread: this one does all the sizes.
    }
  }
  work();
  if (helper.joinable()) helper.join();
  for (const IconImage& image : images) {
    if (image.png.empty()) return {};
  }
  return images;
}

bool ExportIconFile(const TWKFILE& doc, ExportFormat format, const std::string& path, int mask) {
  if (format != ExportFormat::kIco && format != ExportFormat::kIcns) return false;
  const int held = SplitSizes(format, mask).held;
  if (held == 0) return false;
  const std::vector<IconImage> images = RenderIconImages(doc, held);
  if (images.empty()) return false;
  const std::vector<std::uint8_t> bytes = format == ExportFormat::kIco ? BuildIco(images) : BuildIcns(images);
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ReplaceFile(path, data, {}) == ResultCode::kOk;
}

}  // namespace twk
