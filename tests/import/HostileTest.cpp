// Files made to cost the reader far more than their size get a clear error
// under the same ceilings as documents: entity expansion, deep nesting, a
// huge attribute, endless path data or elements, numbers past the float
// range, an oversized file, a costly style sheet. Nothing external is read.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "import/SvgReader.h"

namespace twk {
namespace {

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

const std::string kOpen = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 16 16'>";

std::string BillionLaughs() {
  std::string dtd = "<!DOCTYPE svg [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 10; ++i)
    dtd += "<!ENTITY l" + std::to_string(i) + " '" + Repeat("&l" + std::to_string(i - 1) + ";", 10) + "'>";
  return dtd + "]>" + kOpen + "<text>&l10;</text></svg>";
}

// Groups of ten uses of the group before, eight deep: 10^8 elements drawn.
std::string UseBomb() {
  std::string text = kOpen + "<defs><g id='a0'>" + Repeat("<g/>", 10) + "</g>";
  for (int i = 1; i <= 8; ++i)
    text += "<g id='a" + std::to_string(i) + "'>" + Repeat("<use href='#a" + std::to_string(i - 1) + "'/>", 10) + "</g>";
  return text + "</defs><use href='#a8'/></svg>";
}

TEST(Hostile, EachFamilyGetsItsOwnClearError) {
  const struct {
    const char* family;
    std::string text;
    std::string error;
  } cases[] = {
      {"billion laughs", BillionLaughs(), "the SVG has entities that expand too far"},
      {"deep nesting", kOpen + Repeat("<g>", 1'000'000), "the SVG nests elements more than 256 deep"},
      {"huge attribute", kOpen + "<path class='" + std::string(40u << 20, 'a') + "'/></svg>",
       "the SVG needs more memory to read than a drawing may take (an element, attribute or entity is too large)"},
      {"huge path data", kOpen + "<path stroke='#000' d='M0 0" + Repeat("L1 1", 300'000) + "'/></svg>",
       "the SVG makes more than 250000 items, the most a drawing holds"},
      {"endless elements", kOpen + Repeat("<line x2='1' stroke='#000'/>", 300'000) + "</svg>",
       "the SVG makes more than 250000 items, the most a drawing holds"},
      {"huge polyline", kOpen + "<polyline stroke='#000' points='" + Repeat("1 1 ", 300'000) + "'/></svg>",
       "the SVG makes more than 250000 items, the most a drawing holds"},
      {"number past float", kOpen + "<path stroke='#000' d='M0 0L1e39 0'/></svg>",
       "the SVG holds a number too large for a drawing: 1e39"},
      {"number past double", kOpen + "<line x2='1e400' stroke='#000'/></svg>",
       "the SVG holds a number too large for a drawing: 1e400"},
      {"huge transform", kOpen + "<g transform='scale(1e30)'><line x2='1e30' stroke='#000'/></g></svg>",
       "the SVG holds numbers too large for a drawing"},
      {"oversized file", kOpen + std::string(64u << 20, ' ') + "</svg>",
       "the SVG is larger than 64 MiB, the most a drawing file may hold"},
      {"use bomb", UseBomb(), "the SVG draws its elements again more than 2000000 times"},
      {"many rules", kOpen + "<style>" + Repeat(".a{stroke:red}", 20'000) + "</style></svg>",
       "the SVG has more than 10000 style rules"},
      {"costly rules", kOpen + "<style>" + Repeat(".a{stroke:red}", 9'000) + "</style>" + Repeat("<g/>", 5'000) + "</svg>",
       "the SVG has a style sheet too costly to apply to so many elements"},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const SvgRead read = ReadSvgText(c.text);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(read.ok) << c.family;
    EXPECT_EQ(read.error, c.error) << c.family;
    EXPECT_EQ(read.doc.CData.size(), 0) << c.family;
    std::printf("%-20s %.3f s\n", c.family, seconds);
  }
}

// Uses that lead back to themselves end there, each named as left out.
TEST(Hostile, UsesInACircleEnd) {
  const SvgRead read = ReadSvgText(kOpen + "<g id='a'><use href='#b'/><line x2='1' stroke='#000'/></g>"
                                   "<g id='b'><use href='#a'/></g><use href='#b'/></svg>");
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.leftOut, "3 uses of other elements");
  EXPECT_EQ(read.doc.CData.size(), 3);  // the line itself, and for each use of a
}

// An external entity naming a FIFO: opening it would block until the test
// times out. The reader never opens it and reads the rest.
TEST(Hostile, ExternalEntitiesAndTheSvgDtdAreNeverFetched) {
  const std::filesystem::path fifo = std::filesystem::temp_directory_path() / ("svg-entity-" + std::to_string(::getpid()));
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const SvgRead read = ReadSvgText(
      "<?xml version='1.0' standalone='no'?>"
      "<!DOCTYPE svg PUBLIC '-//W3C//DTD SVG 1.1//EN' '" + fifo.string() + "' [<!ENTITY x SYSTEM '" +
      fifo.string() + "'><!ENTITY w '2'>]>" + kOpen + "<text>&x;</text><line x2='9' stroke='#000' stroke-width='&w;'/></svg>");
  std::filesystem::remove(fifo);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.leftOut, "1 text");
  ASSERT_EQ(read.doc.CData.size(), 1);
  EXPECT_EQ(read.doc.CData.at(0)->DrawWidth, 2);
}

}  // namespace
}  // namespace twk
