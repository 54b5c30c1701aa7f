#include "cli/LoadInput.h"

#include "import/FileHead.h"
#include "persist/DocumentFile.h"

namespace twk::cli {

LoadedInput LoadInputDocument(const std::string& path, const SvgReadOptions& options) {
  LoadedInput loaded;
  const std::optional<std::string> head = ReadFileHead(path);
  if (!head) {
    loaded.error = "can't read file: " + path;
    return loaded;
  }
  if (LooksLikeSvg(*head)) {
    SvgRead read = ReadSvgFile(path, options);
    if (!read.ok) {
      loaded.error = path + ": " + read.error;
      return loaded;
    }
    loaded.ok = true;
    loaded.doc = std::move(read.doc);
    loaded.leftOut = std::move(read.leftOut);
    return loaded;
  }
  if (LoadDocumentFile(path, loaded.doc, LoadAccess::kShared) == ResultCode::kOk) {
    loaded.ok = true;
    return loaded;
  }
  loaded.doc = TWKFILE{};
  loaded.error = "not a Tarnwick document or SVG image: " + path;
  return loaded;
}

}  // namespace twk::cli
