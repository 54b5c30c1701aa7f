#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "document/Colour.h"
#include "document/Labels.h"
#include "document/Rounding.h"

namespace twk {
namespace {

TEST(Title, StartValuesAndExample) {
  EXPECT_EQ(TitleText(0, 0, 0, 1.0f, 255), "Tarnwick :: line, solid + square (1.00), opacity: 100%");
  EXPECT_EQ(TitleText(3, 2, 2, 2.25f, 190), "Tarnwick :: ellipse, dots + round (2.25), opacity: 75%");
  EXPECT_EQ(TitleText(2, 1, 1, 10.0f, 255), "Tarnwick :: rect, fill + center (10.00), opacity: 100%");
  EXPECT_EQ(TitleText(0, 0, 0, 0.25f, 255), "Tarnwick :: line, solid + square (0.25), opacity: 100%");
}

// The GUI adopts the user's locale, where printf may write "1,50"; the title
// keeps its point. The comma locale is compiled into a scratch folder where
// the system can build one.
TEST(Title, KeepsThePointUnderACommaLocale) {
  char folder[] = "/tmp/twk-locale-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string build = std::string("localedef -i de_DE -f UTF-8 '") + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  (void)std::system(build.c_str());
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  setenv("LOCPATH", folder, 1);
  char probe[16] = "";
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr &&
                     std::snprintf(probe, sizeof probe, "%.2f", 1.5) > 0 && std::string(probe) == "1,50";
  const std::string title = TitleText(0, 0, 0, 1.5f, 255);
  std::setlocale(LC_NUMERIC, previous.c_str());
  unsetenv("LOCPATH");
  std::filesystem::remove_all(folder);
  if (!comma) GTEST_SKIP() << "no comma locale can be built here";
  EXPECT_EQ(title, "Tarnwick :: line, solid + square (1.50), opacity: 100%");
}

TEST(Title, OpacityPercentRoundsToNearest) {
  const int alphas[] = {0, 5, 65, 190, 250, 255};
  const char* percents[] = {"0%", "2%", "25%", "75%", "98%", "100%"};
  for (int i = 0; i < 6; ++i) {
    const std::string title = TitleText(0, 0, 0, 1.0f, alphas[i]);
    EXPECT_EQ(title.substr(title.rfind(' ') + 1), percents[i]) << "alpha " << alphas[i];
  }
}

TEST(Labels, CodesOutsideTheirTablesAreUnknown) {
  EXPECT_STREQ(TypeName(1), "Curve");
  EXPECT_STREQ(TypeName(3), "Ellipse");
  EXPECT_STREQ(TypeName(7), "UNKNOWN");
  EXPECT_STREQ(TypeName(-1), "UNKNOWN");
  EXPECT_STREQ(MethodName(2), "dots");
  EXPECT_STREQ(MethodName(9), "UNKNOWN");
  EXPECT_STREQ(EndStyleName(1), "center");
  EXPECT_STREQ(EndStyleName(3), "UNKNOWN");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt(7.5), 8);
  EXPECT_EQ(RoundToInt(8.5), 8);
  EXPECT_EQ(RoundToInt(157.5), 158);
  EXPECT_EQ(RoundToInt(22.5), 22);
  EXPECT_EQ(RoundToInt(-0.5), 0);
  EXPECT_EQ(RoundToInt(-1.5), -2);
  EXPECT_EQ(RoundToInt(2.4999), 2);
  EXPECT_EQ(RoundToInt(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundToInt(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt(-3.9), -3);
}

TEST(Colour, OpaqueColoursAreNegative) {
  EXPECT_EQ(PackRGBA(255, 0, 0, 255), -16776961);
  EXPECT_EQ(PackRGBA(0, 0, 0, 255), -16777216);
  EXPECT_LT(PackRGBA(1, 2, 3, 128), 0);
  const std::int32_t c = PackRGBA(10, 20, 30, 40);
  EXPECT_EQ(RedOf(c), 10);
  EXPECT_EQ(GreenOf(c), 20);
  EXPECT_EQ(BlueOf(c), 30);
  EXPECT_EQ(AlphaOf(c), 40);
  EXPECT_EQ(WithAlpha(c, 255), PackRGBA(10, 20, 30, 255));
  EXPECT_EQ(WithRGB(c, PackRGBA(1, 2, 3, 0)), PackRGBA(1, 2, 3, 40));
}

}  // namespace
}  // namespace twk
