// The icon sets: each set's files and sizes as written, each PNG the PNG
// export of its size, the icon files and JSON files read back by
// independent tools, the Android resource name rule, and what one failed
// file leaves behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "export/ExportOperation.h"
#include "export/IconSetExport.h"
#include "export/IconSetTexts.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::FileBytes;
using testing::ReadPngFile;
using testing::RunTool;
using testing::ScratchFolder;

TWKFILE Shapes() {
  TWKFILE doc;
  EXPECT_EQ(LoadDocumentFile(TARNWICK_TEST_DATA_DIR "/shapes.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  return doc;
}

// Every file under `root`, as paths relative to it.
std::set<std::string> FilesUnder(const std::filesystem::path& root) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), root).string());
  return files;
}

// "16,20,24" as icotool -l lists the entries of an ICO.
std::string IcoEdges(const std::string& path) {
  const testing::ToolRun run = RunTool("'" ICOTOOL "' -l '" + path + "'");
  std::string edges;
  for (std::size_t at = run.out.find("--width="); at != std::string::npos; at = run.out.find("--width=", at + 1)) {
    if (!edges.empty()) edges += ",";
    edges += run.out.substr(at + 8, run.out.find(' ', at) - at - 8);
  }
  return edges;
}

std::string SizesText(const SizeSet& sizes) {
  std::string text;
  for (int edge : sizes.edges()) text += (text.empty() ? "" : ",") + std::to_string(edge);
  return text;
}

TEST(IconSets, EachSetWritesExactlyItsLayoutEveryPngThePngExportOfItsSize) {
  const struct {
    const char* set;
    std::vector<std::pair<std::string, std::string>> files;  // relative path, sizes ("" for text files)
  } cases[] = {
      {"windows", {{"windows/star.ico", "16,20,24,32,40,48,64,256"}}},
      {"apple",
       {{"apple/star.icns", "16,32,64,128,256,512,1024"},
        {"apple/star.iconset/icon_16x16.png", "16"},
        {"apple/star.iconset/icon_16x16@2x.png", "32"},
        {"apple/star.iconset/icon_32x32.png", "32"},
        {"apple/star.iconset/icon_32x32@2x.png", "64"},
        {"apple/star.iconset/icon_128x128.png", "128"},
        {"apple/star.iconset/icon_128x128@2x.png", "256"},
        {"apple/star.iconset/icon_256x256.png", "256"},
        {"apple/star.iconset/icon_256x256@2x.png", "512"},
        {"apple/star.iconset/icon_512x512.png", "512"},
        {"apple/star.iconset/icon_512x512@2x.png", "1024"},
        {"apple/AppIcon.appiconset/star-1024.png", "1024"},
        {"apple/AppIcon.appiconset/Contents.json", ""}}},
      {"android",
       {{"android/res/mipmap-mdpi/ic_launcher.png", "48"},
        {"android/res/mipmap-hdpi/ic_launcher.png", "72"},
        {"android/res/mipmap-xhdpi/ic_launcher.png", "96"},
        {"android/res/mipmap-xxhdpi/ic_launcher.png", "144"},
        {"android/res/mipmap-xxxhdpi/ic_launcher.png", "192"},
        {"android/play_store_512.png", "512"},
        {"android/res/drawable/star.xml", ""}}},
      {"web",
       {{"web/favicon.ico", "16,32,48"},
        {"web/favicon.svg", "16"},
        {"web/apple-touch-icon.png", "180"},
        {"web/icon-192.png", "192"},
        {"web/icon-512.png", "512"},
        {"web/site.webmanifest", ""}}},
      {"linux",
       {{"linux/hicolor/16x16/apps/star.png", "16"},
        {"linux/hicolor/22x22/apps/star.png", "22"},
        {"linux/hicolor/24x24/apps/star.png", "24"},
        {"linux/hicolor/32x32/apps/star.png", "32"},
        {"linux/hicolor/48x48/apps/star.png", "48"},
        {"linux/hicolor/64x64/apps/star.png", "64"},
        {"linux/hicolor/128x128/apps/star.png", "128"},
        {"linux/hicolor/256x256/apps/star.png", "256"},
        {"linux/hicolor/512x512/apps/star.png", "512"},
        {"linux/hicolor/scalable/apps/star.svg", "256"}}},
  };
  const TWKFILE doc = Shapes();
  ScratchFolder dir;
  for (const auto& c : cases) {
    std::string bad;
    ExportRequest request{doc, {}, ExportFormat::kIconSets, dir / c.set};
    request.sets = ParseIconSets(c.set, bad);
    request.setName = "star";
    const ExportReport report = RunExport(request);

    std::vector<std::pair<std::string, std::string>> written;
    for (const ExportedFile& file : report.files) {
      EXPECT_EQ(file.outcome, FileOutcome::kWritten) << file.path;
      written.emplace_back(std::filesystem::relative(file.path, dir / c.set).string(), SizesText(file.sizes));
    }
    EXPECT_EQ(written, c.files) << c.set;
    std::set<std::string> expected;
    for (const auto& [path, sizes] : c.files) expected.insert(path);
    EXPECT_EQ(FilesUnder(dir / c.set), expected) << c.set;

    for (const auto& [relative, sizes] : c.files) {
      const std::string path = dir / c.set + "/" + relative;
      if (relative.ends_with(".png")) {
        const int edge = std::stoi(sizes);
        const std::string plain = dir / ("plain." + sizes + ".png");
        ASSERT_TRUE(testing::WritePngFile(doc, plain, ScaleOfEdge(edge)));
        EXPECT_EQ(FileBytes(path), FileBytes(plain)) << relative;
      } else if (relative.ends_with(".ico")) {
        EXPECT_EQ(IcoEdges(path), sizes) << relative;
      } else if (relative.ends_with(".json") || relative.ends_with(".webmanifest")) {
        // The JSON parses, and every file it names lies beside it.
        const testing::ToolRun run = RunTool(
            "'" PYTHON3 "' -c \"import json,sys; j = json.load(open(sys.argv[1])); "
            "print('\\n'.join(i.get('filename') or i['src'] for i in j.get('images') or j['icons']))\" '" +
            path + "'");
        EXPECT_EQ(run.status, 0) << relative;
        const std::string folder = path.substr(0, path.rfind('/') + 1);
        std::size_t named = 0;
        for (std::size_t at = 0; at < run.out.size(); at = run.out.find('\n', at) + 1, ++named)
          EXPECT_TRUE(std::filesystem::exists(folder + run.out.substr(at, run.out.find('\n', at) - at))) << run.out;
        EXPECT_EQ(named, relative.ends_with(".json") ? 1u : 2u) << run.out;
      } else if (relative.ends_with(".svg")) {
        const std::string svg = DocumentToSvg(doc, std::stoi(sizes));
        EXPECT_EQ(FileBytes(path), std::vector<unsigned char>(svg.begin(), svg.end())) << relative;
      }
    }
  }
  // "all" is every set, into one folder.
  ExportRequest all{doc, {}, ExportFormat::kIconSets, dir / "all"};
  std::string bad;
  all.sets = ParseIconSets("all", bad);
  all.setName = "star";
  EXPECT_EQ(RunExport(all).files.size(), 37u);
  EXPECT_EQ(FilesUnder(dir / "all").size(), 37u);
}

TEST(IconSets, SetNamesParseAsAListAndUnknownOnesAreNamed) {
  const struct {
    const char* list;
    IconSetMask sets;
    const char* bad;
  } cases[] = {
      {"windows", kWindowsSet, ""},
      {"web,linux,web", kWebSet | kLinuxSet, ""},
      {"apple,all", kAllIconSets, ""},
      {"ios", 0, "ios"},
      {"windows,", 0, ""},
      {"windows,,web", 0, ""},
      {"Windows", 0, "Windows"},
  };
  for (const auto& c : cases) {
    std::string bad = "?";
    EXPECT_EQ(ParseIconSets(c.list, bad), c.sets) << c.list;
    if (!c.sets) EXPECT_EQ(bad, c.bad) << c.list;
  }
}

TEST(IconSets, AndroidResourceNamesAreLowerCaseLettersDigitsAndUnderscores) {
  const std::pair<const char*, const char*> cases[] = {
      {"star", "star"},
      {"My Icon-2", "my_icon_2"},
      {"2fast", "ic_2fast"},
      {"a.b\"c", "a_b_c"},
      {"Café", "caf_"},  // one character of two bytes, one "_"
      {"_x", "_x"},
      {"", "ic_"},
  };
  for (const auto& [name, res] : cases) EXPECT_EQ(AndroidResourceName(name), res) << name;
}

TEST(IconSets, TheJsonFilesParseAndKeepAnyNameExactly) {
  ScratchFolder dir;
  // Quotes, a backslash, a control character and a byte that is not UTF-8.
  const std::string name = "my \"best\" \\ icon\x01 \xE2\x9C\x93 \xFF";
  const std::string kept = "my \"best\" \\ icon\x01 \xE2\x9C\x93 \xEF\xBF\xBD";  // U+FFFD for the stray byte
  const struct {
    std::string json;
    std::string read;  // a Python expression of `j`, the parsed file
    std::string expected;
  } cases[] = {
      {AppIconContentsJson(name + ".png"),
       "j['images'][0]['filename'] + '|' + j['images'][0]['size'] + '|' + j['images'][0]['idiom']",
       kept + ".png|1024x1024|universal"},
      {WebManifestJson(name),
       "j['name'] + '|' + '|'.join(i['src'] + ' ' + i['sizes'] + ' ' + i['type'] for i in j['icons'])",
       kept + "|icon-192.png 192x192 image/png|icon-512.png 512x512 image/png"},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / "file.json", std::ios::binary) << c.json;
    const testing::ToolRun run = RunTool("'" PYTHON3 "' -c \"import json,sys; j = json.load(open(sys.argv[1], "
                                         "encoding='utf-8')); sys.stdout.buffer.write((" + c.read +
                                         ").encode('utf-8'))\" '" + dir / "file.json" + "'");
    EXPECT_EQ(run.status, 0) << c.json;
    EXPECT_EQ(run.out, c.expected) << c.json;
  }
}

TEST(IconSets, AFailedFileLeavesTheOthersWrittenAndNoPartOfItself) {
  const TWKFILE doc = Shapes();
  ScratchFolder dir;
  // The favicon's path is taken by a folder: it fails, the rest is written,
  // and no temporary file is left beside it.
  std::filesystem::create_directories(dir / "out/web/favicon.ico");
  ExportRequest request{doc, {}, ExportFormat::kIconSets, dir / "out"};
  request.sets = kWebSet | kWindowsSet;
  request.setName = "star";
  const ExportReport report = RunExport(request);
  std::vector<std::string> failed;
  for (const ExportedFile& file : report.files)
    if (file.outcome != FileOutcome::kWritten) failed.push_back(file.path);
  EXPECT_EQ(failed, std::vector<std::string>{dir / "out/web/favicon.ico"});
  EXPECT_EQ(FilesUnder(dir.path() / "out"),
            (std::set<std::string>{"windows/star.ico", "web/favicon.svg", "web/apple-touch-icon.png",
                                   "web/icon-192.png", "web/icon-512.png", "web/site.webmanifest"}));
  EXPECT_EQ(ExportMessages(report),
            (std::vector<ExportMessage>{{ExportMessageKind::kError, "Something wrong with following files:\r\n\r\n" +
                                                                        dir / "out/web/favicon.ico\r\n"}}));

  // A folder inside a missing one is not made: every file fails, none is
  // left anywhere.
  request.base = dir / "missing/out";
  const ExportReport none = RunExport(request);
  EXPECT_EQ(none.files.size(), 7u);
  EXPECT_TRUE(std::all_of(none.files.begin(), none.files.end(),
                          [](const ExportedFile& f) { return f.outcome == FileOutcome::kFailed; }));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

  // Written without a failure, the sets say how many files went where.
  request.base = dir / "again";
  EXPECT_EQ(ExportMessages(RunExport(request)),
            (std::vector<ExportMessage>{{ExportMessageKind::kInformation,
                                         "The icon sets were written: 7 files in\r\n\r\n" + dir / "again"}}));
}

TEST(IconSets, TheDrawingIsNamedAfterItsDocumentOrElseItsFolder) {
  EXPECT_EQ(IconSetDrawingName("/a/star.v2.twk", "/out/x"), "star.v2");
  EXPECT_EQ(IconSetDrawingName("", "/out/My Icons/"), "My Icons");
  EXPECT_EQ(IconSetDrawingName("", "/"), "icon");
}

}  // namespace
}  // namespace twk
