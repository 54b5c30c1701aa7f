// The icon sets: each set's files and sizes as written, each PNG the PNG
// export of its size, the icon files and JSON files read back by
// independent tools, the Android resource name rule, and what one failed
// file leaves behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <cmath>
#include <tuple>
#include <filesystem>
#include <fstream>
#include <set>

#include "export/ExportOperation.h"
#include "export/GroundColour.h"
#include "export/IconSetExport.h"
#include "export/IconSetTexts.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::FileBytes;
using testing::PngPixel;
using testing::ReadPng;
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

// How a set's picture shows the drawing: "" the PNG export of its size;
// else the edge the drawing spans, centred, and "clear" (on a transparent
// ground), "opaque" (on the ground colour) or "grey" (clear, in greys).
struct Row {
  std::string path, sizes, look;
};

constexpr PngPixel kGround{0x20, 0x40, 0x80, 255};

// The greatest channel difference between a set's picture and the plain
// export `plain` of its drawing laid out as `look` says.
int PlacedDifference(const ReadPng& set, const ReadPng& plain, const std::string& look) {
  const int span = std::stoi(look), offset = (set.width - span) / 2;
  int worst = plain.width == span ? 0 : 255;
  for (int y = 0; y < set.height; ++y) {
    for (int x = 0; x < set.width; ++x) {
      const bool inside = x >= offset && x < offset + span && y >= offset && y < offset + span;
      const PngPixel s = inside ? plain.At(x - offset, y - offset) : PngPixel{};
      PngPixel e = s;
      if (look.ends_with("opaque")) {
        const auto over = [&](int c, int g) { return (c * s.a + g * (255 - s.a) + 127) / 255; };
        e = {std::uint8_t(over(s.r, kGround.r)), std::uint8_t(over(s.g, kGround.g)), std::uint8_t(over(s.b, kGround.b)), 255};
      } else if (look.ends_with("grey")) {
        const auto g = std::uint8_t(std::lround(0.2126 * s.r + 0.7152 * s.g + 0.0722 * s.b));
        e = {g, g, g, s.a};
      }
      const PngPixel w = set.At(x, y);
      if (look.ends_with("grey") && (w.r != w.g || w.g != w.b)) return 255;
      // Straight colour is only as exact as its alpha is large.
      const bool colour = e.a >= (look.ends_with("clear") ? 1 : 128);
      for (const auto& [a, b] : {std::pair{w.r, e.r}, {w.g, e.g}, {w.b, e.b}, {w.a, e.a}})
        if (colour || &a == &w.a) worst = std::max(worst, std::abs(int(a) - int(b)));
    }
  }
  return worst;
}

TEST(IconSets, EachSetWritesExactlyItsLayoutEveryPngThePngExportOfItsPicture) {
  std::vector<Row> windows = {{"windows/star.ico", "16,20,24,32,40,48,64,256", ""}};
  for (int n : {16, 20, 24, 30, 32, 36, 40, 48, 60, 64, 72, 80, 96, 256})
    for (const char* form : {"", "_altform-unplated", "_altform-lightunplated"})
      windows.push_back({"windows/msix/Square44x44Logo.targetsize-" + std::to_string(n) + form + ".png", std::to_string(n), ""});
  const std::vector<Row> logos = {
      {"Square44x44Logo.scale-100.png", "44", ""},           {"Square44x44Logo.scale-125.png", "55", ""},
      {"Square44x44Logo.scale-150.png", "66", ""},           {"Square44x44Logo.scale-200.png", "88", ""},
      {"Square44x44Logo.scale-400.png", "176", ""},          {"Square150x150Logo.scale-100.png", "150", "74 clear"},
      {"Square150x150Logo.scale-125.png", "188", "94 clear"}, {"Square150x150Logo.scale-150.png", "225", "111 clear"},
      {"Square150x150Logo.scale-200.png", "300", "150 clear"}, {"Square150x150Logo.scale-400.png", "600", "300 clear"},
      {"StoreLogo.scale-100.png", "50", ""},                 {"StoreLogo.scale-125.png", "63", ""},
      {"StoreLogo.scale-150.png", "75", ""},                 {"StoreLogo.scale-200.png", "100", ""},
      {"StoreLogo.scale-400.png", "200", ""},                {"manifest-snippet.xml", "", ""}};
  for (const Row& logo : logos) windows.push_back({"windows/msix/" + logo.path, logo.sizes, logo.look});
  const struct {
    const char* set;
    std::vector<Row> files;
  } cases[] = {
      {"windows", windows},
      {"apple",
       {{"apple/star.icns", "16,32,64,128,256,512,1024", ""},
        {"apple/star.iconset/icon_16x16.png", "16", ""},
        {"apple/star.iconset/icon_16x16@2x.png", "32", ""},
        {"apple/star.iconset/icon_32x32.png", "32", ""},
        {"apple/star.iconset/icon_32x32@2x.png", "64", ""},
        {"apple/star.iconset/icon_128x128.png", "128", ""},
        {"apple/star.iconset/icon_128x128@2x.png", "256", ""},
        {"apple/star.iconset/icon_256x256.png", "256", ""},
        {"apple/star.iconset/icon_256x256@2x.png", "512", ""},
        {"apple/star.iconset/icon_512x512.png", "512", ""},
        {"apple/star.iconset/icon_512x512@2x.png", "1024", ""},
        {"apple/AppIcon.appiconset/star-1024.png", "1024", "818 opaque"},
        {"apple/AppIcon.appiconset/star-1024-dark.png", "1024", "818 clear"},
        {"apple/AppIcon.appiconset/star-1024-tinted.png", "1024", "818 grey"},
        {"apple/AppIcon.appiconset/Contents.json", "", ""}}},
      {"android",
       {{"android/res/mipmap-mdpi/ic_launcher.png", "48", ""},
        {"android/res/mipmap-hdpi/ic_launcher.png", "72", ""},
        {"android/res/mipmap-xhdpi/ic_launcher.png", "96", ""},
        {"android/res/mipmap-xxhdpi/ic_launcher.png", "144", ""},
        {"android/res/mipmap-xxxhdpi/ic_launcher.png", "192", ""},
        {"android/play_store_512.png", "512", ""},
        {"android/res/drawable/star.xml", "", ""},
        {"android/res/mipmap-anydpi-v26/ic_launcher.xml", "", ""},
        {"android/res/mipmap-anydpi-v26/ic_launcher_round.xml", "", ""},
        {"android/res/drawable/ic_launcher_foreground.xml", "", ""},
        {"android/res/drawable/ic_launcher_monochrome.xml", "", ""},
        {"android/res/values/ic_launcher_background.xml", "", ""}}},
      {"web",
       {{"web/favicon.ico", "16,32,48", ""},
        {"web/favicon.svg", "16", ""},
        {"web/apple-touch-icon.png", "180", "144 opaque"},
        {"web/icon-192.png", "192", ""},
        {"web/icon-512.png", "512", ""},
        {"web/icon-maskable-192.png", "192", "108 opaque"},
        {"web/icon-maskable-512.png", "512", "288 opaque"},
        {"web/site.webmanifest", "", ""},
        {"web/head.html", "", ""}}},
      {"linux",
       {{"linux/hicolor/16x16/apps/star.png", "16", ""},
        {"linux/hicolor/22x22/apps/star.png", "22", ""},
        {"linux/hicolor/24x24/apps/star.png", "24", ""},
        {"linux/hicolor/32x32/apps/star.png", "32", ""},
        {"linux/hicolor/48x48/apps/star.png", "48", ""},
        {"linux/hicolor/64x64/apps/star.png", "64", ""},
        {"linux/hicolor/128x128/apps/star.png", "128", ""},
        {"linux/hicolor/256x256/apps/star.png", "256", ""},
        {"linux/hicolor/512x512/apps/star.png", "512", ""},
        {"linux/hicolor/scalable/apps/star.svg", "256", ""},
        {"linux/hicolor/symbolic/apps/star-symbolic.svg", "16", ""}}},
  };
  const TWKFILE doc = Shapes();
  ScratchFolder dir;
  std::size_t total = 0;
  for (const auto& c : cases) {
    std::string bad;
    ExportRequest request{doc, {}, ExportFormat::kIconSets, dir / c.set};
    request.sets = ParseIconSets(c.set, bad);
    request.setName = "star";
    request.ground = PackRGBA(kGround.r, kGround.g, kGround.b, 255);
    const ExportReport report = RunExport(request);

    std::vector<std::pair<std::string, std::string>> written, expectedFiles;
    for (const ExportedFile& file : report.files) {
      EXPECT_EQ(file.outcome, FileOutcome::kWritten) << file.path;
      written.emplace_back(std::filesystem::relative(file.path, dir / c.set).string(), SizesText(file.sizes));
    }
    std::set<std::string> expected;
    for (const Row& row : c.files) {
      expected.insert(row.path);
      expectedFiles.emplace_back(row.path, row.sizes);
    }
    EXPECT_EQ(written, expectedFiles) << c.set;
    EXPECT_EQ(FilesUnder(dir / c.set), expected) << c.set;
    total += expected.size();

    for (const auto& [relative, sizes, look] : c.files) {
      const std::string path = dir / c.set + "/" + relative;
      if (relative.ends_with(".png")) {
        // The plain export of the drawing at the size it spans.
        const std::string span = look.empty() ? sizes : look.substr(0, look.find(' '));
        const std::string plain = dir / ("plain." + span + ".png");
        ASSERT_TRUE(testing::WritePngFile(doc, plain, ScaleOfEdge(std::stoi(span))));
        if (look.empty()) {
          EXPECT_EQ(FileBytes(path), FileBytes(plain)) << relative;
        } else {
          const ReadPng set = ReadPngFile(path);
          ASSERT_EQ(set.width, std::stoi(sizes)) << relative;
          EXPECT_LE(PlacedDifference(set, ReadPngFile(plain), look), look.ends_with("clear") ? 0 : 2) << relative;
        }
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
        EXPECT_EQ(named, relative.ends_with(".json") ? 3u : 4u) << run.out;
      } else if (relative.ends_with("-symbolic.svg")) {
        // Drawn by an independent renderer: the drawing, in one colour.
        const std::string png = dir / "symbolic.png";
        ASSERT_EQ(RunTool("'" RSVG_CONVERT "' '" + path + "' -o '" + png + "'").status, 0);
        const ReadPng symbolic = ReadPngFile(png);
        std::set<std::tuple<int, int, int>> colours;
        for (int y = 0; y < symbolic.height; ++y)
          for (int x = 0; x < symbolic.width; ++x)
            if (const PngPixel p = symbolic.At(x, y); p.a == 255) colours.insert({p.r, p.g, p.b});
        EXPECT_EQ(colours, (std::set<std::tuple<int, int, int>>{{0xBE, 0xBE, 0xBE}}));
        // Under the desktop's recolouring stylesheet, which fills every path,
        // outlines stay outlines: the same pixels are covered.
        const std::vector<unsigned char> file = FileBytes(path);
        std::string recoloured(file.begin(), file.end());
        recoloured.insert(recoloured.find(">\n", recoloured.find("<svg")) + 2,
                          "<style>rect,circle,path { fill: #2e3436 !important; }</style>\n");
        std::ofstream(dir / "recoloured.svg") << recoloured;
        ASSERT_EQ(RunTool("'" RSVG_CONVERT "' '" + dir / "recoloured.svg" + "' -o '" + png + "'").status, 0);
        const ReadPng desktop = ReadPngFile(png);
        for (std::size_t i = 3; i < desktop.rgba.size(); i += 4) ASSERT_EQ(desktop.rgba[i], symbolic.rgba[i]) << i;
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
  EXPECT_EQ(RunExport(all).files.size(), total);
  EXPECT_EQ(FilesUnder(dir / "all").size(), total);
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

TEST(IconSets, TheTextFilesParseAndNameTheGroundAndFilesThatAreThere) {
  const TWKFILE doc = Shapes();
  ScratchFolder dir;
  ExportRequest request{doc, {}, ExportFormat::kIconSets, dir / "out"};
  request.sets = kAllIconSets;
  request.setName = "star";
  request.ground = PackRGBA(0x20, 0x40, 0x80, 255);
  ASSERT_FALSE(RunExport(request).AnyFailed());
  // Each file read by Python's JSON and XML (expat) parsers into one line:
  // what a platform's tools take from it, "+" for each file it names that
  // is there (an msix logo is there at scale 100).
  const char* script =
      "import json, os, re, sys, xml.etree.ElementTree as E\n"
      "p = sys.argv[1]; d = os.path.dirname(p)\n"
      "there = lambda f: '+' if os.path.exists(os.path.join(d, f)) else '-'\n"
      "if p.endswith('.webmanifest'):\n"
      "  j = json.load(open(p))\n"
      "  print(j['short_name'], j['start_url'], j['display'], j['background_color'], j['theme_color'],\n"
      "        *(i['src'] + ' ' + i['purpose'] + there(i['src']) for i in j['icons']))\n"
      "elif p.endswith('.html'):\n"
      "  print(*(r + ' ' + h + there(h[1:]) for r, h in re.findall('rel=\"([^\"]+)\" href=\"([^\"]+)\"', open(p).read())))\n"
      "else:\n"
      "  for e in E.parse(p).getroot().iter():\n"
      "    for k, v in sorted(e.attrib.items()):\n"
      "      if 'Logo' in k: print(k.split('}')[-1], v + there(v[7:-4] + '.scale-100.png'), end=' ')\n"
      "      if k.endswith('drawable'): print(e.tag, v, end=' ')\n"
      "    if e.text and e.text.strip(): print(e.tag.split('}')[-1], e.text + there(e.text[7:-4] + '.scale-100.png'), end=' ')\n"
      "  print()\n";
  std::ofstream(dir / "read.py") << script;
  const std::string adaptive = "background @color/ic_launcher_background foreground @drawable/ic_launcher_foreground "
                               "monochrome @drawable/ic_launcher_monochrome \n";
  const std::pair<std::string, std::string> cases[] = {
      {"web/site.webmanifest", "star / standalone #204080 #204080 icon-192.png any+ icon-512.png any+ "
                               "icon-maskable-192.png maskable+ icon-maskable-512.png maskable+\n"},
      {"web/head.html", "icon /favicon.ico+ icon /favicon.svg+ apple-touch-icon /apple-touch-icon.png+ "
                        "manifest /site.webmanifest+\n"},
      {"android/res/mipmap-anydpi-v26/ic_launcher.xml", adaptive},
      {"android/res/mipmap-anydpi-v26/ic_launcher_round.xml", adaptive},
      {"android/res/values/ic_launcher_background.xml", "color #204080- \n"},
      {"windows/msix/manifest-snippet.xml", "Logo Assets\\StoreLogo.png+ Square150x150Logo Assets\\Square150x150Logo.png+ "
                                            "Square44x44Logo Assets\\Square44x44Logo.png+ \n"},
  };
  for (const auto& [file, expected] : cases) {
    const testing::ToolRun run = RunTool("'" PYTHON3 "' '" + dir / "read.py" + "' '" + dir / ("out/" + file) + "'");
    EXPECT_EQ(run.status, 0) << file;
    EXPECT_EQ(run.out, expected) << file;
  }
  // The monochrome layer is the foreground's shapes, every one opaque white.
  const std::vector<unsigned char> layer = FileBytes(dir / "out/android/res/drawable/ic_launcher_foreground.xml");
  const std::vector<unsigned char> mono = FileBytes(dir / "out/android/res/drawable/ic_launcher_monochrome.xml");
  const std::regex colour("(fill|stroke)Color=\"#[0-9A-F]{8}\"");
  EXPECT_EQ(std::regex_replace(std::string(layer.begin(), layer.end()), colour, "$1Color=\"#FFFFFFFF\""),
            std::string(mono.begin(), mono.end()));
}

TEST(IconSets, TheMaskableIconsKeepEvenAFullSquareInsideTheSafeCircle) {
  TWKFILE doc;
  TWKDATA square = testing::ProbeItem(kRect, kFill, 0, 0);
  square.X1 = 0, square.Y1 = 0, square.X4 = 16, square.Y4 = 16;
  doc.CData.append(square);
  ScratchFolder dir;
  ExportRequest request{doc, {}, ExportFormat::kIconSets, dir / "out"};
  request.sets = kWebSet;
  request.ground = PackRGBA(kGround.r, kGround.g, kGround.b, 255);
  ASSERT_FALSE(RunExport(request).AnyFailed());
  for (const int edge : {192, 512}) {
    const ReadPng icon = ReadPngFile(dir / ("out/web/icon-maskable-" + std::to_string(edge) + ".png"));
    ASSERT_EQ(icon.width, edge);
    std::size_t outside = 0, drawn = 0;
    for (int y = 0; y < edge; ++y) {
      for (int x = 0; x < edge; ++x) {
        const PngPixel p = icon.At(x, y);
        const bool ground = p.r == kGround.r && p.g == kGround.g && p.b == kGround.b && p.a == 255;
        if (!ground) ++(std::hypot(x + 0.5 - edge / 2.0, y + 0.5 - edge / 2.0) > 0.4 * edge ? outside : drawn);
      }
    }
    EXPECT_EQ(outside, 0u) << edge;
    EXPECT_GT(drawn, std::size_t(edge * edge / 4)) << edge;  // the square is there, reaching its corners
  }
}

TEST(IconSets, AGroundColourIsSixHexDigitsAndAnythingElseIsRefusedByName) {
  const std::pair<const char*, std::int32_t> good[] = {{"#204080", PackRGBA(0x20, 0x40, 0x80, 255)},
                                                       {"#ffFFee", PackRGBA(0xFF, 0xFF, 0xEE, 255)}};
  for (const auto& [text, colour] : good) {
    EXPECT_EQ(ParseGroundColour(text), colour) << text;
    EXPECT_EQ(ParseGroundColour(GroundColourText(colour)), colour) << text;
  }
  for (const char* text : {"", "red", "204080", "#20408", "#2040800", "#20408g", "# 20408", "#204080 "})
    EXPECT_EQ(ParseGroundColour(text), std::nullopt) << text;
  EXPECT_EQ(GroundColourError("red"),
            "\"red\" is not a colour: give the ground colour as #RRGGBB, six hexadecimal digits (e.g. #204080)");
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
      {AppIconContentsJson(name),
       "j['images'][0]['filename'] + '|' + j['images'][0]['size'] + '|' + j['images'][0]['idiom']",
       kept + "-1024.png|1024x1024|universal"},
      {WebManifestJson(name, PackRGBA(1, 2, 3, 255)),
       "j['name'] + '|' + j['short_name'] + '|' + '|'.join(i['src'] + ' ' + i['sizes'] + ' ' + i['type'] for i in j['icons'])",
       kept + "|my \"best\" \\ |icon-192.png 192x192 image/png|icon-512.png 512x512 image/png|"
              "icon-maskable-192.png 192x192 image/png|icon-maskable-512.png 512x512 image/png"},
      // The msix snippet is XML, the name an attribute of it.
      {MsixManifestXml(name),
       "__import__('xml.etree.ElementTree').etree.ElementTree.fromstring(open(sys.argv[1], 'rb').read())"
       ".find('.//{http://schemas.microsoft.com/appx/manifest/uap/windows10}VisualElements').get('DisplayName')",
       "my \"best\" \\ icon\xEF\xBF\xBD \xE2\x9C\x93 \xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / "file.json", std::ios::binary) << c.json;
    const testing::ToolRun run = RunTool("'" PYTHON3 "' -c \"import json,sys; j = None if open(sys.argv[1]).read(1) == '<' "
                                         "else json.load(open(sys.argv[1], encoding='utf-8')); "
                                         "sys.stdout.buffer.write((" + c.read +
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
  request.sets = kWebSet;
  request.setName = "star";
  const ExportReport report = RunExport(request);
  std::vector<std::string> failed;
  for (const ExportedFile& file : report.files)
    if (file.outcome != FileOutcome::kWritten) failed.push_back(file.path);
  EXPECT_EQ(failed, std::vector<std::string>{dir / "out/web/favicon.ico"});
  EXPECT_EQ(FilesUnder(dir.path() / "out"),
            (std::set<std::string>{"web/favicon.svg", "web/apple-touch-icon.png", "web/icon-192.png",
                                   "web/icon-512.png", "web/icon-maskable-192.png", "web/icon-maskable-512.png",
                                   "web/site.webmanifest", "web/head.html"}));
  EXPECT_EQ(ExportMessages(report),
            (std::vector<ExportMessage>{{ExportMessageKind::kError, "Something wrong with following files:\r\n\r\n" +
                                                                        dir / "out/web/favicon.ico\r\n"}}));

  // A folder inside a missing one is not made: every file fails, none is
  // left anywhere.
  request.base = dir / "missing/out";
  const ExportReport none = RunExport(request);
  EXPECT_EQ(none.files.size(), 9u);
  EXPECT_TRUE(std::all_of(none.files.begin(), none.files.end(),
                          [](const ExportedFile& f) { return f.outcome == FileOutcome::kFailed; }));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

  // Written without a failure, the sets say how many files went where.
  request.base = dir / "again";
  EXPECT_EQ(ExportMessages(RunExport(request)),
            (std::vector<ExportMessage>{{ExportMessageKind::kInformation,
                                         "The icon sets were written: 9 files in\r\n\r\n" + dir / "again"}}));
}

TEST(IconSets, TheDrawingIsNamedAfterItsDocumentOrElseItsFolder) {
  EXPECT_EQ(IconSetDrawingName("/a/star.v2.twk", "/out/x"), "star.v2");
  EXPECT_EQ(IconSetDrawingName("", "/out/My Icons/"), "My Icons");
  EXPECT_EQ(IconSetDrawingName("", "/"), "icon");
}

}  // namespace
}  // namespace twk
