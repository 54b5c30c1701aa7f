// Tarnwick.cfg across runs: read at start-up in the working directory,
// written at the end.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"

namespace twk {
namespace {

std::vector<std::int32_t> Stored(int count) {
  std::vector<std::int32_t> palette;
  for (int i = 0; i < count; ++i) palette.push_back(PackRGBA(i, 2 * i, 3 * i, 0));
  return palette;
}

CONFIG ReadBack() {
  CONFIG config;
  EXPECT_EQ(LoadConfiguration(config), ResultCode::kOk);
  return config;
}

void ExpectDefaultPalette(const std::vector<std::int32_t>& palette) {
  ASSERT_EQ(palette.size(), 24u);
  const std::int32_t fixed[] = {0x000000, 0xFFFFFF, 0x808080, 0x0000FF, 0x00FF00,
                                0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(palette[static_cast<std::size_t>(i)], fixed[i]) << i;
}

TEST(ConfigurationTest, FirstRunWritesAValidFileWithTwentyFourColours) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ExpectDefaultPalette(app->config().Palette);
  EXPECT_EQ(app->session().state().CurRGB, 0);
  app->Shutdown();
  const CONFIG written = ReadBack();
  EXPECT_EQ(written.valid, 1);
  EXPECT_EQ(written.Palette, app->config().Palette);
  EXPECT_EQ(written.RecentFile, "");
  EXPECT_EQ(written.RecentExport, 0);
}

TEST(ConfigurationTest, StoredPaletteOfTwentyFourColoursIsKept) {
  test::ScopedWorkDir dir;
  ASSERT_EQ(SaveConfiguration(CONFIG{1, Stored(24), "/art/house.twk", 5}), ResultCode::kOk);
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  EXPECT_EQ(app->config().Palette, Stored(24));
  EXPECT_EQ(app->session().savePath(), "/art/house.twk");
  EXPECT_EQ(app->config().RecentExport, 5);
  EXPECT_EQ(app->session().state().CurRGB, 0);
}

TEST(ConfigurationTest, UnusablePaletteIsReplacedButThePathAndExportMaskStay) {
  const CONFIG unusable[] = {
      {1, Stored(23), "/a/b.twk", 6},
      {1, Stored(25), "/a/b.twk", 6},
      {0, Stored(24), "/a/b.twk", 6},
  };
  for (const CONFIG& stored : unusable) {
    SCOPED_TRACE(testing::Message() << "valid " << int(stored.valid) << ", " << stored.Palette.size() << " colours");
    test::ScopedWorkDir dir;
    ASSERT_EQ(SaveConfiguration(stored), ResultCode::kOk);
    test::ScriptedDialogs dialogs;
    auto app = test::StartedApp(dialogs);
    ExpectDefaultPalette(app->config().Palette);
    EXPECT_EQ(app->session().savePath(), "/a/b.twk");
    EXPECT_EQ(app->config().RecentExport, 6);
    EXPECT_EQ(app->config().valid, 1);
  }
}

TEST(ConfigurationTest, ReadOnlyFileIsNotReadButReplacedAtTheEnd) {
  test::ScopedWorkDir dir;
  ASSERT_EQ(SaveConfiguration(CONFIG{1, Stored(24), "/kept/elsewhere.twk", 3}), ResultCode::kOk);
  ASSERT_EQ(chmod("Tarnwick.cfg", 0444), 0);
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ExpectDefaultPalette(app->config().Palette);
  EXPECT_EQ(app->session().savePath(), "");
  EXPECT_EQ(app->config().RecentExport, 0);
  app->Shutdown();

  struct stat info {};
  ASSERT_EQ(stat("Tarnwick.cfg", &info), 0);
  EXPECT_TRUE(info.st_mode & S_IWUSR);
  EXPECT_EQ(ReadBack().Palette, app->config().Palette);
}

TEST(ConfigurationTest, RedefinedSlotReachesTheNextRun) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  {
    auto app = test::StartedApp(dialogs);
    dialogs.colours.push_back(QColor(1, 2, 3));
    QTest::mouseRelease(app->mainWindow()->imgPalette, Qt::RightButton, {}, QPoint(25, 10));
    app->Shutdown();
  }
  auto next = test::StartedApp(dialogs);
  EXPECT_EQ(next->config().Palette[1], PackRGBA(1, 2, 3, 0));
}

}  // namespace
}  // namespace twk
