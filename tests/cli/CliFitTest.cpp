// tarnwick-cli's fitting: export --fit writes the fitted pictures, and
// crisp prints the crispness figure per size.
#include <gtest/gtest.h>

#include <cstdio>

#include "export/ExportTestSupport.h"
#include "fit/Crispness.h"
#include "fit/FitToPixels.h"
#include "persist/DocumentFile.h"
#include "persist/PersistTestSupport.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

const std::string kIcon = TARNWICK_TEST_DATA_DIR "/fit/fit-document.twk";

testing::ToolRun RunCli(const std::string& args, const std::string& errPath) {
  return testing::RunTool(std::string("'") + TARNWICK_CLI_PATH + "' " + args + " 2>'" + errPath + "'");
}

TEST(CliFit, ExportFitWritesEachSizeFittedForItself) {
  test::ScratchDir dir;
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(kIcon, doc, LoadAccess::kShared), ResultCode::kOk);
  const testing::ToolRun run = RunCli("export '" + kIcon + "' --fit --sizes 20,24 --out '" + dir.File("d.png") + "'",
                                      dir.File("err"));
  ASSERT_EQ(run.status, 0) << test::ReadBytes(dir.File("err"));
  for (const int edge : {20, 24}) {
    const std::string n = std::to_string(edge);
    const std::vector<std::uint8_t> fitted =
        EncodePng(*RenderDocument(FitToPixels(doc, edge), edge / 16.0f, edge / 16.0f, RenderArea::kFull));
    EXPECT_EQ(test::ReadBytes(dir.File("d." + n + "x" + n + ".png")), std::string(fitted.begin(), fitted.end())) << n;
  }
}

TEST(CliFit, CrispPrintsOneLinePerSizeWithTheFigure) {
  test::ScratchDir dir;
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(kIcon, doc, LoadAccess::kShared), ResultCode::kOk);
  for (const bool fit : {false, true}) {
    const testing::ToolRun run =
        RunCli("crisp '" + kIcon + "' --sizes 16,24,40" + (fit ? " --fit" : ""), dir.File("err"));
    EXPECT_EQ(run.status, 0);
    std::string expected;
    for (const int edge : {16, 24, 40}) {
      char line[64];
      std::snprintf(line, sizeof line, "%dx%d\t%.2f\n", edge, edge, CrispnessAt(doc, edge, fit)->M());
      expected += line;
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(test::ReadBytes(dir.File("err")), "");
  }
}

}  // namespace
}  // namespace twk
