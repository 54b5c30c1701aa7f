// Writing the export files: pixels, sizes, order of failures, replacement of
// old files, and the two-thread export giving the same files as one by one.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "document/Colour.h"
#include "export/ExportSizes.h"
#include "export/ExportOperation.h"
#include "export/IconExport.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::FileBytes;
using testing::ReadPngFile;
using testing::ScratchFolder;

TWKDATA FilledRect(float x1, float y1, float x4, float y4, int r, int g, int b, int a) {
  TWKDATA item;
  item.Type = kRect;
  item.DrawMethod = kFill;
  item.DrawWidth = 1;
  item.Visible = 1;
  item.DrawRGBA = PackRGBA(r, g, b, a);
  item.X1 = x1;
  item.Y1 = y1;
  item.X4 = x4;
  item.Y4 = y4;
  return item;
}

// Red box over units 2..6 x 3..8; a half-transparent blue box over 9..13 x
// 9..13 behind it; a hidden green box over everything.
TWKFILE SampleDocument() {
  TWKFILE doc;
  doc.CData.append(FilledRect(2, 3, 6, 8, 255, 0, 0, 255));
  doc.CData.append(FilledRect(9, 9, 13, 13, 0, 0, 255, 128));
  TWKDATA hidden = FilledRect(0, 0, 16, 16, 0, 255, 0, 255);
  hidden.Visible = 0;
  doc.CData.append(hidden);
  return doc;
}

void ExpectNear(const testing::PngPixel& p, int r, int g, int b, int a) {
  EXPECT_NEAR(p.r, r, 2);
  EXPECT_NEAR(p.g, g, 2);
  EXPECT_NEAR(p.b, b, 2);
  EXPECT_NEAR(p.a, a, 2);
}

TEST(PngExport, WritesStraightRgbaPixelsAtEachScale) {
  ScratchFolder dir;
  const TWKFILE doc = SampleDocument();
  for (float scale : {1.0f, 64.0f}) {
    const std::string path = dir / ExportFileName("star", scale);
    ASSERT_TRUE(testing::WritePngFile(doc, path, scale));
    const testing::ReadPng png = ReadPngFile(path);
    ASSERT_TRUE(png.ok) << path;
    const int n = static_cast<int>(16 * scale);
    EXPECT_EQ(png.width, n);
    EXPECT_EQ(png.height, n);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(png.colourType, 6);
    EXPECT_EQ(png.chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    auto at = [&](float ux, float uy) {
      return png.At(static_cast<int>(ux * scale), static_cast<int>(uy * scale));
    };
    ExpectNear(at(4.5f, 5.5f), 255, 0, 0, 255);   // red box
    ExpectNear(at(11.5f, 11.5f), 0, 0, 255, 128);  // half-transparent blue, not premultiplied
    ExpectNear(at(0.5f, 0.5f), 0, 0, 0, 0);        // hidden item not painted
    ExpectNear(at(15.5f, 15.5f), 0, 0, 0, 0);
  }
}

TEST(PngExport, SmallDocumentExportsTheFullSixteenUnits) {
  ScratchFolder dir;
  TWKFILE doc;
  doc.TWKW = 12;
  doc.TWKH = 12;
  doc.CData.append(FilledRect(0, 0, 12, 12, 0, 128, 0, 255));
  doc.CData.append(FilledRect(0, 13, 15, 15, 0, 0, 0, 255));  // reaches into the band
  const std::string path = dir / "small.png";
  ASSERT_TRUE(testing::WritePngFile(doc, path, 1));
  const testing::ReadPng png = ReadPngFile(path);
  ASSERT_TRUE(png.ok);
  ASSERT_EQ(png.width, 16);
  ASSERT_EQ(png.height, 16);
  ExpectNear(png.At(6, 6), 0, 128, 0, 255);
  for (int i = 0; i < 12; ++i) {
    ExpectNear(png.At(12 + i % 4, i), 0, 0, 0, 0);  // band on the right
    ExpectNear(png.At(i, 12), 0, 0, 0, 0);          // band at the bottom
  }
  ExpectNear(png.At(14, 14), 0, 0, 0, 255);  // the item inside the band is painted
}

TEST(PngExport, UnwritableFolderListsEverySizeLargestFirst) {
  ScratchFolder dir;
  {
    std::ofstream(dir / "plain-file") << "x";
  }
  const TWKFILE doc = SampleDocument();
  for (const std::string& base : {dir / "plain-file/star", dir / "missing/star"}) {
    const ExportReport report = RunExport({doc, SizeSet::FromListMask(0xFFF), ExportFormat::kPng, base});
    std::string expected = "Something wrong with following files:\r\n\r\n";
    for (const char* size : {"1024x1024", "768x768", "512x512", "256x256", "192x192", "160x160", "128x128",
                             "96x96", "64x64", "48x48", "32x32", "16x16"}) {
      expected += std::string("(") + size + ") : " + base + "." + size + ".png\r\n";
    }
    EXPECT_EQ(ExportMessages(report), (std::vector<ExportMessage>{{ExportMessageKind::kError, expected}}));
  }
}

TEST(PngExport, FailuresKeepJobOrderAndOtherFilesAreWritten) {
  ScratchFolder dir;
  const TWKFILE doc = SampleDocument();
  const std::vector<ExportJob> jobs = {{64, dir / "a.1024.png"},
                                       {32, dir / "missing/a.512.png"},
                                       {2, dir / "a.32.png"},
                                       {1, dir / "missing/a.16.png"}};
  using enum JobResult;
  EXPECT_EQ(WritePngJobs(doc, jobs, nullptr), (std::vector<JobResult>{kWritten, kFailed, kWritten, kFailed}));
  EXPECT_EQ(ReadPngFile(jobs[0].path).width, 1024);
  EXPECT_EQ(ReadPngFile(jobs[2].path).width, 32);
}

TEST(PngExport, ReplacesExistingFilesAndMatchesOneByOne) {
  ScratchFolder dir;
  const TWKFILE doc = SampleDocument();
  const std::vector<ExportJob> jobs = ExportJobsFor(dir / "par", SizeSet::FromListMask(0xFFF));
  for (const ExportJob& job : jobs) std::ofstream(job.path) << "old contents that are not a PNG";
  EXPECT_EQ(WritePngJobs(doc, jobs, nullptr), std::vector<JobResult>(jobs.size(), JobResult::kWritten));
  for (const ExportJob& job : jobs) {
    // A single file, and the PNG of an image rendered afresh for this size.
    const std::string single = dir / ("one-" + SizeText(job.scale) + ".png");
    ASSERT_TRUE(testing::WritePngFile(doc, single, job.scale));
    EXPECT_EQ(FileBytes(job.path), FileBytes(single)) << job.path;
    const std::vector<std::uint8_t> fresh = EncodePng(*RenderDocument(doc, job.scale, job.scale, RenderArea::kFull));
    EXPECT_EQ(FileBytes(job.path), std::vector<unsigned char>(fresh.begin(), fresh.end())) << job.path;
    const testing::ReadPng png = ReadPngFile(job.path);
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, static_cast<int>(16 * job.scale));
  }
  // No stray files: twelve exports plus twelve single files.
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) count += entry.is_regular_file();
  EXPECT_EQ(count, 24);
}

TEST(PngExport, RepeatedPathIsWrittenInJobOrder) {
  ScratchFolder dir;
  const TWKFILE doc = SampleDocument();
  const std::string path = dir / "same.png";
  EXPECT_EQ(WritePngJobs(doc, {{4, path}, {1, path}}, nullptr), std::vector<JobResult>(2, JobResult::kWritten));
  EXPECT_EQ(ReadPngFile(path).width, 16);  // the later job wins, as one by one
}

// Writes a few bytes, then fails as a full disk does.
ssize_t FullDiskWrite(int fd, const void* data, std::size_t size) {
  static thread_local std::size_t allowed = 0;
  if (size == 0 || allowed > 100) {
    allowed = 0;
    errno = ENOSPC;
    return -1;
  }
  allowed += 1;
  return ::write(fd, data, 1);
}

TEST(FileExport, AFullDiskLeavesThePreviousFileWhole) {
  ScratchFolder dir;
  const TWKFILE first = SampleDocument();
  TWKFILE second = first;
  second.CData.append(FilledRect(0, 0, 16, 16, 0, 255, 0, 255));
  using Export = bool (*)(const TWKFILE&, const std::string&);
  const std::pair<const char*, Export> exports[] = {
      {"a.png", [](const TWKFILE& d, const std::string& p) { return testing::WritePngFile(d, p, 2); }},
      {"a.ico", [](const TWKFILE& d, const std::string& p) { return ExportIconFile(d, ExportFormat::kIco, p, SizeSet::FromListMask(0x3)); }},
      {"a.icns", [](const TWKFILE& d, const std::string& p) { return ExportIconFile(d, ExportFormat::kIcns, p, SizeSet::FromListMask(0x3)); }},
      {"a.svg", [](const TWKFILE& d, const std::string& p) { return WriteSvgFile(d, p, 32) == SvgWrite::kWritten; }},
  };
  for (const auto& [name, exportTo] : exports) {
    const std::string path = dir / name;
    ASSERT_TRUE(exportTo(first, path)) << name;
    const auto before = FileBytes(path);
    const WriteCall previous = SetWriteCallForTesting(FullDiskWrite);
    const bool written = exportTo(second, path);
    SetWriteCallForTesting(previous);
    EXPECT_FALSE(written) << name;
    EXPECT_EQ(FileBytes(path), before) << name;
  }
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) count += entry.is_regular_file();
  EXPECT_EQ(count, 4);  // no temporary file left
}

}  // namespace
}  // namespace twk
