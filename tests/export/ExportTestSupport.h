#pragma once
// Test helpers for checking exported files: a scratch folder that removes
// itself, and a PNG reader (libpng) giving straight RGBA pixels and the
// header fields as written.

#include <png.h>
#include <sys/wait.h>

#include <cstdio>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace twk::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("twk-export-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct PngPixel {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct ReadPng {
  bool ok = false;
  int width = 0;
  int height = 0;
  int bitDepth = 0;   // from IHDR, as stored
  int colourType = 0; // from IHDR, as stored
  std::vector<std::string> chunks;  // chunk types in file order
  std::vector<std::uint8_t> rgba;   // straight RGBA, row after row

  PngPixel At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
  }
};

inline std::uint32_t BigEndian32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

inline std::vector<unsigned char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline ReadPng ReadPngFile(const std::string& path) {
  ReadPng out;
  const std::vector<unsigned char> bytes = FileBytes(path);
  if (bytes.size() < 33) return out;
  for (std::size_t at = 8; at + 8 <= bytes.size();) {
    const std::uint32_t length = BigEndian32(&bytes[at]);
    out.chunks.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
    at += 12 + length;
  }
  out.bitDepth = bytes[24];
  out.colourType = bytes[25];

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  out.ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return out;
}

}  // namespace twk::testing

namespace twk::testing {

// Runs a shell command; its standard output, and its exit status.
struct ToolRun {
  int status = -1;
  std::string out;
};
inline ToolRun RunTool(const std::string& command) {
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace twk::testing

namespace twk::testing {

struct Difference {
  double mean = 0;       // mean premultiplied channel difference, of 255
  double farShare = 0;   // share of pixels with a channel more than 64 off
};

// Compares premultiplied values, so that colour under transparent pixels
// does not count.
inline Difference Compare(const ReadPng& a, const ReadPng& b) {
  double sum = 0;
  std::size_t far = 0;
  const std::size_t pixels = a.rgba.size() / 4;
  for (std::size_t i = 0; i < pixels; ++i) {
    int worst = 0;
    for (int c = 0; c < 4; ++c) {
      const int alphaA = a.rgba[i * 4 + 3], alphaB = b.rgba[i * 4 + 3];
      const int va = c == 3 ? alphaA : a.rgba[i * 4 + c] * alphaA / 255;
      const int vb = c == 3 ? alphaB : b.rgba[i * 4 + c] * alphaB / 255;
      sum += std::abs(va - vb);
      worst = std::max(worst, std::abs(va - vb));
    }
    if (worst > 64) ++far;
  }
  return {sum / double(pixels * 4), double(far) / double(pixels)};
}

}  // namespace twk::testing

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::testing {

// One translucent item of every kind the writers must match the renderer
// on: a line or curve across the area, a box, or an ellipse arc (an open one
// when filled, a whole turn otherwise), turned by `angle`.
inline TWKDATA ProbeItem(int type, int method, int ends, float angle, float width = 1.5f) {
  TWKDATA it;
  it.Type = static_cast<std::uint8_t>(type);
  it.DrawMethod = static_cast<std::uint8_t>(method);
  it.DrawMethod2 = static_cast<std::uint8_t>(ends);
  it.DrawWidth = width;
  it.DrawAngle = angle;
  it.DrawRGBA = PackRGBA(200, 40, 90, 190);
  it.Visible = 1;
  it.X1 = 2.5f, it.Y1 = 3.5f, it.X2 = 12.5f, it.Y2 = 1.5f, it.X3 = 3.5f, it.Y3 = 14.5f, it.X4 = 13.5f, it.Y4 = 11.5f;
  if (type == kEllipse) {
    it.X1 = 8, it.Y1 = 8, it.X4 = 13.5f, it.Y4 = 11.5f;  // radii 5.5 and 3.5
    it.X2 = 20, it.Y2 = method == kFill ? 290 : 380;     // an open arc, or a whole turn
  }
  return it;
}

}  // namespace twk::testing

#include "export/PngExport.h"

namespace twk::testing {

// Writes one PNG of `doc` at `scale` to `path` the way the export writes
// each of its files; whether it was written.
inline bool WritePngFile(const TWKFILE& doc, const std::string& path, float scale) {
  return WritePngJobs(doc, {{scale, path}}, nullptr) == std::vector<JobResult>{JobResult::kWritten};
}

}  // namespace twk::testing
