#include "persist/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

namespace twk {
namespace {

std::atomic<WriteCall> gWriteCall{nullptr};

ssize_t CallWrite(int fd, const void* data, std::size_t size) {
  const WriteCall call = gWriteCall.load();
  return call ? call(fd, data, size) : ::write(fd, data, size);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = CallWrite(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool LockNow(int fd, int kind) {
  while (::flock(fd, kind | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

constexpr char kTemporaryPrefix[] = ".tarnwick-save-";

// The file a save to `path` replaces: symbolic links are followed (also a
// dangling one, whose target the save creates), so the link stays a link.
std::string SaveTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0) return path;
    const std::string next(target, static_cast<std::size_t>(n));
    path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
  }
  return path;  // a loop of links: rename replaces the last one seen
}

// Removes the temporary files that saves killed part-way left in `folder`:
// those named after a process that no longer runs.
void RemoveStaleTemporaries(int folder) {
  const std::size_t prefix = sizeof kTemporaryPrefix - 1;
  ForEachNameIn(folder, [folder, prefix](const char* name) {
    if (std::strncmp(name, kTemporaryPrefix, prefix) != 0) return;
    char* end = nullptr;
    const long pid = std::strtol(name + prefix, &end, 10);
    if (pid <= 0 || pid > INT_MAX || *end != '-' || pid == ::getpid()) return;
    const std::size_t length = std::strlen(name);
    if (length < 4 || std::strcmp(name + length - 4, ".tmp") != 0) return;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) return;  // its saver may still run
    ::unlinkat(folder, name, 0);
  });
}

// Whether this process saves into the folder named `folder` for the first
// time. Its stale temporaries are removed then and not at every save: an
// export of thousands of files into one folder would otherwise list the
// whole folder once per file.
bool FirstSaveInto(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> seen;
  const std::lock_guard lock(mutex);
  return seen.insert(folder).second;
}

// A fresh file in `folder` that no one else uses, created exclusively; a
// name already taken, even by a link, is passed over.
FileHandle CreateTemporary(int folder, std::string& name, mode_t mode) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = kTemporaryPrefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd >= 0) return FileHandle(fd);
    if (errno != EEXIST) break;
  }
  return FileHandle();
}

// Gives the new file `fd` the owner, group and permission bits (setgid
// included) of the file `old` it replaces, plus the owner's write bit: a
// read-only file is made writable by saving over it. Owner and group are
// kept where the system allows it; failing the bits fails the save.
bool KeepIdentity(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);  // perhaps the group alone
  }
  // After fchown, which clears the set-id bits.
  return ::fchmod(fd, (old.st_mode & (0777 | S_ISGID)) | S_IWUSR) == 0;
}

// Writes `part1` and `part2` to a new file in `folder`, flushes it to disk
// and renames it over `name` (a link of that name is replaced, not
// followed). With `old`, the new file takes its identity. With
// `removeStale`, the temporaries of killed saves are removed first.
ResultCode WriteAndRename(int folder, const std::string& name, const struct stat* old, mode_t mode,
                          std::string_view part1, std::string_view part2, bool removeStale) {
  if (removeStale) RemoveStaleTemporaries(folder);
  std::string temporary;
  FileHandle file = CreateTemporary(folder, temporary, mode);
  if (file.get() < 0) return ResultCode::kFileFailed;
  const bool written = (!old || KeepIdentity(file.get(), *old)) && LockNow(file.get(), LOCK_EX) &&
                       WriteAll(file.get(), part1) && WriteAll(file.get(), part2) && ::fsync(file.get()) == 0 &&
                       ::close(file.release()) == 0;
  if (!written || ::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) {
    const int why = errno;  // the failure, not the clean-up, tells why
    ::unlinkat(folder, temporary.c_str(), 0);
    errno = why;
    return ResultCode::kFileFailed;
  }
  // Make the rename itself durable; a failure here no longer endangers data.
  ::fsync(folder);
  return ResultCode::kOk;
}

}  // namespace

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

ResultCode OpenForLoad(const std::string& path, LoadAccess access, FileHandle& file, std::uint64_t& size) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 4) return ResultCode::kFileFailed;
  const bool exclusive = access == LoadAccess::kExclusive;
  // Read-only means the owner's write bit is absent; checked from the mode
  // because opening for writing would succeed for root regardless.
  if (exclusive && (info.st_mode & S_IWUSR) == 0) return ResultCode::kFileFailed;
  FileHandle opened(::open(path.c_str(), (exclusive ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY));
  if (opened.get() < 0) return ResultCode::kFileFailed;
  if (::fstat(opened.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 4) return ResultCode::kFileFailed;
  if (!LockNow(opened.get(), exclusive ? LOCK_EX : LOCK_SH)) return ResultCode::kFileFailed;
  size = static_cast<std::uint64_t>(info.st_size);
  file = std::move(opened);
  return ResultCode::kOk;
}

bool ReadExactly(int fd, std::uint64_t offset, char* buffer, std::size_t length) {
  while (length > 0) {
    const ssize_t n = ::pread(fd, buffer, length, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    length -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

ResultCode ReplaceFile(const std::string& requested, std::string_view part1, std::string_view part2) {
  if (requested.empty() || requested.back() == '/') return ResultCode::kFileFailed;
  const std::string path = SaveTarget(requested);
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  FileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return ResultCode::kFileFailed;
  struct stat info {};
  FileHandle old;
  bool replacing = false;
  if (::fstatat(folder.get(), name.c_str(), &info, 0) == 0) {
    // Only a regular file is replaced: a folder, a FIFO or a device node
    // (also one a link leads to) is left exactly as it is.
    if (!S_ISREG(info.st_mode)) {
      errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
      return ResultCode::kFileFailed;
    }
    replacing = true;
    // Hold the old file's lock for the whole save; a file locked by another
    // process is not replaced.
    old = FileHandle(::openat(folder.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (old.get() >= 0 && (::fstat(old.get(), &info) != 0 || !S_ISREG(info.st_mode))) return ResultCode::kFileFailed;
    if (old.get() >= 0 && !LockNow(old.get(), LOCK_EX)) return ResultCode::kFileFailed;
  }
  return WriteAndRename(folder.get(), name, replacing ? &info : nullptr, 0666, part1, part2,
                        FirstSaveInto(FolderOf(path)));
}

ResultCode ReplaceFileAt(int folder, const std::string& name, std::string_view part1, std::string_view part2) {
  if (name.empty() || name.find('/') != std::string::npos) return ResultCode::kFileFailed;
  return WriteAndRename(folder, name, nullptr, 0600, part1, part2, true);
}

void ForEachNameIn(int folder, const std::function<void(const char* name)>& visit) {
  const int own = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
  DIR* dir = own >= 0 ? ::fdopendir(own) : nullptr;
  if (!dir) {
    if (own >= 0) ::close(own);
    return;
  }
  ::rewinddir(dir);  // the copy shares its position with `folder`
  while (const dirent* entry = ::readdir(dir)) visit(entry->d_name);
  ::closedir(dir);
}

FileHandle OpenRegularAt(int folder, const std::string& name, std::uint64_t& size) {
  FileHandle file(::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0) return {};
  if (::fstat(file.get(), &info) != 0) return {};
  if (!S_ISREG(info.st_mode)) {
    errno = EINVAL;
    return {};
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return file;
}

WriteCall SetWriteCallForTesting(WriteCall call) { return gWriteCall.exchange(call); }

}  // namespace twk
