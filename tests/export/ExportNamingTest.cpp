// Size texts, file names, job order and the pure parts of the Export command.

#include <gtest/gtest.h>

#include "export/ExportOperation.h"
#include "export/ExportPlan.h"
#include "export/FileTypes.h"
#include "export/ExportSizes.h"
#include "export/PngExport.h"
#include "export/SizeSet.h"

#include <optional>

namespace twk {
namespace {

TEST(ExportSizes, SizeTextsOfTheTwelveScales) {
  const char* expected[kExportSizeCount] = {"16x16",   "32x32",   "48x48",   "64x64",
                                            "96x96",   "128x128", "160x160", "192x192",
                                            "256x256", "512x512", "768x768", "1024x1024"};
  for (int i = 0; i < kExportSizeCount; ++i) EXPECT_EQ(SizeText(kExportScales[i]), expected[i]) << i;
  // The edge is rounded half to even.
  EXPECT_EQ(SizeText(1.03125f), "16x16");   // 16.5
  EXPECT_EQ(SizeText(1.09375f), "18x18");   // 17.5
  EXPECT_EQ(ExportFileName("/icons/star", 2), "/icons/star.32x32.png");
}

TEST(ExportJobs, MaskGivesLargestFirstAndIgnoresHighBits) {
  const std::vector<ExportJob> jobs = ExportJobsFor("/icons/star", SizeSet::FromListMask(2050));
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].path, "/icons/star.1024x1024.png");
  EXPECT_EQ(jobs[0].scale, 64);
  EXPECT_EQ(jobs[1].path, "/icons/star.32x32.png");
  EXPECT_EQ(jobs[1].scale, 2);

  const std::vector<ExportJob> low = ExportJobsFor("b", SizeSet::FromListMask(static_cast<int>(0xFFFFF000u | 1u)));
  ASSERT_EQ(low.size(), 1u);
  EXPECT_EQ(low[0].path, "b.16x16.png");

  const std::vector<ExportJob> all = ExportJobsFor("b", SizeSet::FromListMask(-1));
  ASSERT_EQ(all.size(), 12u);
  for (std::size_t i = 1; i < all.size(); ++i) EXPECT_GT(all[i - 1].scale, all[i].scale);
  EXPECT_TRUE(ExportJobsFor("b", SizeSet::FromListMask(0)).empty());
}

TEST(ExportJobs, FailureMessageListsEachFailedPngWithItsSizeInOrder) {
  SizeSet big, small, middle;
  big.Add(768), small.Add(16), middle.Add(32);
  const ExportReport report{ExportFormat::kPng,
                            {{"/x/a.768x768.png", big, FileOutcome::kFailed},
                             {"/x/a.32x32.png", middle, FileOutcome::kWritten},
                             {"/x/a.16x16.png", small, FileOutcome::kFailed}},
                            {}};
  EXPECT_EQ(ExportMessages(report),
            (std::vector<ExportMessage>{{ExportMessageKind::kError,
                                         "Something wrong with following files:\r\n\r\n(768x768) : /x/a.768x768.png"
                                         "\r\n(16x16) : /x/a.16x16.png\r\n"}}));
  EXPECT_EQ(ExportFailureMessage(""), "");
}

TEST(ExportPlan, MaskFromCheckedRowsOnly) {
  std::vector<ExportRowChoice> rows;
  for (int i = 0; i < kExportSizeCount; ++i) rows.push_back({i, i == 1 || i == 11});
  EXPECT_EQ(ExportMaskFromRows(rows), 2050);
  for (auto& row : rows) row.checked = false;
  EXPECT_EQ(ExportMaskFromRows(rows), 0);
  // Row data outside the size table sets no bit (bits 12 and up stay clear).
  EXPECT_EQ(ExportMaskFromRows({{12, true}, {-1, true}, {31, true}, {0, true}}), 1);
}

TEST(ExportPlan, PreCheckedRowsFromRecentExport) {
  EXPECT_TRUE(ExportSizeChecked(5, 0));
  EXPECT_FALSE(ExportSizeChecked(5, 1));
  EXPECT_TRUE(ExportSizeChecked(5, 2));
  EXPECT_FALSE(ExportSizeChecked(1 << 12, 12));
  EXPECT_TRUE(ExportSizeChecked(-1, 11));
  for (int i = 0; i < kExportSizeCount; ++i) EXPECT_FALSE(ExportSizeChecked(0, i));
}

TEST(SizeSet, AnOtherSizesListReadsWholeEdgesFrom1To4096) {
  const struct {
    const char* text;
    std::optional<std::vector<int>> edges;  // none: refused
  } cases[] = {
      {"", std::vector<int>{}},         {"  ", std::vector<int>{}},
      {"20, 22,24 ,40", std::vector<int>{20, 22, 24, 40}},
      {"4096,1,1", std::vector<int>{1, 4096}},
      {"0", std::nullopt},              {"4097", std::nullopt},
      {"20,", std::nullopt},            {",20", std::nullopt},
      {"20,,22", std::nullopt},         {"2 0", std::nullopt},
      {"+20", std::nullopt},            {"-20", std::nullopt},
      {"20px", std::nullopt},           {"99999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<SizeSet> read = SizeSet::FromText(c.text);
    ASSERT_EQ(read.has_value(), c.edges.has_value()) << c.text;
    if (read) EXPECT_EQ(read->edges(), *c.edges) << c.text;
  }
  EXPECT_EQ(SizeSet::FromText("40,20")->Text(), "20, 40");
}

TEST(ExportPlan, BaseDropsTheExtension) {
  EXPECT_EQ(ExportBase("/icons/star"), "/icons/star");
  EXPECT_EQ(ExportBase("/icons/star.twk"), "/icons/star");
  EXPECT_EQ(ExportBase("/icons/star.png"), "/icons/star");
  EXPECT_EQ(ExportBase("/icons/a.b.png"), "/icons/a.b");
  EXPECT_EQ(ExportJobsFor(ExportBase("/icons/a.b.png"), SizeSet::FromListMask(2))[0].path, "/icons/a.b.32x32.png");
  // A dot in a folder name is not an extension.
  EXPECT_EQ(ExportBase("/ico.ns/star"), "/ico.ns/star");
}

TEST(LeftOutSizes, TheMessageNamesThemInListOrder) {
  EXPECT_EQ(LeftOutMessage(SizeSet::FromListMask((1 << 9) | (1 << 11)), true),
            "This file type cannot hold these sizes; they were left out:\r\n\r\n512x512, 1024x1024");
}

}  // namespace
}  // namespace twk
