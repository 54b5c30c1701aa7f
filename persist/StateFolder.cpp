#include "persist/StateFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace twk {

namespace {

// The absolute `path` with "." and ".." parts worked out by name and empty
// parts dropped, then "/" and `rest`.
std::string NormalUnder(const char* path, const char* rest) {
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  if (normal.back() != '/') normal += '/';
  return normal + rest;
}

// Whether `path` has a "." or ".." part.
bool HasDotPart(const std::string& path) {
  for (std::size_t at = 0; at <= path.size();) {
    const std::size_t slash = std::min(path.find('/', at), path.size());
    const std::string_view part = std::string_view(path).substr(at, slash - at);
    if (part == "." || part == "..") return true;
    at = slash + 1;
  }
  return false;
}

}  // namespace

std::string TarnwickStateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return NormalUnder(state, "tarnwick");
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return NormalUnder(home, ".local/state/tarnwick");
  return {};
}

FolderOpen OpenOwnFolder(int parent, const std::string& name, FileHandle& folder) {
  if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) return FolderOpen::kCannotMake;
  FileHandle opened(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (opened.get() < 0) {
    const bool planted = errno == ELOOP || errno == ENOTDIR;
    return planted ? FolderOpen::kNotOwnFolder : FolderOpen::kCannotMake;
  }
  if (::fstat(opened.get(), &info) != 0) return FolderOpen::kCannotMake;
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) return FolderOpen::kNotOwnFolder;
  folder = std::move(opened);
  return FolderOpen::kOpened;
}

FolderOpen OpenStateFolder(const std::string& path, FileHandle& folder) {
  if (path.size() < 2 || path.front() != '/' || HasDotPart(path)) return FolderOpen::kCannotMake;
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return FolderOpen::kCannotMake;
  }
  return OpenOwnFolder(AT_FDCWD, path, folder);
}

FileHandle HoldLockFileAt(int folder, const std::string& name, bool fresh) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    FileHandle file(::openat(folder, name.c_str(),
                             O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | (fresh ? O_EXCL : 0),
                             0600));
    if (file.get() < 0) return {};
    struct stat held {}, named {};
    if (::fstat(file.get(), &held) != 0 || !S_ISREG(held.st_mode)) {
      errno = EINVAL;
      return {};
    }
    int locked;
    while ((locked = ::flock(file.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    // A file made here that another process locked or removed first (one
    // clearing lock files nobody holds) is lost to it: EEXIST, as for a
    // name that was taken already.
    if (locked != 0) {
      if (fresh) errno = EEXIST;
      return {};
    }
    // Its holder removes a lock file before letting go: the name must still
    // lead to the file locked here.
    if (::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return file;
    if (fresh) {
      errno = EEXIST;
      return {};
    }
  }
  return {};
}

void DropLockFileAt(int folder, const std::string& name, FileHandle& lock) {
  if (lock.get() < 0) return;
  ::unlinkat(folder, name.c_str(), 0);
  lock = FileHandle();
}

std::optional<std::string> ReadSmallFileAt(int folder, const std::string& name, std::size_t ceiling) {
  std::uint64_t size = 0;
  const FileHandle file = OpenRegularAt(folder, name, size);
  if (file.get() < 0 || size > ceiling) return std::nullopt;
  // One byte more than the ceiling shows a file that grew since.
  std::string text(ceiling + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    const ssize_t n = ::read(file.get(), text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got > ceiling) return std::nullopt;
  }
  text.resize(got);
  return text;
}

}  // namespace twk
