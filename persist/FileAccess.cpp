#include "persist/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

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

// A fresh file in `folder` that no one else uses, created exclusively.
FileHandle CreateTemporary(const std::string& folder, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/.tarnwick-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return FileHandle(fd);
    if (errno != EEXIST) break;
  }
  return FileHandle();
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

ResultCode ReplaceFile(const std::string& path, std::string_view part1, std::string_view part2) {
  struct stat info {};
  if (path.empty() || path.back() == '/') return ResultCode::kFileFailed;
  FileHandle old;
  // The new file takes the permission bits of the one it replaces, except
  // that it is writable by its owner (a read-only file is made writable by
  // saving over it).
  mode_t keptMode = 0;
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return ResultCode::kFileFailed;
    keptMode = (info.st_mode & 0777) | S_IWUSR;
    // Hold the old file's lock for the whole save; a file locked by another
    // process is not replaced.
    old = FileHandle(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (old.get() >= 0 && !LockNow(old.get(), LOCK_EX)) return ResultCode::kFileFailed;
  }
  std::string temporary;
  FileHandle file = CreateTemporary(FolderOf(path), temporary);
  if (file.get() < 0) return ResultCode::kFileFailed;
  const bool written = (keptMode == 0 || ::fchmod(file.get(), keptMode) == 0) && LockNow(file.get(), LOCK_EX) && WriteAll(file.get(), part1) && WriteAll(file.get(), part2) &&
                       ::fsync(file.get()) == 0 && ::close(file.release()) == 0;
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ResultCode::kFileFailed;
  }
  // Make the rename itself durable; a failure here no longer endangers data.
  FileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return ResultCode::kOk;
}

WriteCall SetWriteCallForTesting(WriteCall call) { return gWriteCall.exchange(call); }

}  // namespace twk
