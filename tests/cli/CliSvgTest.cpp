// SVG images wherever tarnwick-cli takes a document, told by content; the
// convert command; --color for currentColor.

#include <gtest/gtest.h>

#include "export/ExportTestSupport.h"
#include "import/SvgReader.h"
#include "persist/DocumentFile.h"
#include "persist/PersistTestSupport.h"

namespace twk {
namespace {

using test::ScratchDir;

testing::ToolRun RunCli(const std::string& args, const std::string& errPath) {
  return testing::RunTool(std::string("'") + TARNWICK_CLI_PATH + "' " + args + " 2>'" + errPath + "'");
}

const std::string kIcon =
    "<?xml version='1.0'?>\n<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24' fill='none' "
    "stroke='currentColor' stroke-width='2'><circle cx='12' cy='12' r='9'/><path d='M12 7v5l3 2'/>"
    "<text>x</text></svg>\n";

TEST(CliSvg, EveryCommandTakesAnSvgToldByItsContent) {
  ScratchDir dir;
  // Named as a document, and without any extension: the content tells.
  for (const std::string name : {"icon.twk", "icon"}) test::WriteBytes(dir.File(name), kIcon);
  SvgReadOptions red;
  red.currentColor = PackRGBA(255, 0, 0, 255);
  const std::string black = DocumentToXml(ReadSvgText(kIcon).doc) + "\n";
  const std::string redXml = DocumentToXml(ReadSvgText(kIcon, red).doc) + "\n";
  const struct {
    std::string args, out;
  } cases[] = {
      {"dump '" + dir.File("icon.twk") + "'", black},
      {"dump '" + dir.File("icon") + "' --color '#ff0000'", redXml},
      {"dump --color=red '" + dir.File("icon") + "'", redXml},
      {"crisp '" + dir.File("icon") + "' --sizes 24", "24x24\t0.00\n"},
      {"export '" + dir.File("icon") + "' --sizes 16 --out '" + dir.File("out") + "'", ""},
  };
  for (const auto& c : cases) {
    const testing::ToolRun run = RunCli(c.args, dir.File("err"));
    EXPECT_EQ(run.status, 0) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
    const std::string input = c.args.find("icon.twk") != std::string::npos ? "icon.twk" : "icon";
    EXPECT_EQ(test::ReadBytes(dir.File("err")), "tarnwick-cli: left out of " + dir.File(input) + ": 1 text\n");
  }
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("out.16x16.png")));
}

TEST(CliSvg, ConvertWritesTheDocumentTheReaderMakes) {
  ScratchDir dir;
  test::WriteBytes(dir.File("icon.svg"), kIcon);
  const testing::ToolRun run = RunCli("convert '" + dir.File("icon.svg") + "' '" + dir.File("icon.twk") + "'",
                                      dir.File("err"));
  EXPECT_EQ(run.status, 0);
  TWKFILE saved;
  ASSERT_EQ(LoadDocumentFile(dir.File("icon.twk"), saved, LoadAccess::kShared), ResultCode::kOk);
  EXPECT_EQ(DocumentToXml(saved), DocumentToXml(ReadSvgText(kIcon).doc));
  EXPECT_EQ(test::ReadBytes(dir.File("err")), "tarnwick-cli: left out of " + dir.File("icon.svg") + ": 1 text\n");
}

TEST(CliSvg, AnSvgThatCannotComeInIsRefusedInWords) {
  ScratchDir dir;
  test::WriteBytes(dir.File("nosize.svg"), "<svg xmlns='http://www.w3.org/2000/svg'><path d='M1 1h4'/></svg>");
  test::WriteBytes(dir.File("icon.svg"), kIcon);
  const struct {
    std::string args, err;
  } cases[] = {
      {"dump '" + dir.File("nosize.svg") + "'",
       "tarnwick-cli: " + dir.File("nosize.svg") + ": the SVG has no size: no viewBox, width or height\n"},
      {"convert '" + dir.File("nosize.svg") + "' '" + dir.File("x.twk") + "'",
       "tarnwick-cli: " + dir.File("nosize.svg") + ": the SVG has no size: no viewBox, width or height\n"},
      {"convert '" + dir.File("icon.svg") + "'", "tarnwick-cli: convert needs the document file to write (convert IN.svg OUT.twk)\n"},
      {"dump '" + dir.File("icon.svg") + "' --color '#12345'",
       "tarnwick-cli: unknown colour \"#12345\" (colours: #RRGGBB, #RGB, rgb(r, g, b) or a CSS colour name)\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunCli(c.args, dir.File("err")).status, 1) << c.args;
    EXPECT_EQ(test::ReadBytes(dir.File("err")), c.err) << c.args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.twk")));
}

}  // namespace
}  // namespace twk
