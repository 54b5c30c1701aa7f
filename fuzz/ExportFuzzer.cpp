// libFuzzer target: arbitrary bytes as a document file and as the XML
// payload of one, then the whole export path of whatever loads: rendered at
// 1024 pixels and written as SVG. Under -timeout and the memory limits a
// render or SVG bomb is a finding like a load bomb.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/SvgDocument.h"
#include "persist/Compression.h"
#include "persist/DocumentFile.h"
#include "render/SceneRenderer.h"

namespace {

struct MemoryFile {
  MemoryFile() {
    fd = memfd_create("document", 0);
    if (fd < 0) std::abort();
    path = "/proc/self/fd/" + std::to_string(fd);
  }
  void Set(const std::string& bytes) {
    if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
      std::abort();
  }
  int fd;
  std::string path;
};

std::string Int32Bytes(std::uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}

void LoadAndExport(MemoryFile& file, const std::string& bytes) {
  file.Set(bytes);
  twk::TWKFILE doc;
  if (twk::LoadDocumentFile(file.path, doc, twk::LoadAccess::kShared) != twk::ResultCode::kOk) return;
  auto image = twk::RenderDocument(doc, 64, 64, twk::RenderArea::kFull);
  (void)image;
  const std::string svg = twk::DocumentToSvg(doc, 1024);
  if (svg.size() > twk::kSvgCeiling || svg.find("inf") != std::string::npos || svg.find("nan") != std::string::npos)
    std::abort();  // an SVG past its ceiling or with a number that is not finite
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  LoadAndExport(file, bytes);
  if (!bytes.empty()) {
    std::string stream;
    if (twk::DeflatePayload(bytes, stream) != twk::ResultCode::kOk) return 0;
    LoadAndExport(file, std::string("\x74\x00\x77\x00", 4) + Int32Bytes(static_cast<std::uint32_t>(stream.size())) +
                            Int32Bytes(static_cast<std::uint32_t>(bytes.size())) + stream);
  }
  return 0;
}
