#pragma once
// Helpers for the persistence tests: a scratch folder and raw file bytes.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "document/Item.h"

extern "C" void __asan_init() __attribute__((weak));

namespace twk::test {

inline bool AddressSanitizerLinked() { return &__asan_init != nullptr; }

// Runs `body` in a child process limited to 256 MB of address space and
// returns its exit status (a ResultCode as a number, or 100 + the signal),
// so a loader whose memory does not follow the file fails loudly.
template <typename Fn>
int InSmallAddressSpace(Fn&& body) {
  const pid_t child = fork();
  if (child == 0) {
    rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
    _exit(static_cast<int>(body()));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// The visible red line of width 1 from (2.5, 3.5) to (10.5, 12.5) whose
// document is the 354-byte one-line example.
inline TWKDATA RedLine() {
  TWKDATA line;
  line.DrawWidth = 1;
  line.DrawRGBA = -16776961;
  line.Visible = 1;
  line.X1 = line.X2 = line.X3 = 2.5f;
  line.Y1 = line.Y2 = line.Y3 = 3.5f;
  line.X4 = 10.5f;
  line.Y4 = 12.5f;
  return line;
}

// A fresh folder, removed with its contents at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "twk-persist-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Int32Bytes(std::int32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF));
  return out;
}

inline std::int32_t Int32From(const std::string& bytes, std::size_t offset) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(bytes[offset + i]);
  return static_cast<std::int32_t>(u);
}

// A zlib stream of `payload` made independently of the code under test.
inline std::string Compressed(const std::string& payload) {
  uLongf length = compressBound(payload.size());
  std::string out(length, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(payload.data()),
            payload.size(), 6);
  out.resize(length);
  return out;
}

inline std::string Inflated(const std::string& stream, std::size_t length) {
  std::string out(length, '\0');
  uLongf outLength = length;
  if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outLength, reinterpret_cast<const Bytef*>(stream.data()),
                 stream.size()) != Z_OK)
    return "<inflate failed>";
  out.resize(outLength);
  return out;
}

// A tagged container around `stream` announcing payload length `n`.
inline std::string TaggedFile(const std::string& stream, std::int32_t n) {
  return std::string("\x74\x00\x77\x00", 4) + Int32Bytes(static_cast<std::int32_t>(stream.size())) + Int32Bytes(n) +
         stream;
}

// A document file whose payload is `xml`, zero-filled to 64 bytes.
inline std::string DocumentFileWithXml(std::string xml) {
  if (xml.size() < 64) xml.resize(64, '\0');
  return TaggedFile(Compressed(xml), static_cast<std::int32_t>(xml.size()));
}

}  // namespace twk::test
