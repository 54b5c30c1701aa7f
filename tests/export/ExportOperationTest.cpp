// The export operation the editor and the command-line tool share: sizes off
// the export list, the typed result of each file and the messages made from
// it, and the format a chosen name asks for.

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>

#include "export/ExportOperation.h"
#include "export/FileTypes.h"
#include "export/ExportTestSupport.h"

namespace twk {
namespace {

SizeSet Sizes(std::initializer_list<int> edges) {
  SizeSet set;
  for (int edge : edges) set.Add(edge);
  return set;
}

TEST(SizeSet, HoldsWholeEdgesFromOneTo4096SmallestFirst) {
  SizeSet set;
  EXPECT_FALSE(set.Add(0));
  EXPECT_FALSE(set.Add(4097));
  EXPECT_TRUE(set.Add(4096));
  EXPECT_TRUE(set.Add(24));
  EXPECT_TRUE(set.Add(1));
  EXPECT_TRUE(set.Add(24));
  EXPECT_EQ(set.edges(), (std::vector<int>{1, 24, 4096}));
  EXPECT_EQ(Sizes({16, 24, 1024}).ListMask(), 1 | (1 << 11));
}

TEST(ExportFormats, IconFormatsKeepTheirOwnSizesAndSayWhich) {
  EXPECT_EQ(SplitSizes(ExportFormat::kPng, Sizes({1, 24, 4096})), (FormatSizes{Sizes({1, 24, 4096}), {}}));
  EXPECT_EQ(SplitSizes(ExportFormat::kSvg, Sizes({20})), (FormatSizes{Sizes({20}), {}}));
  EXPECT_EQ(SplitSizes(ExportFormat::kIco, Sizes({1, 24, 256, 257})), (FormatSizes{Sizes({1, 24, 256}), Sizes({257})}));
  EXPECT_EQ(SplitSizes(ExportFormat::kIcns, Sizes({24, 64})), (FormatSizes{Sizes({64}), Sizes({24})}));
  EXPECT_EQ(HeldEdgesText(ExportFormat::kIco), "1 to 256");
  EXPECT_EQ(HeldEdgesText(ExportFormat::kIcns), "16, 32, 64, 128, 256, 512 and 1024");
}

TEST(ExportFormats, ATypedKnownExtensionDecidesOverTheListedType) {
  const struct {
    const char* chosen;
    ExportFormat listed;
    ExportFormat written;
  } cases[] = {
      {"/a/name.ico", ExportFormat::kPng, ExportFormat::kIco},
      {"/a/name.ICNS", ExportFormat::kPng, ExportFormat::kIcns},
      {"/a/name.png", ExportFormat::kIco, ExportFormat::kPng},
      {"/a/name", ExportFormat::kIcns, ExportFormat::kIcns},
      {"/a/name.svg", ExportFormat::kIco, ExportFormat::kIco},  // not offered in that window
      {"/a.ico/name", ExportFormat::kPng, ExportFormat::kPng},   // a folder's dot
      {"/a/name.ico.twk", ExportFormat::kPng, ExportFormat::kPng},
  };
  for (const auto& c : cases) EXPECT_EQ(ChosenExportFormat(c.chosen, c.listed), c.written) << c.chosen;
}

TEST(ExportOperation, PngTakesAnySizeAndReportsEachFileLargestFirst) {
  testing::ScratchFolder dir;
  const TWKFILE doc;  // an empty drawing still makes every file
  const std::string base = (dir / "star");
  const ExportReport report = RunExport({doc, Sizes({24, 1}), ExportFormat::kPng, base});
  const ExportReport expected{ExportFormat::kPng,
                              {{base + ".24x24.png", Sizes({24}), FileOutcome::kWritten},
                               {base + ".1x1.png", Sizes({1}), FileOutcome::kWritten}},
                              {}};
  EXPECT_EQ(report, expected);
  EXPECT_EQ(testing::ReadPngFile(base + ".24x24.png").width, 24);
  EXPECT_TRUE(ExportMessages(report).empty());
}

TEST(ExportOperation, AFailedIconWriteIsNotReportedAsSizesThatDoNotFit) {
  testing::ScratchFolder dir;
  const TWKFILE doc;  // an empty drawing still makes every file
  std::filesystem::create_directory(dir / "star.ico");  // the icon's path is a folder
  const ExportReport failed = RunExport({doc, Sizes({16, 1024}), ExportFormat::kIco, dir / "star"});
  EXPECT_EQ(failed.files, (std::vector<ExportedFile>{{dir / "star.ico", Sizes({16}), FileOutcome::kFailed, EISDIR}}));
  EXPECT_EQ(failed.leftOut, Sizes({1024}));
  EXPECT_EQ(ExportMessages(failed),
            (std::vector<ExportMessage>{{ExportMessageKind::kError, "Something wrong with following files:\r\n\r\n" +
                                                                        (dir / "star.ico") + "\r\n"}}));

  // When no checked size fits, nothing is tried and the message says so.
  const ExportReport none = RunExport({doc, Sizes({1024}), ExportFormat::kIco, dir / "other"});
  EXPECT_TRUE(none.files.empty());
  EXPECT_EQ(ExportMessages(none),
            (std::vector<ExportMessage>{
                {ExportMessageKind::kInformation,
                 "No file was written: this file type holds none of the checked sizes:\r\n\r\n1024x1024"}}));
}

TEST(ExportOperation, CountsItsFilesAndAStopStartsNoFurtherFile) {
  testing::ScratchFolder dir;
  const TWKFILE doc;
  ExportProgress counted;
  const ExportReport whole = RunExport({doc, Sizes({16, 32, 48}), ExportFormat::kPng, dir / "whole", &counted});
  EXPECT_FALSE(whole.stopped);
  EXPECT_EQ(counted.done(), 3u);
  EXPECT_EQ(counted.total(), 3u);

  // Stopped before the first file, in each kind of export: nothing written
  // and nothing replaced, and the message says so.
  for (const ExportFormat format :
       {ExportFormat::kPng, ExportFormat::kIco, ExportFormat::kSvg, ExportFormat::kIconSets}) {
    testing::ScratchFolder empty;
    ExportProgress stopped;
    stopped.RequestStop();
    ExportRequest request{doc, Sizes({16, 32}), format, empty / "star", &stopped};
    request.sets = kAllIconSets;
    request.setName = "star";
    const ExportReport report = RunExport(request);
    const std::string folder = format == ExportFormat::kIconSets ? empty / "star" : "";
    EXPECT_EQ(report, (ExportReport{format, {}, {}, folder, true})) << FormatName(format);
    EXPECT_TRUE(std::filesystem::is_empty(empty.path())) << FormatName(format);
    EXPECT_EQ(ExportMessages(report),
              (std::vector<ExportMessage>{
                  {ExportMessageKind::kInformation, "The export was cancelled before any file was written."}}));
  }
}

}  // namespace
}  // namespace twk
