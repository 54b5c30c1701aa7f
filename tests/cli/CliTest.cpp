// The built tarnwick-cli program, run as a script would run it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "persist/PersistTestSupport.h"
#include "export/ExportTestSupport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

using test::ScratchDir;

using CliRun = testing::ToolRun;

// Runs tarnwick-cli with `args` (already shell-quoted); stderr goes to
// `errPath`.
CliRun RunCli(const std::string& args, const std::string& errPath) {
  return testing::RunTool(std::string("'") + TARNWICK_CLI_PATH + "' " + args + " 2>'" + errPath + "'");
}

std::string SampleDocument(const ScratchDir& dir) {
  const std::string path = dir.File("star.twk");
  std::filesystem::copy_file(std::string(TARNWICK_TEST_DATA_DIR) + "/shapes.twk", path);
  return path;
}

TEST(Cli, DumpPrintsTheXmlSavingWouldWrite) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  chmod(path.c_str(), 0444);  // the tool reads read-only files too
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk);
  const CliRun run = RunCli("dump '" + path + "'", dir.File("err"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, DocumentToXml(doc) + "\n");
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "");
}

TEST(Cli, ExportWritesEverySizeNextToTheDocument) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  test::WriteBytes(dir.File("star.16x16.png"), "old");  // replaced
  const CliRun run = RunCli("export '" + path + "'", dir.File("err"));
  EXPECT_EQ(run.status, 0) << test::ReadBytes(dir.File("err"));
  for (int n : {16, 32, 48, 64, 96, 128, 160, 192, 256, 512, 768, 1024}) {
    const std::string png = dir.File("star." + std::to_string(n) + "x" + std::to_string(n) + ".png");
    const std::string bytes = test::ReadBytes(png);
    ASSERT_GT(bytes.size(), 24u) << png;
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(static_cast<unsigned char>(bytes[18]) * 256 + static_cast<unsigned char>(bytes[19]), n);
  }
}

TEST(Cli, ExportHonoursSizesAndTheOutputBase) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  std::filesystem::create_directory(dir.File("icons"));
  const CliRun run = RunCli("export '" + path + "' --sizes 32,1024 --out '" + dir.File("icons/a.b.png") + "'",
                         dir.File("err"));
  EXPECT_EQ(run.status, 0) << test::ReadBytes(dir.File("err"));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("icons")))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.b.1024x1024.png", "a.b.32x32.png"}));

  // An existing folder as the output takes the document's own name.
  const CliRun intoFolder = RunCli("export '" + path + "' --sizes 48 --out '" + dir.File("icons") + "'", dir.File("err"));
  EXPECT_EQ(intoFolder.status, 0) << test::ReadBytes(dir.File("err"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("icons/star.48x48.png")));
}

TEST(Cli, ExportTakesSizesOffTheWindowsListForPngAndSvg) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  const CliRun png = RunCli("export '" + path + "' --sizes 24,180", dir.File("err"));
  EXPECT_EQ(png.status, 0) << test::ReadBytes(dir.File("err"));
  EXPECT_EQ(testing::ReadPngFile(dir.File("star.24x24.png")).width, 24);
  EXPECT_EQ(testing::ReadPngFile(dir.File("star.180x180.png")).height, 180);

  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk);
  EXPECT_EQ(RunCli("export '" + path + "' --format svg --sizes 20", dir.File("err")).status, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("star.svg")), DocumentToSvg(doc, 20));

  // An icon file keeps its own sizes: an ICO holds 24 but not 300.
  EXPECT_EQ(RunCli("export '" + path + "' --format ico --sizes 24,300", dir.File("err")).status, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("err")),
            "tarnwick-cli: left out of " + dir.File("star.ico") + " (it holds 1 to 256): 300x300\n");
}

TEST(Cli, ExportWritesOneFileInTheChosenFormat) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk);
  const CliRun svg = RunCli("export '" + path + "' --format svg --sizes 48", dir.File("err"));
  EXPECT_EQ(svg.status, 0) << test::ReadBytes(dir.File("err"));
  EXPECT_EQ(test::ReadBytes(dir.File("star.svg")), DocumentToSvg(doc, 48));

  // Sizes the format cannot hold are named in one line and left out.
  const CliRun ico = RunCli("export '" + path + "' --format=ico --sizes 16,512,1024 --out '" + dir.File("i.png") + "'",
                            dir.File("err"));
  EXPECT_EQ(ico.status, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "tarnwick-cli: left out of " + dir.File("i.ico") +
                                                  " (it holds 1 to 256): 512x512, 1024x1024\n");
  const std::string icon = test::ReadBytes(dir.File("i.ico"));
  ASSERT_GT(icon.size(), 6u);
  EXPECT_EQ(icon.substr(0, 6), std::string("\0\0\1\0\1\0", 6));  // an icon with one image

  const CliRun icns = RunCli("export '" + path + "' --format icns", dir.File("err"));
  EXPECT_EQ(icns.status, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "");
  EXPECT_EQ(test::ReadBytes(dir.File("star.icns")).substr(0, 4), "icns");
}

TEST(Cli, ReportsEachFailedFileLargestFirst) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  const std::string base = dir.File("missing/icon");
  const CliRun run = RunCli("export '" + path + "' --sizes=16,512 --out='" + base + ".png'", dir.File("err"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(test::ReadBytes(dir.File("err")),
            "(512x512) : " + base + ".512x512.png: No such file or directory\n(16x16) : " + base +
                ".16x16.png: No such file or directory\n");
}

TEST(Cli, SetsGoIntoTheFolderAndEachFailedFileGetsALine) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  const std::string out = dir.File("sets");
  const CliRun run = RunCli("export '" + path + "' --set=windows,linux --out '" + out + "'", dir.File("err"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "");
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/windows/star.ico"));
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/linux/hicolor/scalable/apps/star.svg"));
  EXPECT_FALSE(std::filesystem::exists(out + "/web"));

  // Two files whose paths are folders fail; the rest is written again.
  std::filesystem::create_directories(out + "/web/icon-192.png");
  std::filesystem::create_directories(out + "/web/site.webmanifest");
  std::filesystem::remove(out + "/windows/star.ico");
  const CliRun failed = RunCli("export '" + path + "' --set web,windows --out '" + out + "'", dir.File("err"));
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(test::ReadBytes(dir.File("err")),
            "tarnwick-cli: can't write file: " + out + "/web/icon-192.png: Is a directory\n" +
                "tarnwick-cli: can't write file: " + out + "/web/site.webmanifest: Is a directory\n");
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/windows/star.ico"));
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/web/icon-512.png"));
}

TEST(Cli, ABackgroundThatIsNoColourIsRefusedBeforeAnythingIsWritten) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir), out = dir.File("sets");
  for (const std::string colour : {"red", "#20408", "204080"}) {
    const CliRun run = RunCli("export '" + path + "' --set all --background '" + colour + "' --out '" + out + "'",
                              dir.File("err"));
    EXPECT_EQ(run.status, 1) << colour;
    EXPECT_EQ(test::ReadBytes(dir.File("err")), "tarnwick-cli: --background: \"" + colour +
                                                    "\" is not a colour: give the ground colour as #RRGGBB, six "
                                                    "hexadecimal digits (e.g. #204080)\n");
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  // A colour with no sets to lay it under is a mistake too.
  EXPECT_EQ(RunCli("export '" + path + "' --background '#204080'", dir.File("err")).status, 1);
  EXPECT_EQ(RunCli("export '" + path + "' --set web --background '#204080' --out '" + out + "'", dir.File("err")).status, 0);
  EXPECT_NE(test::ReadBytes(out + "/web/site.webmanifest").find("\"#204080\""), std::string::npos);
}

TEST(Cli, SetsIntoAFolderThatCannotBeMadeTakeOneLine) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  test::WriteBytes(dir.File("file"), "x");
  const std::string out = dir.File("file/sets");
  const CliRun run = RunCli("export '" + path + "' --set all --out '" + out + "'", dir.File("err"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "tarnwick-cli: can't make the folder: " + out + "\n");
}

// A document name that is not UTF-8 (Latin-1 "cafe" with an accent) gives
// files whose names the JSON texts name, as a JSON parser reads them.
TEST(Cli, ANameThatIsNotUtf8NamesTheFilesItsJsonNames) {
  ScratchDir dir;
  const std::string path = dir.File("caf\xe9.twk");
  std::filesystem::copy_file(std::string(TARNWICK_TEST_DATA_DIR) + "/shapes.twk", path);
  const std::string out = dir.File("sets");
  const CliRun run = RunCli("export '" + path + "' --set apple,web --out '" + out + "'", dir.File("err"));
  ASSERT_EQ(run.status, 0) << test::ReadBytes(dir.File("err"));
  const std::string check =
      "import json, os, sys\n"
      "folder = os.path.dirname(sys.argv[1])\n"
      "names = [i['filename'] for i in json.load(open(sys.argv[1], encoding='utf-8'))['images']]\n"
      "print(sorted(names) == sorted(n for n in os.listdir(folder) if n.endswith('.png')) and\n"
      "      all(os.path.isfile(os.path.join(folder, n)) for n in names))\n";
  test::WriteBytes(dir.File("check.py"), check);
  const CliRun checked = testing::RunTool(std::string(PYTHON3) + " '" + dir.File("check.py") + "' '" + out +
                                          "/apple/AppIcon.appiconset/Contents.json'");
  EXPECT_EQ(checked.out, "True\n");
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/apple/caf\xef\xbf\xbd.icns"));
}

TEST(Cli, RejectsBadInputWithOneLineAndStatusOne) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  test::WriteBytes(dir.File("junk.twk"), "this is not a document");
  const std::string cases[] = {
      "",
      "frobnicate '" + path + "'",
      "export",
      "export '" + path + "' --sizes 4097",
      "export '" + path + "' --sizes 0,16",
      "export '" + path + "' --sizes 2.5",
      "export '" + path + "' --sizes",
      "export '" + path + "' --bogus",
      "export '" + path + "' --format gif",
      "export '" + path + "' --format svg --sizes 16,32",
      "export '" + path + "' --format ico --sizes 512",
      "export '" + path + "' --set ios --out '" + dir.File("sets") + "'",
      "export '" + path + "' --set web",
      "export '" + path + "' --set web --format ico --out '" + dir.File("sets") + "'",
      "export '" + path + "' --set web --sizes 16 --out '" + dir.File("sets") + "'",
      "dump '" + path + "' extra",
      "dump '" + dir.File("nope.twk") + "'",
      "dump '" + dir.File("junk.twk") + "'",
      "dump '" + dir.path().string() + "'",
  };
  for (const std::string& args : cases) {
    const CliRun run = RunCli(args, dir.File("err"));
    EXPECT_EQ(run.status, 1) << args;
    const std::string err = test::ReadBytes(dir.File("err"));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << args << ": " << err;
    EXPECT_EQ(err.rfind("tarnwick-cli: ", 0), 0u) << err;
  }
  const CliRun help = RunCli("--help", dir.File("err"));
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("tarnwick-cli export FILE.twk"), std::string::npos);
  const CliRun version = RunCli("--version", dir.File("err"));
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tarnwick-cli " TARNWICK_VERSION_TEXT "\n");
}

TEST(Cli, NeverWritesOverItsInput) {
  ScratchDir dir;
  const std::string path = SampleDocument(dir);
  std::filesystem::copy_file(path, dir.File("same.svg"));
  std::filesystem::create_symlink(dir.File("same.svg"), dir.File("link.svg"));
  // A document kept where the linux set writes its scalable picture.
  const std::string scalable = dir.File("sets/linux/hicolor/scalable/apps/same.svg");
  std::filesystem::create_directories(std::filesystem::path(scalable).parent_path());
  std::filesystem::copy_file(path, scalable);
  const std::string before = test::ReadBytes(path);
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {"export '" + dir.File("same.svg") + "' --format svg",
       "tarnwick-cli: the output is the input file: " + dir.File("same.svg") + "\n"},
      {"export '" + dir.File("same.svg") + "' --format svg --out '" + dir.File("link.svg") + "'",
       "tarnwick-cli: the output is the input file: " + dir.File("link.svg") + "\n"},
      {"export '" + scalable + "' --set linux --out '" + dir.File("sets") + "'",
       "tarnwick-cli: the output is the input file: " + scalable + "\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args, dir.File("err"));
    EXPECT_EQ(run.status, 1) << c.args;
    EXPECT_EQ(test::ReadBytes(dir.File("err")), c.err);
  }
  EXPECT_EQ(test::ReadBytes(dir.File("same.svg")), before);
  EXPECT_EQ(test::ReadBytes(scalable), before);
}

TEST(Cli, TellsAFileItCannotReadFromOneThatIsNoDocument) {
  ScratchDir dir;
  test::WriteBytes(dir.File("README"), "Tarnwick draws icons.\n");
  test::WriteBytes(dir.File("icon.png"), "\x89PNG\r\n\x1a\n\0\0\0\rIHDR");
  test::WriteBytes(dir.File("huge.twk"), test::TaggedFile("x", 0x7FFFFFFF));  // announces 2 GB
  const std::string cannotRead = "tarnwick-cli: can't read file: ";
  const std::string noDocument = "tarnwick-cli: not a Tarnwick document or SVG image: ";
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir.File("missing.twk"), cannotRead},
      {dir.path().string(), cannotRead},
      {dir.File("README"), noDocument},
      {dir.File("icon.png"), noDocument},
      {dir.File("huge.twk"), noDocument},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunCli("dump '" + c.path + "'", dir.File("err")).status, 1) << c.path;
    EXPECT_EQ(test::ReadBytes(dir.File("err")), c.message + c.path + "\n");
  }
}

}  // namespace
}  // namespace twk
