#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "PersistTestSupport.h"
#include "persist/ValueText.h"

namespace twk {
namespace {

// The reference: "%.10f" from the C library, then the trimming rule.
std::string ReferenceFloatText(float value) {
  char text[128];
  std::snprintf(text, sizeof text, "%.10f", static_cast<double>(value));
  std::string s = text;
  if (s.back() == '0') {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

TEST(FloatText, WritesTheDescribedExamples) {
  EXPECT_EQ(FloatText(16.0f), "16");
  EXPECT_EQ(FloatText(0.5f), "0.5");
  EXPECT_EQ(FloatText(3.25f), "3.25");
  EXPECT_EQ(FloatText(0.1f), "0.1000000015");
  EXPECT_EQ(FloatText(-2.0f), "-2");
  EXPECT_EQ(FloatText(-1e-12f), "-0");
  EXPECT_EQ(FloatText(-0.0f), "0");
  EXPECT_EQ(FloatText(0.0f), "0");
  EXPECT_EQ(FloatText(std::numeric_limits<float>::infinity()), "+Infinity");
  EXPECT_EQ(FloatText(-std::numeric_limits<float>::infinity()), "-Infinity");
  EXPECT_EQ(FloatText(std::nanf("")), "NaN");
  EXPECT_EQ(FloatText(1e20f), ReferenceFloatText(1e20f));
  EXPECT_EQ(FloatText(std::numeric_limits<float>::max()), ReferenceFloatText(std::numeric_limits<float>::max()));
}

TEST(FloatText, RoundsExactTiesToEvenLikeTheCLibrary) {
  // 2^-11 * 10^10 = 4882812.5 exactly; 3 * 2^-11 * 10^10 = 14648437.5.
  EXPECT_EQ(FloatText(std::ldexp(1.0f, -11)), "0.0004882812");
  EXPECT_EQ(FloatText(std::ldexp(3.0f, -11)), "0.0014648438");
  EXPECT_EQ(FloatText(std::ldexp(1.0f, -11)), ReferenceFloatText(std::ldexp(1.0f, -11)));
}

TEST(FloatText, MatchesTheCLibraryOverAllMagnitudes) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::uint32_t> bits;
  int compared = 0;
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t b = bits(random);
    float value;
    std::memcpy(&value, &b, sizeof value);
    if (!std::isfinite(value) || value == 0.0f) continue;
    ASSERT_EQ(FloatText(value), ReferenceFloatText(value)) << "bits " << b;
    ++compared;
  }
  // Values a document really holds: quarter steps and eighth steps.
  for (int k = -20000; k <= 20000; ++k) {
    const float value = static_cast<float>(k) * 0.125f;
    if (value == 0.0f) continue;
    ASSERT_EQ(FloatText(value), ReferenceFloatText(value));
    ++compared;
  }
  EXPECT_GT(compared, 100000);
}

// The GUI adopts the user's locale, so the C library's number formatting may
// use a comma; the file text must not. The comma locale is compiled into a
// scratch folder where the system can build one.
TEST(FloatText, IgnoresACommaLocale) {
  test::ScratchDir dir;
  const std::string build = "localedef -i de_DE -f UTF-8 '" + dir.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
  (void)std::system(build.c_str());
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  setenv("LOCPATH", dir.path().c_str(), 1);
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr && ReferenceFloatText(0.5f) == "0,5";
  const float values[] = {3298534883328.0f, 1e20f, -std::numeric_limits<float>::max(), 2.5f, 0.1f};
  std::string texts[5];
  for (int i = 0; i < 5; ++i) texts[i] = FloatText(values[i]);
  std::setlocale(LC_NUMERIC, previous.c_str());
  unsetenv("LOCPATH");
  if (!comma) GTEST_SKIP() << "no comma locale can be built here";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(texts[i], ReferenceFloatText(values[i])) << i;
  EXPECT_EQ(texts[0], "3298534883328");
}

TEST(FloatText, ReadsBackToTheSameFloat) {
  for (float value : {0.1f, 1.0f / 3.0f, 2.5f, -7.125f, 123456.789f, 1e-5f, 15.999999f})
    EXPECT_EQ(ParseFloatText(FloatText(value)), value) << FloatText(value);
}

TEST(EscapedText, EscapesOnlyAmpersandAndAngleBrackets) {
  std::string out;
  AppendEscapedText(out, "<a&b> \"q\" 'x'\t\r\n");
  EXPECT_EQ(out, "&lt;a&amp;b&gt; \"q\" 'x'\t\r\n");
}

TEST(IntegerText, FollowsTheReadingRules) {
  struct Case {
    const char* text;
    std::uint64_t value;
  } cases[] = {
      {"12", 12},       {"  \t\r\n7", 7},   {"+5", 5},        {"-1", ~std::uint64_t{0}}, {"$FF", 255},
      {"$ff", 255},     {"%101", 5},        {"%102", 2},      {"12abc", 12},             {"abc", 0},
      {"", 0},          {"$", 0},           {"- 3", 0},       {"-$10", ~std::uint64_t{0} - 15},
      {"18446744073709551617", 1},  // 2^64 + 1 wraps around
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIntegerText(c.text), c.value) << c.text;
  EXPECT_EQ(static_cast<std::uint8_t>(ParseIntegerText("300")), 44);
  EXPECT_EQ(static_cast<std::uint8_t>(ParseIntegerText("258")), 2);
  EXPECT_EQ(static_cast<std::uint8_t>(ParseIntegerText("-1")), 255);
  EXPECT_EQ(static_cast<std::int32_t>(static_cast<std::uint32_t>(ParseIntegerText("4294967295"))), -1);
}

TEST(FloatTextReading, FollowsTheReadingRules) {
  EXPECT_EQ(ParseFloatText(" 2.5 "), 2.5f);
  EXPECT_EQ(ParseFloatText("\t\n-3.75"), -3.75f);
  EXPECT_EQ(ParseFloatText("1e3"), 1000.0f);
  EXPECT_EQ(ParseFloatText("2.5E-1"), 0.25f);
  EXPECT_EQ(ParseFloatText(".5"), 0.5f);
  EXPECT_EQ(ParseFloatText("4."), 4.0f);
  EXPECT_EQ(ParseFloatText("2.5abc"), 2.5f);
  EXPECT_EQ(ParseFloatText("1e"), 1.0f);
  EXPECT_EQ(ParseFloatText("abc"), 0.0f);
  EXPECT_EQ(ParseFloatText(""), 0.0f);
  EXPECT_EQ(ParseFloatText("2 5"), 2.0f);  // the token ends at white space
  EXPECT_EQ(ParseFloatText("+infinity"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloatText("-INFINITY"), -std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(ParseFloatText("nan")));
  EXPECT_TRUE(std::isnan(ParseFloatText(" NaN ")));
  EXPECT_EQ(ParseFloatText("1e999"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloatText("-1e999"), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloatText("1e-999"), 0.0f);
  EXPECT_EQ(ParseFloatText("1e39"), std::numeric_limits<float>::infinity());  // beyond float
  EXPECT_EQ(ParseFloatText("0.1000000015"), 0.1f);
}

TEST(FloatTextReading, TakesWhatTheCLibraryTakesInTheClassicLocale) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    const char* text;
    float value;  // NaN: any NaN
  } cases[] = {
      {"Infinity", kInf}, {"inf", kInf},          {"-Inf", -kInf},       {"INFINITYx", kInf},
      {"infin", kInf},    {"nan(1)", NAN},        {"-nan", NAN},         {"NaN(abc)", NAN},
      {"0x10", 16},       {"0x1p4", 16},          {"-0X1.8p1", -3},      {"0x", 0},
      {"0x1p999", kInf},  {"1,5", 1},             {"in", 0},             {"3.4028236e38", kInf},
  };
  for (const auto& c : cases) {
    const float read = ParseFloatText(c.text);
    if (std::isnan(c.value)) {
      EXPECT_TRUE(std::isnan(read)) << c.text;
    } else {
      EXPECT_EQ(read, c.value) << c.text;
    }
  }
  // The same in a locale with a decimal comma.
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_EQ(ParseFloatText("2.5"), 2.5f);
    std::setlocale(LC_NUMERIC, "C");
  }
}

}  // namespace
}  // namespace twk
