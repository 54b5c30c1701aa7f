#include "persist/StateFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace twk {

std::string TarnwickStateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/tarnwick";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/tarnwick";
  return {};
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  for (std::size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileHandle HoldLockFile(const std::string& path, bool fresh) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    FileHandle file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (fresh ? O_EXCL : 0), 0600));
    if (file.get() < 0) return {};
    int locked;
    while ((locked = ::flock(file.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (locked != 0) return {};
    // Its holder removes a lock file before letting go: the name must still
    // lead to the file locked here.
    struct stat held {}, named {};
    if (::fstat(file.get(), &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return file;
    if (fresh) return {};
  }
  return {};
}

void DropLockFile(const std::string& path, FileHandle& lock) {
  if (lock.get() < 0) return;
  ::unlink(path.c_str());
  lock = FileHandle();
}

}  // namespace twk
