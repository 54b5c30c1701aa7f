// ICO and ICNS files read back by independent tools (icotool, icns2png):
// every size the format holds, smallest first, each the PNG export's image.

#include <gtest/gtest.h>

#include <filesystem>

#include "export/ExportSizes.h"
#include "export/IconExport.h"
#include "export/PngExport.h"
#include "persist/DocumentFile.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::FileBytes;
using testing::ReadPngFile;
using testing::RunTool;
using testing::ScratchFolder;

TWKFILE StandardIcon() {
  TWKFILE doc;
  EXPECT_EQ(LoadDocumentFile(TARNWICK_BENCH_DATA_DIR "/icon-10.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  return doc;
}

// The PNG export's file of edge n, written into `dir`.
std::string PngExportOf(const TWKFILE& doc, const ScratchFolder& dir, int n) {
  const std::string path = dir / ("png." + std::to_string(n) + ".png");
  EXPECT_TRUE(testing::WritePngFile(doc, path, n / 16.0f));
  return path;
}

TEST(IconFile, IcoHoldsEverySizeUpTo256AsThePngExportsFiles) {
  ScratchFolder dir;
  const TWKFILE doc = StandardIcon();
  ASSERT_TRUE(ExportIconFile(doc, ExportFormat::kIco, dir / "star.ico", SizeSet::FromListMask(0xFFF)));

  const int edges[] = {16, 32, 48, 64, 96, 128, 160, 192, 256};
  std::string listing;
  for (int i = 0; i < 9; ++i) {
    const std::string n = std::to_string(edges[i]);
    listing += "--icon --index=" + std::to_string(i + 1) + " --width=" + n + " --height=" + n +
               " --bit-depth=32 --palette-size=0\n";
  }
  EXPECT_EQ(RunTool("'" ICOTOOL "' -l '" + dir / "star.ico" + "'").out, listing);

  std::filesystem::create_directory(dir / "out");
  ASSERT_EQ(RunTool("'" ICOTOOL "' -x -o '" + dir / "out" + "' '" + dir / "star.ico" + "'").status, 0);
  for (int i = 0; i < 9; ++i) {
    const std::string n = std::to_string(edges[i]);
    const std::string extracted = dir / ("out/star_" + std::to_string(i + 1) + "_" + n + "x" + n + "x32.png");
    EXPECT_EQ(FileBytes(extracted), FileBytes(PngExportOf(doc, dir, edges[i]))) << n;
  }
}

TEST(IconFile, IcnsHoldsTheSizesWithATypeAsThePngExportsFiles) {
  ScratchFolder dir;
  const TWKFILE doc = StandardIcon();
  // 48 and 768 have no ICNS type and are left out.
  ASSERT_TRUE(ExportIconFile(doc, ExportFormat::kIcns, dir / "star.icns", SizeSet::FromListMask(0xFFF)));

  const std::string listed = RunTool("'" ICNS2PNG "' -l '" + dir / "star.icns" + "' 2>/dev/null").out;
  const std::pair<const char*, int> elements[] = {{"icp4", 16},  {"icp5", 32},  {"icp6", 64},  {"ic07", 128},
                                                  {"ic08", 256}, {"ic09", 512}, {"ic10", 1024}};
  for (const auto& [type, edge] : elements) {
    // icns2png names the PNG length of every element; it decodes only the
    // types from 256 pixels up.
    const auto png = FileBytes(PngExportOf(doc, dir, edge));
    const std::string length = std::to_string(png.size());
    const std::string n = std::to_string(edge);
    const std::string line = edge < 256 ? "'" + std::string(type) + "' 0x0 0-bit (" + length + " bytes)"
                                        : "'" + std::string(type) + "' " + n + "x" + n + " 32-bit icon (" +
                                              std::to_string(edge * edge * 4) + " bytes compressed to " + length + ")";
    EXPECT_NE(listed.find(line), std::string::npos) << line << "\n" << listed;
  }
  EXPECT_NE(listed.find("7 elements total"), std::string::npos) << listed;

  ASSERT_EQ(RunTool("'" ICNS2PNG "' -x -o '" + dir.path().string() + "' '" + dir / "star.icns" + "' 2>/dev/null").status, 0);
  for (int edge : {256, 512, 1024}) {
    const std::string n = std::to_string(edge);
    const testing::ReadPng extracted = ReadPngFile(dir / ("star_" + n + "x" + n + "x32.png"));
    const testing::ReadPng exported = ReadPngFile(PngExportOf(doc, dir, edge));
    ASSERT_TRUE(extracted.ok && exported.ok) << n;
    EXPECT_EQ(extracted.rgba, exported.rgba) << n;
  }
}

TEST(IconFile, NothingIsWrittenWithoutASizeTheFormatHolds) {
  ScratchFolder dir;
  const TWKFILE doc = StandardIcon();
  const int only512 = 1 << 9, only48 = 1 << 2;
  EXPECT_FALSE(ExportIconFile(doc, ExportFormat::kIco, dir / "a.ico", SizeSet::FromListMask(only512)));
  EXPECT_FALSE(ExportIconFile(doc, ExportFormat::kIcns, dir / "a.icns", SizeSet::FromListMask(only48)));
  EXPECT_FALSE(ExportIconFile(doc, ExportFormat::kIco, dir / "missing/a.ico", SizeSet::FromListMask(1)));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(IconFile, FormatsSplitTheSizesTheyHold) {
  const SizeSet all = SizeSet::WholeList();
  EXPECT_EQ(SplitSizes(ExportFormat::kIco, all), (FormatSizes{SizeSet::FromListMask(0x1FF), SizeSet::FromListMask(0xE00)}));
  EXPECT_EQ(SplitSizes(ExportFormat::kIcns, all), (FormatSizes{SizeSet::FromListMask(0xB2B), SizeSet::FromListMask(0x4D4)}));
  EXPECT_EQ(SplitSizes(ExportFormat::kPng, all), (FormatSizes{all, SizeSet::FromListMask(0)}));
  EXPECT_EQ(SizeListText(SizeSet::FromListMask(0x4D4)), "48x48, 96x96, 160x160, 192x192, 768x768");
}

}  // namespace
}  // namespace twk
