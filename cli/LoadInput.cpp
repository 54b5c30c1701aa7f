#include "cli/LoadInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "persist/DocumentFile.h"

namespace twk::cli {
namespace {

// How much of a file's start is looked at to tell an SVG: room for an XML
// declaration, a document type declaration and a licence comment.
constexpr std::size_t kHeadBytes = 64 * 1024;

// The first bytes of the regular file `path`; false when it cannot be read.
bool ReadHead(const std::string& path, std::string& head) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  head.assign(kHeadBytes, '\0');
  std::size_t got = 0;
  while (ok && got < head.size()) {
    const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  head.resize(got);
  return ok;
}

}  // namespace

LoadedInput LoadInputDocument(const std::string& path, const SvgReadOptions& options) {
  LoadedInput loaded;
  std::string head;
  if (!ReadHead(path, head)) {
    loaded.error = "can't read file: " + path;
    return loaded;
  }
  if (LooksLikeSvg(head)) {
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
