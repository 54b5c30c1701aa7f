#include "import/FileHead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "import/SvgReader.h"

namespace twk {

std::optional<std::string> ReadFileHead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::string head(kFileHeadBytes, '\0');
  std::size_t got = 0;
  while (ok && got < head.size()) {
    const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  head.resize(got);
  return head;
}

bool FileLooksLikeSvg(const std::string& path) {
  const std::optional<std::string> head = ReadFileHead(path);
  return head && LooksLikeSvg(*head);
}

}  // namespace twk
