#include <gtest/gtest.h>

#include "persist/PathRules.h"

namespace twk {
namespace {

TEST(ExtensionRule, CutsTheExtensionOfTheFileNameOnly) {
  const struct {
    const char* chosen;
    const char* base;
  } table[] = {
      {"house", "house"},
      {"house.twk", "house"},
      {"house.png", "house"},
      {"a.b.c", "a.b"},
      {"house.", "house."},
      {".twk", ".twk"},
      {"plan.b final", "plan.b final"},
      {"/art/house.twk", "/art/house"},
      {"/art.v2/house", "/art.v2/house"},  // a dot in the folder is no extension
      {"/art.v2/.twk", "/art.v2/.twk"},
      {"C:\\icons\\star.png", "C:\\icons\\star"},
      {"C:\\icons.old\\star", "C:\\icons.old\\star"},
      {"/art/", "/art/"},
      {"", ""},
  };
  for (const auto& row : table) EXPECT_EQ(ExtensionBase(row.chosen), row.base) << row.chosen;
  EXPECT_EQ(ExtensionBase("/art/house") + ".twk", "/art/house.twk");
}

TEST(DocumentPathBeside, NeverNamesTheFileItCameFromAndSurvivesSave) {
  for (const char* from : {"/art/star.svg", "/art/star", "/art/star.twk", "/art/star.SVG", "/art.v2/.svg",
                           "/art/plan.b final", "/art/star."}) {
    const std::string proposal = DocumentPathBeside(from);
    EXPECT_NE(proposal, from);
    // What Save writes when the proposal is taken as it stands.
    EXPECT_EQ(ExtensionBase(proposal) + ".twk", proposal) << from;
  }
  EXPECT_EQ(DocumentPathBeside("/art/star.svg"), "/art/star.twk");
  EXPECT_EQ(DocumentPathBeside("/art/star.twk"), "/art/star.twk.twk");
}

TEST(PresetRule, SplitsAtTheLastSlashAndDropsImpossibleNames) {
  DialogPreset p = PresetFromPath("/home/me/art/house.twk");
  EXPECT_EQ(p.folder, "/home/me/art");
  EXPECT_EQ(p.name, "house.twk");
  p = PresetFromPath("house.twk");
  EXPECT_EQ(p.folder, "");
  EXPECT_EQ(p.name, "house.twk");
  p = PresetFromPath("/top.twk");
  EXPECT_EQ(p.folder, "/");
  EXPECT_EQ(p.name, "top.twk");
  p = PresetFromPath("");
  EXPECT_EQ(p.folder, "");
  EXPECT_EQ(p.name, "");
  p = PresetFromPath("/art/");
  EXPECT_EQ(p.folder, "/art");
  EXPECT_EQ(p.name, "");
  for (const char* bad : {"a\"b", "a*b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b", "a\tb", "a\x1f" "b"}) {
    p = PresetFromPath(std::string("/art/") + bad);
    EXPECT_EQ(p.folder, "/art") << bad;
    EXPECT_EQ(p.name, "") << bad;
  }
  EXPECT_EQ(PresetFromPath("/art/plan b (2) \xC3\xA9.twk").name, "plan b (2) \xC3\xA9.twk");
}

}  // namespace
}  // namespace twk
