// libFuzzer target: arbitrary bytes as a document file and as the XML
// payload of one, then the whole export path of whatever loads: rendered at
// 1024 pixels and written as SVG. Under -timeout and the memory limits a
// render or SVG bomb is a finding like a load bomb.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/SvgDocument.h"
#include "fuzz/FuzzFiles.h"
#include "persist/Compression.h"
#include "persist/DocumentFile.h"
#include "render/SceneRenderer.h"

namespace {

using twk::fuzz::Int32Bytes;
using twk::fuzz::MemoryFile;

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
