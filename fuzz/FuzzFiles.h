#pragma once
// What the fuzz targets share: one in-memory file reused for every input,
// reached through /proc, and the little-endian integers of file headers.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace twk::fuzz {

struct MemoryFile {
  MemoryFile() {
    fd = memfd_create("record", 0);
    if (fd < 0) std::abort();
    path = "/proc/self/fd/" + std::to_string(fd);
  }
  void Set(const std::string& bytes) {
    if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
      std::abort();
  }
  int fd;
  std::string path;
};

inline std::string Int32Bytes(std::uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}

}  // namespace twk::fuzz
