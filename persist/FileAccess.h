#pragma once
// The file system side of record files: opening a file for one load with
// exclusive access, and replacing a file safely on save.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "persist/ResultCode.h"

namespace twk {

// How a load may open its file. kExclusive is the editor's rule: the file is
// opened for reading and writing and locked, so a read-only file (owner write
// bit absent) or one locked by another process is refused. kShared only reads
// under a shared lock (used by the command-line tool, whose inputs may be
// read-only).
enum class LoadAccess { kExclusive, kShared };

// An open file descriptor closed on destruction (which also drops its lock).
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept : fd_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// Opens `path` for one load. A missing path, anything but a regular file, or
// a file shorter than 4 bytes fails before anything is opened. Returns kOk with
// the open, locked file and its size, or kFileFailed.
[[nodiscard]] ResultCode OpenForLoad(const std::string& path, LoadAccess access, FileHandle& file, std::uint64_t& size);

// Reads exactly `length` bytes at `offset`; false on a short read or error.
bool ReadExactly(int fd, std::uint64_t offset, char* buffer, std::size_t length);

// Replaces the file at `path` with `parts` written one after the other: the
// bytes go to a new file in the same folder, every write is checked, the data
// is flushed to disk and the new file is renamed over the old one. On any
// failure the new file is removed, the old file is left as it was and the
// result is kFileFailed, as for a folder at `path` or a file locked by another
// process. A read-only file at `path` is replaced. The new file keeps the
// owner, group (where the system allows it), permission bits and setgid bit
// of the old one, plus the owner's write bit. A symbolic link at `path` stays:
// the file it leads to is replaced. Only a regular file is replaced: when
// `path` (or the file a link leads to) is a FIFO, a device or anything else,
// the result is kFileFailed and it is not opened. Temporary files in the folder left by
// saves that were killed part-way are removed. Returns kOk on success;
// otherwise errno tells why.
[[nodiscard]] ResultCode ReplaceFile(const std::string& path, std::string_view part1, std::string_view part2);

// ReplaceFile for the name `name` inside the open folder `folder`, for the
// program's own files: the name itself is replaced whatever it is (a link
// there is replaced, never followed), and a new file is made owner-only.
[[nodiscard]] ResultCode ReplaceFileAt(int folder, const std::string& name, std::string_view part1,
                                       std::string_view part2);

// Opens `name` inside the open folder `folder` for reading, without following
// a link and without waiting on a FIFO: a regular file only. An empty handle
// otherwise (errno tells why; EINVAL for a file that is not regular).
FileHandle OpenRegularAt(int folder, const std::string& name, std::uint64_t& size);

// Calls `visit` with the name of every entry of the open folder `folder`
// ("." and ".." included); nothing when it cannot be listed.
void ForEachNameIn(int folder, const std::function<void(const char* name)>& visit);

// The write(2) call ReplaceFile uses; tests swap it to make writing fail.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
// Installs `call` (nullptr restores write(2)) and returns the previous one.
WriteCall SetWriteCallForTesting(WriteCall call);

}  // namespace twk
