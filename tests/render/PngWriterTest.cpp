#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <zlib.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
};

std::uint32_t BigEndian(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& png) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<Chunk> chunks;
  if (png.size() < 8 || !std::equal(kSignature, kSignature + 8, png.begin())) return chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian(&png[at]);
    if (at + 12 + length > png.size()) break;
    Chunk c{std::string(png.begin() + at + 4, png.begin() + at + 8), {}};
    c.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
    EXPECT_EQ(BigEndian(&png[at + 8 + length]), crc32(0, &png[at + 4], 4 + length)) << c.type;
    chunks.push_back(std::move(c));
    at += 12 + length;
  }
  return chunks;
}

std::unique_ptr<Image> SampleImage() {
  TWKFILE doc = test::DocumentOf({test::MakeItem(3, 8, 8, 14, 12, PackRGBA(255, 0, 0, 128), 2),
                                  test::MakeItem(2, 1, 1, 6, 6, PackRGBA(0, 90, 200, 255), 1)});
  doc.CData.at(1)->DrawMethod = 1;
  return RenderDocument(doc, 4, 4, RenderArea::kFull);
}

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

TEST(PngFile, HoldsOnlyHeaderDataAndEndWithUnfilteredRows) {
  const auto image = SampleImage();
  const auto png = EncodePng(*image);
  const auto chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  const auto& ihdr = chunks[0].data;
  ASSERT_EQ(ihdr.size(), 13u);
  EXPECT_EQ(BigEndian(&ihdr[0]), 64u);
  EXPECT_EQ(BigEndian(&ihdr[4]), 64u);
  EXPECT_EQ(ihdr[8], 8);   // bit depth
  EXPECT_EQ(ihdr[9], 6);   // RGBA
  EXPECT_EQ(ihdr[10], 0);  // deflate
  EXPECT_EQ(ihdr[11], 0);  // adaptive filtering method
  EXPECT_EQ(ihdr[12], 0);  // no interlace
  const std::size_t rowBytes = 1 + 64 * 4;
  std::vector<std::uint8_t> raw(rowBytes * 64 + 16);
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &rawSize, chunks[1].data.data(), chunks[1].data.size()), Z_OK);
  ASSERT_EQ(rawSize, rowBytes * 64);
  for (int y = 0; y < 64; ++y) EXPECT_EQ(raw[y * rowBytes], 0) << "row " << y;
  EXPECT_EQ(chunks[1].data[0] & 0x0F, 8);        // zlib stream, deflate
  EXPECT_EQ(chunks[1].data[1] >> 6, 3);          // compression level flag: maximum
  // The 1024 x 1024 size also fits one IDAT.
  const auto big = RenderDocument(test::DocumentOf({test::MakeItem(0, 1, 1, 15, 15)}), 64, 64, RenderArea::kFull);
  EXPECT_EQ(Chunks(EncodePng(*big)).size(), 3u);
}

TEST(PngFile, StraightAlphaReadsBackThroughLibpng) {
  auto image = Image::NewTransparent(3, 2);
  TWKDATA box = test::MakeItem(2, -1, -1, 100, 100, PackRGBA(255, 0, 0, 128));
  box.DrawMethod = 1;
  TWKFILE doc = test::DocumentOf({box});
  doc.TWKW = 3, doc.TWKH = 2;
  PaintItems(*image, doc, 1, 1, RenderArea::kDocument, 0, 0);
  const std::string path = TempPath("twk_png_alpha.png");
  ASSERT_TRUE(SavePng(*image, path));
  png_image read{};
  read.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
  read.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
  ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
  EXPECT_EQ(read.width, 3u);
  EXPECT_EQ(read.height, 2u);
  EXPECT_NEAR(pixels[0], 255, 1);
  EXPECT_EQ(pixels[1], 0);
  EXPECT_EQ(pixels[2], 0);
  EXPECT_NEAR(pixels[3], 128, 1);
  std::filesystem::remove(path);
}

TEST(PngFile, EveryAlphaAndChannelUnpremultipliesAsPixelAtDoes) {
  // Row a holds alpha a; column c the premultiplied channel values c, c / 2
  // and 255 - c, so every pair (alpha, value) appears, also value > alpha.
  auto image = Image::NewTransparent(256, 256);
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 256; ++c)
      reinterpret_cast<std::uint32_t*>(image->data() + a * image->stride())[c] =
          (std::uint32_t(a) << 24) | (std::uint32_t(c) << 16) | (std::uint32_t(c / 2) << 8) | std::uint32_t(255 - c);
  image->MarkDirty();
  std::vector<std::uint8_t> idat;
  for (const Chunk& c : Chunks(EncodePng(*image)))
    if (c.type == "IDAT") idat.insert(idat.end(), c.data.begin(), c.data.end());
  std::vector<std::uint8_t> raw(256 * (1 + 256 * 4));
  uLongf rawLength = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &rawLength, idat.data(), idat.size()), Z_OK);
  ASSERT_EQ(rawLength, raw.size());
  int mismatches = 0;
  for (int y = 0; y < 256; ++y) {
    const std::uint8_t* row = &raw[y * (1 + 256 * 4)];
    EXPECT_EQ(row[0], 0);  // filter None
    for (int x = 0; x < 256; ++x) {
      const Rgba want = image->PixelAt(x, y);
      const std::uint8_t* got = row + 1 + 4 * x;
      mismatches += got[0] != want.r || got[1] != want.g || got[2] != want.b || got[3] != want.a;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(PngFile, ReplacesExistingFilesAndFailsCleanly) {
  const std::string path = TempPath("twk_png_replace.png");
  { std::ofstream(path) << "old contents that are not a PNG"; }
  const auto image = SampleImage();
  ASSERT_TRUE(SavePng(*image, path));
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, EncodePng(*image));
  std::filesystem::remove(path);
  EXPECT_FALSE(SavePng(*image, TempPath("no_such_folder_twk/x.png")));
}

TEST(PngFile, AWriteThatFailsPartWayLeavesNoFile) {
  // Limit the size of files this process may write, so the write fails
  // after the first bytes are on disk.
  auto noisy = Image::NewTransparent(256, 256);
  std::uint32_t seed = 12345;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      seed = seed * 1103515245u + 12345u;
      reinterpret_cast<std::uint32_t*>(noisy->data() + y * noisy->stride())[x] = seed | 0xFF000000u;
    }
  noisy->MarkDirty();
  const std::string path = TempPath("twk_png_partial.png");
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = SavePng(*noisy, path);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace twk
