#include <gtest/gtest.h>
#include <sys/stat.h>

#include "PersistTestSupport.h"
#include "document/Colour.h"
#include "persist/Config.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

using test::ScratchDir;

CONFIG SampleConfig() {
  CONFIG config;
  config.valid = 1;
  for (int i = 0; i < 24; ++i) config.Palette.push_back(i == 0 ? 0 : i == 1 ? 16777215 : i == 2 ? 8421504 : i * 4099);
  config.RecentFile = "/art/house & <co>.twk";
  config.RecentExport = 5;
  config.HideMarks = 1;
  config.FitEdges = 1;
  config.OtherSizes = "20, 22";
  config.IconGround = PackRGBA(0x20, 0x40, 0x80, 255);
  return config;
}

TEST(ConfigFile, WritesTheDescribedText) {
  ScratchDir dir;
  const std::string path = dir.File("Tarnwick.cfg");
  const CONFIG config = SampleConfig();
  ASSERT_EQ(SaveConfiguration(config, path), ResultCode::kOk);
  const std::string file = test::ReadBytes(path);
  const std::int32_t n = test::Int32From(file, 0);
  const std::string text = test::Inflated(file.substr(4), static_cast<std::size_t>(n));
  EXPECT_EQ(text.size(), static_cast<std::size_t>(n));  // longer than 64: no zero fill
  EXPECT_EQ(text, RecordToXml(ConfigDescription(), &config));
  EXPECT_EQ(text.rfind("<CONFIG><valid>1</valid><Palette><element>0</element><element>16777215</element>"
                       "<element>8421504</element><element>12297</element>",
                       0),
            0u)
      << text;
  const std::string end =
      "<element>94277</element></Palette><RecentFile>/art/house &amp; &lt;co&gt;.twk</RecentFile>"
      "<RecentExport>5</RecentExport><HideMarks>1</HideMarks><FitEdges>1</FitEdges>"
      "<OtherSizes>20, 22</OtherSizes><IconGround>-8372192</IconGround></CONFIG>";
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

TEST(ConfigFile, RoundTripsEveryField) {
  ScratchDir dir;
  const std::string path = dir.File("Tarnwick.cfg");
  const CONFIG config = SampleConfig();
  ASSERT_EQ(SaveConfiguration(config, path), ResultCode::kOk);
  CONFIG read;
  read.Palette = {1, 2, 3};
  ASSERT_EQ(LoadConfiguration(read, path), ResultCode::kOk);
  EXPECT_EQ(read.valid, 1);
  EXPECT_EQ(read.Palette, config.Palette);  // stored order kept
  EXPECT_EQ(read.RecentFile, config.RecentFile);
  EXPECT_EQ(read.RecentExport, 5);
  EXPECT_EQ(read.HideMarks, 1);
  EXPECT_EQ(read.FitEdges, 1);
  EXPECT_EQ(read.OtherSizes, "20, 22");
  EXPECT_EQ(read.IconGround, config.IconGround);
}

TEST(ConfigFile, FailuresLeaveTheRecordAsItWas) {
  ScratchDir dir;
  CONFIG config = SampleConfig();
  EXPECT_EQ(LoadConfiguration(config, dir.File("Tarnwick.cfg")), ResultCode::kFileFailed);  // first run
  EXPECT_EQ(config.RecentExport, 5);
  const std::string documentLike = test::DocumentFileWithXml("<CONFIG><valid>1</valid></CONFIG>");
  test::WriteBytes(dir.File("Tarnwick.cfg"), documentLike);  // has a tag instead of N
  EXPECT_NE(LoadConfiguration(config, dir.File("Tarnwick.cfg")), ResultCode::kOk);
  EXPECT_EQ(config.Palette.size(), 24u);
}

TEST(ConfigFile, MissingElementsTakeStartValues) {
  ScratchDir dir;
  std::string xml = "<CONFIG><Palette><element>$FF</element><element>-1</element></Palette></CONFIG>";
  test::WriteBytes(dir.File("Tarnwick.cfg"),
                   test::Int32Bytes(static_cast<std::int32_t>(xml.size())) + test::Compressed(xml));
  CONFIG config = SampleConfig();
  ASSERT_EQ(LoadConfiguration(config, dir.File("Tarnwick.cfg")), ResultCode::kOk);
  EXPECT_EQ(config.valid, 0);
  EXPECT_EQ(config.Palette, (std::vector<std::int32_t>{255, -1}));
  EXPECT_EQ(config.RecentFile, "");
  EXPECT_EQ(config.RecentExport, 0);
  EXPECT_EQ(config.HideMarks, 0);  // a file from before H shows the marks
  EXPECT_EQ(config.FitEdges, 0);   // nor did it fit edges
  EXPECT_EQ(config.OtherSizes, "");  // nor had other sizes
  EXPECT_EQ(config.IconGround, 0);  // nor had it a ground colour for icons
}

TEST(ConfigFile, ReadOnlyFileIsNotReadButReplaced) {
  ScratchDir dir;
  const std::string path = dir.File("Tarnwick.cfg");
  CONFIG stored = SampleConfig();
  stored.RecentExport = 2050;
  ASSERT_EQ(SaveConfiguration(stored, path), ResultCode::kOk);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  CONFIG config;
  EXPECT_EQ(LoadConfiguration(config, path), ResultCode::kFileFailed);
  EXPECT_EQ(config.RecentExport, 0);
  EXPECT_TRUE(config.Palette.empty());
  config = SampleConfig();
  config.RecentExport = 7;
  ASSERT_EQ(SaveConfiguration(config, path), ResultCode::kOk);
  CONFIG read;
  ASSERT_EQ(LoadConfiguration(read, path), ResultCode::kOk);
  EXPECT_EQ(read.RecentExport, 7);
}

TEST(ConfigFile, DefaultPathIsTheWorkingDirectory) {
  ScratchDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  CONFIG config = SampleConfig();
  const ResultCode saved = SaveConfiguration(config);
  CONFIG read;
  const ResultCode loaded = LoadConfiguration(read);
  std::filesystem::current_path(previous);
  EXPECT_EQ(saved, ResultCode::kOk);
  EXPECT_EQ(loaded, ResultCode::kOk);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tarnwick.cfg"));
  EXPECT_EQ(read.RecentFile, config.RecentFile);
}

}  // namespace
}  // namespace twk
