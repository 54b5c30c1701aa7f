// Several drawings in one export call: each input's files are those a call
// of its own writes, under its name in the --out folder; an input that fails
// is named on a line of its own and the others are still written.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "export/ExportTestSupport.h"
#include "persist/PersistTestSupport.h"

namespace twk {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

testing::ToolRun RunCli(const std::string& args, const std::string& errPath) {
  return testing::RunTool(std::string("'") + TARNWICK_CLI_PATH + "' " + args + " 2>'" + errPath + "'");
}

// Every file under `folder`, by its path inside it, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (fs::is_directory(folder))
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = test::ReadBytes(entry.path());
  return files;
}

std::vector<std::string> Names(const std::map<std::string, std::string>& tree) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : tree) names.push_back(name);
  return names;
}

// The scratch folder's inputs: two documents (one in a subfolder, with the
// name of the other), an SVG icon, an SVG told by its content whatever its
// name, an SVG with text (left out), an SVG of no size, a file that is no
// drawing, and a name with no file.
void WriteInputs(const ScratchDir& dir) {
  const std::string data = TARNWICK_TEST_DATA_DIR;
  fs::create_directory(dir.File("sub"));
  fs::copy_file(data + "/shapes.twk", dir.File("a.twk"));
  fs::copy_file(data + "/icon-10.twk", dir.File("b.twk"));
  fs::copy_file(data + "/icon-10.twk", dir.File("sub/a.twk"));
  fs::copy_file(data + "/cli/house.svg", dir.File("c.svg"));
  fs::copy_file(data + "/cli/inbox.svg", dir.File("d.twk"));
  const std::string open = R"(<svg xmlns="http://www.w3.org/2000/svg" )";
  test::WriteBytes(dir.File("text.svg"),
                   open + R"(viewBox="0 0 24 24"><line x1="2" y1="2" x2="22" y2="22" stroke="red"/><text>A</text></svg>)");
  test::WriteBytes(dir.File("nosize.svg"), open + R"(><circle cx="5" cy="5" r="3"/></svg>)");
  test::WriteBytes(dir.File("junk.twk"), "no drawing");
}

struct ManyCase {
  std::vector<std::string> inputs;
  std::string options;               // without --out
  std::string out;                   // the --out folder in the scratch folder
  int status;
  std::vector<std::string> written;  // the inputs whose files are written
  std::vector<std::string> named;    // the inputs named on a line each, in order
  int otherLines;                    // lines naming no input
};

TEST(CliMany, EachInputIsWrittenAsItsOwnCallWritesIt) {
  const ManyCase cases[] = {
      {{"a.twk", "c.svg", "d.twk"}, "--sizes 16,20,24 --fit", "made", 0, {"a.twk", "c.svg", "d.twk"}, {}, 0},
      {{"a.twk", "junk.twk", "nosize.svg", "missing.twk", "b.twk", "text.svg"}, "--sizes 16", "out", 1,
       {"a.twk", "b.twk", "text.svg"}, {"junk.twk", "nosize.svg", "missing.twk", "text.svg"}, 0},
      {{"a.twk", "b.twk", "sub/a.twk"}, "--format svg --sizes 32", "out", 1, {"a.twk", "b.twk"}, {"sub/a.twk"}, 0},
      {{"c.svg", "b.twk"}, "--format ico --sizes 16,24,300", "out", 0, {"c.svg", "b.twk"}, {}, 1},
      {{"b.twk", "c.svg"}, "--format icns --fit", "out", 0, {"b.twk", "c.svg"}, {}, 0},
      {{"a.twk", "c.svg"}, "--set windows,web,linux", "sets", 0, {"a.twk", "c.svg"}, {}, 0},
      {{"a.twk", "b.twk"}, "--sizes 16", "missing/made", 1, {}, {}, 1},
      {{"a.twk", "b.twk"}, "--sizes 16", "junk.twk", 1, {}, {}, 1},
  };
  for (const ManyCase& c : cases) {
    ScratchDir dir;
    WriteInputs(dir);
    std::string args = "export";
    for (const std::string& input : c.inputs) args += " '" + dir.File(input) + "'";
    const testing::ToolRun run = RunCli(args + " " + c.options + " --out '" + dir.File(c.out) + "'", dir.File("err"));
    const std::string trace = args + " " + c.options;
    EXPECT_EQ(run.status, c.status) << trace;

    // The oracle: each input exported alone into a folder of its own name.
    fs::create_directory(dir.File("alone"));
    for (const std::string& input : c.written) {
      const std::string name = fs::path(input).stem().string();
      const std::string out = dir.File("alone") + (c.options.find("--set") != std::string::npos ? "/" + name : "");
      EXPECT_EQ(RunCli("export '" + dir.File(input) + "' " + c.options + " --out '" + out + "'", dir.File("err1")).status,
                0) << trace;
    }
    const auto written = Tree(dir.File(c.out)), alone = Tree(dir.File("alone"));
    EXPECT_EQ(Names(written), Names(alone)) << trace;
    EXPECT_TRUE(written == alone) << trace << ": the files differ";
    // And other tools read the pictures and icons.
    for (const auto& [name, bytes] : written) {
      const std::string path = dir.File(c.out + "/" + name);
      if (name.ends_with(".png")) EXPECT_TRUE(testing::ReadPngFile(path).ok) << name;
      if (name.ends_with(".ico")) EXPECT_EQ(testing::RunTool("'" ICOTOOL "' -l '" + path + "' >/dev/null").status, 0) << name;
    }

    // One line per input named, in order, and nothing else but the lines
    // that name no input.
    const std::string err = test::ReadBytes(dir.File("err"));
    std::size_t named = 0, lines = 0;
    for (std::size_t at = 0, end; (end = err.find('\n', at)) != std::string::npos; at = end + 1, ++lines) {
      const std::string line = err.substr(at, end - at);
      EXPECT_EQ(line.rfind("tarnwick-cli: ", 0), 0u) << line;
      if (named < c.named.size() && line.find(dir.File(c.named[named])) != std::string::npos) ++named;
    }
    EXPECT_EQ(named, c.named.size()) << trace << "\n" << err;
    EXPECT_EQ(lines, c.named.size() + c.otherLines) << trace << "\n" << err;
  }
}

TEST(CliMany, ATerminalSeesProgressAndTheFailedInput) {
  ScratchDir dir;
  WriteInputs(dir);
  // script runs the tool on a terminal of its own and copies what it shows.
  const std::string command = std::string("'") + TARNWICK_CLI_PATH + "' export '" + dir.File("a.twk") + "' '" +
                              dir.File("junk.twk") + "' --sizes 16 --out '" + dir.File("out") + "'";
  const testing::ToolRun run = testing::RunTool("script -qec \"" + command + "\" /dev/null");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("2 of 2 drawings done"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(dir.File("junk.twk")), std::string::npos) << run.out;
  // The progress line is cleared at the end.
  EXPECT_EQ(run.out.substr(run.out.size() - 4), "\r\033[K") << run.out;
}

}  // namespace
}  // namespace twk
