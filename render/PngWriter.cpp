#include "render/PngWriter.h"

#include <cairo.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <cstdio>

namespace twk {

namespace {

// Where the encoded bytes go: a file or a memory buffer.
struct Sink {
  std::FILE* file = nullptr;
  std::vector<std::uint8_t>* buffer = nullptr;
  bool failed = false;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
  if (sink->file) {
    if (std::fwrite(data, 1, length, sink->file) != length) sink->failed = true;
  } else {
    sink->buffer->insert(sink->buffer->end(), data, data + length);
  }
  if (sink->failed) png_error(png, "write failed");
}

void FlushBytes(png_structp png) {
  auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
  if (sink->file && std::fflush(sink->file) != 0) sink->failed = true;
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng's default prints its message on stderr before giving up; the
// caller reports the failure in its own words, so only the giving up stays.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// (c * 255 + a / 2) / a as a byte, for alpha a (row) and premultiplied
// channel c (column): the straight value, rounded, without a division per
// pixel.
using UnpremultiplyTable = std::array<std::array<std::uint8_t, 256>, 256>;

const UnpremultiplyTable& Unpremultiply() {
  static const UnpremultiplyTable table = [] {
    UnpremultiplyTable t{};
    for (unsigned a = 1; a < 256; ++a)
      for (unsigned c = 0; c < 256; ++c) t[a][c] = static_cast<std::uint8_t>((c * 255 + a / 2) / a);
    return t;
  }();
  return table;
}

// One row of cairo's premultiplied native-endian ARGB as straight RGBA; `in`
// and `out` may be the same memory (each pixel is read before it is written).
void StraightRow(const std::uint32_t* in, int width, std::uint8_t* out) {
  const UnpremultiplyTable& table = Unpremultiply();
  for (int x = 0; x < width; ++x, out += 4) {
    const std::uint32_t p = in[x];
    const unsigned a = p >> 24;
    const std::array<std::uint8_t, 256>& straight = table[a];  // all zero for a == 0
    out[0] = straight[(p >> 16) & 0xFF];
    out[1] = straight[(p >> 8) & 0xFF];
    out[2] = straight[p & 0xFF];
    out[3] = static_cast<std::uint8_t>(a);
  }
}

// Encodes into `sink`. `row` is scratch space for one RGBA row, made by the
// caller so that no C++ object lives across libpng's longjmp. With `spend`
// (the image's own pixels) each row is turned into straight RGBA where it
// lies and handed to libpng from there instead.
bool Encode(const Image& image, Sink& sink, std::uint8_t* row, std::uint8_t* spend = nullptr) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  const int w = image.width(), h = image.height();
  png_set_write_fn(png, &sink, WriteBytes, FlushBytes);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 9);
  // A buffer as large as the worst deflate output keeps all data in one IDAT
  // (beyond 64 MiB the data is split over several IDAT chunks).
  const uLong raw = static_cast<uLong>(h) * (1 + 4 * static_cast<uLong>(w));
  const uLong bound = compressBound(raw) + 64;
  png_set_compression_buffer_size(png, bound < (1UL << 26) ? bound : (1UL << 26));
  png_write_info(png, info);
  const std::uint8_t* data = image.data();
  for (int y = 0; y < h; ++y) {
    const std::size_t offset = static_cast<std::size_t>(y) * image.stride();
    std::uint8_t* out = spend ? spend + offset : row;
    StraightRow(reinterpret_cast<const std::uint32_t*>(data + offset), w, out);
    png_write_row(png, out);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return !sink.failed;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image) {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * 4);
  Sink sink;
  sink.buffer = &bytes;
  cairo_surface_flush(image.surface());
  if (!Encode(image, sink, row.data())) bytes.clear();
  return bytes;
}

bool EncodePngInPlace(Image& image, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  Sink sink;
  sink.buffer = &bytes;
  cairo_surface_flush(image.surface());
  const bool ok = Encode(image, sink, nullptr, image.data());
  image.MarkDirty();
  if (!ok) bytes.clear();
  return ok;
}

bool SavePng(const Image& image, const std::string& path) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * 4);
  Sink sink;
  sink.file = std::fopen(path.c_str(), "wb");
  if (!sink.file) return false;
  cairo_surface_flush(image.surface());
  bool ok = Encode(image, sink, row.data());
  ok = (std::fclose(sink.file) == 0) && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace twk
