// The oracle: every test SVG, read and exported as PNG at 24 and 48 pixels,
// looks like rsvg-convert's rendering of the same file. The 16 x 16 units
// are the file's viewBox, centred, so the two pictures cover the same
// pixels. Items drawn one by one cost a little where strokes join.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "export/ExportTestSupport.h"
#include "import/SvgReader.h"

namespace twk {
namespace {

using testing::ReadPng;
using testing::ReadPngFile;
using testing::ScratchFolder;

TEST(Fidelity, ExportOfEveryTestSvgMatchesRsvg) {
  ScratchFolder dir;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(TARNWICK_TEST_DATA_DIR "/svg"))
    if (entry.path().extension() == ".svg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 10u);
  double pooled = 0;
  int pictures = 0;
  for (const auto& file : files) {
    const SvgRead read = ReadSvgFile(file.string());
    ASSERT_TRUE(read.ok) << file << ": " << read.error;
    EXPECT_EQ(read.leftOut, "") << file;
    for (const int pixels : {24, 48}) {
      const std::string ours = dir / "ours.png", theirs = dir / "rsvg.png";
      ASSERT_TRUE(testing::WritePngFile(read.doc, ours, pixels / 16.0f));
      const std::string size = std::to_string(pixels);
      ASSERT_EQ(std::system(("'" RSVG_CONVERT "' -w " + size + " -h " + size + " '" + file.string() + "' -o '" +
                             theirs + "'").c_str()), 0);
      const ReadPng a = ReadPngFile(ours), b = ReadPngFile(theirs);
      ASSERT_TRUE(a.ok && b.ok && a.width == pixels && b.width == pixels && a.height == b.height) << file;
      const double mean = testing::Compare(a, b).mean;
      EXPECT_LE(mean, 4.0) << file << " at " << pixels;
      std::printf("%-12s %2d px: %.3f\n", file.stem().c_str(), pixels, mean);
      pooled += mean;
      ++pictures;
    }
  }
  std::printf("pooled mean difference: %.3f over %d pictures\n", pooled / pictures, pictures);
  EXPECT_LE(pooled / pictures, 1.0);
}

}  // namespace
}  // namespace twk
