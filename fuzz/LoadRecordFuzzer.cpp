// libFuzzer target: arbitrary bytes through the record file loader, as a
// document (tagged container) and as a configuration (bare container), both
// as the file itself and as the XML payload inside a valid container, and as
// items text from the clipboard. Every document that loads is rendered at
// canvas scale.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/EditorState.h"
#include "fuzz/FuzzFiles.h"
#include "persist/Compression.h"
#include "persist/Config.h"
#include "persist/DocumentFile.h"
#include "persist/ItemClipboard.h"
#include "persist/RecordFile.h"
#include "render/SceneRenderer.h"

namespace {

using twk::fuzz::Int32Bytes;
using twk::fuzz::MemoryFile;

// Wraps fuzz bytes as a well-formed stream so the XML reader sees them too.
std::string Compressed(const std::string& payload) {
  std::string stream;
  if (twk::DeflatePayload(payload, stream) != twk::ResultCode::kOk) stream.clear();
  return stream;
}

void LoadAndRender(MemoryFile& file, const std::string& bytes, twk::Container container) {
  file.Set(bytes);
  twk::TWKFILE doc;
  if (twk::LoadRecordFile(file.path, twk::DocumentDescription(), doc, container) == twk::ResultCode::kOk) {
    auto image = twk::RenderDocument(doc, twk::kUnitPixels, twk::kUnitPixels, twk::RenderArea::kDocument);
    (void)image;
  }
  twk::CONFIG config;
  (void)twk::LoadRecordFile(file.path, twk::ConfigDescription(), config, container);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  LoadAndRender(file, bytes, twk::Container::kTagged);
  LoadAndRender(file, bytes, twk::Container::kBare);
  (void)twk::ItemsFromClipboardText(bytes);

  // The same bytes as the payload of well-formed containers, so the XML
  // reader sees them directly.
  if (!bytes.empty()) {
    const std::string stream = Compressed(bytes);
    const auto n = static_cast<std::uint32_t>(bytes.size());
    LoadAndRender(file, std::string("\x74\x00\x77\x00", 4) + Int32Bytes(static_cast<std::uint32_t>(stream.size())) +
                            Int32Bytes(n) + stream,
                  twk::Container::kTagged);
    LoadAndRender(file, Int32Bytes(n) + stream, twk::Container::kBare);
  }
  return 0;
}
