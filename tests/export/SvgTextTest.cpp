// The SVG text itself: numbers, one element per item kind and paint, and
// the document around them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

#include "document/Colour.h"
#include "export/SvgDocument.h"
#include "export/SvgItem.h"
#include "export/SvgPathData.h"
#include "tests/render/HostileDrawings.h"

namespace twk {
namespace {

TEST(SvgText, NumbersAreTheShortestThatReadBackAsTheSameFloat) {
  const std::pair<double, const char*> cases[] = {
      {2.5, "2.5"}, {0.1f, "0.1"}, {-0.0, "0"}, {-3, "-3"}, {1.0 / 3, "0.33333334"}, {1e30, "1e+30"}};
  for (const auto& [value, text] : cases) {
    std::string out;
    AppendNumber(out, value);
    EXPECT_EQ(out, text) << value;
  }
}

TWKDATA Line(float x1, float y1, float x4, float y4, int method, int ends, float width) {
  TWKDATA it;
  it.Type = kLine;
  it.DrawMethod = static_cast<std::uint8_t>(method);
  it.DrawMethod2 = static_cast<std::uint8_t>(ends);
  it.DrawWidth = width;
  it.DrawRGBA = PackRGBA(255, 0, 0, 255);
  it.Visible = 1;
  it.X1 = x1, it.Y1 = y1, it.X4 = x4, it.Y4 = y4;
  return it;
}

TWKDATA SwappedTranslucentRect() {
  TWKDATA it = Line(6, 8, 2, 3, kFill, kSquareEnds, 1);
  it.Type = kRect;
  it.DrawRGBA = PackRGBA(0, 0, 255, 128);
  it.DrawAngle = 450;
  return it;
}

TWKDATA FlatEllipse() {
  TWKDATA it = Line(4, 4, 9, 4, kSolid, kSquareEnds, 1);
  it.Type = kEllipse;
  return it;
}

TWKDATA With(TWKDATA it, float TWKDATA::*field, float value) {
  it.*field = value;
  return it;
}

constexpr const char* kRedPen = R"~( fill="none" stroke="#ff0000" stroke-width=")~";

TEST(SvgText, EachItemIsOneElementOfTheRenderersGeometry) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  TWKDATA hidden = Line(0, 0, 5, 5, kSolid, kSquareEnds, 1);
  hidden.Visible = 0;
  const struct {
    const char* what;
    TWKDATA item;
    std::string element;
  } cases[] = {
      {"solid line", Line(2.5f, 3.5f, 10.5f, 12.5f, kSolid, kSquareEnds, 1),
       std::string(R"~(<path d="M2.5 3.5L10.5 12.5")~") + kRedPen +
           R"~(1" stroke-linecap="square" stroke-miterlimit="10"/>)~"},
      {"filled rect, corners swapped, turned, translucent", SwappedTranslucentRect(),
       R"~(<path d="M2 3L6 3 6 8 2 8Z" transform="rotate(90 4 5.5)" fill="#0000ff" fill-opacity="0.5019608" fill-rule="evenodd"/>)~"},
      {"a line is stroked even with fill", Line(0, 1, 7, 1, kFill, kCenterEnds, 2),
       std::string(R"~(<path d="M0 1L7 1")~") + kRedPen + R"~(2" stroke-miterlimit="10"/>)~"},
      {"center dots: flat dashes centred every 1.5 widths", Line(0, 1, 7, 1, kDots, kCenterEnds, 2),
       std::string(R"~(<path d="M0 1L1 1M2 1L4 1M5 1L7 1")~") + kRedPen + R"~(2" stroke-miterlimit="10"/>)~"},
      {"square dots: the figure's ends get the square cap", Line(0, 1, 7, 1, kDots, kSquareEnds, 2),
       std::string(R"~(<path d="M-1 1L0 1 1 1M2 1L4 1M5 1L7 1 8 1")~") + kRedPen + R"~(2" stroke-miterlimit="10"/>)~"},
      {"round dots: a disc every half width", Line(0, 1, 3, 1, kDots, kRoundEnds, 2),
       std::string(R"~(<path d="M0 1h0M1 1h0M2 1h0M3 1h0")~") + kRedPen +
           R"~(2" stroke-linecap="round" stroke-linejoin="round"/>)~"},
      {"flat ellipse with square ends: a square at the centre", FlatEllipse(),
       std::string(R"~(<path d="M3.5 4h1")~") + kRedPen + R"~(1" stroke-miterlimit="10"/>)~"},
      {"hidden", hidden, ""},
      {"unknown kind", With(Line(0, 0, 5, 5, kSolid, kSquareEnds, 1), &TWKDATA::X2, 0), ""},
      {"no width", Line(0, 0, 5, 5, kSolid, kSquareEnds, 0), ""},
      {"non-finite end point", Line(0, 0, nan, 5, kSolid, kSquareEnds, 1), ""},
      {"non-finite angle", With(Line(0, 0, 5, 5, kSolid, kSquareEnds, 1), &TWKDATA::DrawAngle, nan), ""},
      {"non-finite number it does not use", With(Line(0, 0, 5, 5, kSolid, kSquareEnds, 1), &TWKDATA::X2, nan),
       std::string(R"~(<path d="M0 0L5 5")~") + kRedPen + R"~(1" stroke-linecap="square" stroke-miterlimit="10"/>)~"},
  };
  for (const auto& c : cases) {
    TWKDATA item = c.item;
    if (std::string(c.what) == "unknown kind") item.Type = 4;
    EXPECT_EQ(SvgItemElement(item, 16), c.element.empty() ? "" : c.element + "\n") << c.what;
  }
}

TEST(SvgText, DotsTooFineForTheSizeAreTheLineTheRendererPaints) {
  // Round dots 0.5 units apart, shown at one pixel per unit.
  EXPECT_EQ(SvgItemElement(Line(0, 1, 3, 1, kDots, kRoundEnds, 1), 1),
            std::string(R"~(<path d="M0 1L3 1")~") + kRedPen +
                R"~(1" stroke-linecap="round" stroke-linejoin="round"/>)~" + "\n");
  // Square dashes 0.6 apart average to two thirds of the colour.
  EXPECT_EQ(SvgItemElement(Line(0, 1, 3, 1, kDots, kCenterEnds, 0.4f), 1),
            R"~(<path d="M0 1L3 1" fill="none" stroke="#ff0000" stroke-opacity="0.6666667" stroke-width="0.4" stroke-miterlimit="10"/>)~"
            "\n");
}

TEST(SvgText, TheDocumentPaintsTheLastItemFirstAtTheChosenSize) {
  TWKFILE doc;
  doc.TWKW = doc.TWKH = 4;  // the full 16 x 16 units are written whatever the size
  doc.CData.append(Line(1, 1, 2, 2, kSolid, kCenterEnds, 1));
  doc.CData.append(Line(3, 3, 4, 4, kSolid, kCenterEnds, 1));
  EXPECT_EQ(DocumentToSvg(doc, 48),
            std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"48\" height=\"48\" "
                        "viewBox=\"0 0 16 16\">\n") +
                SvgItemElement(*doc.CData.at(1), 3) + SvgItemElement(*doc.CData.at(0), 3) + "</svg>\n");
}

TEST(SvgText, WritesOnlyTheDotsThatCanTouchThePicture) {
  const TWKFILE doc = test::DottedArcs(100);
  const std::string svg = DocumentToSvg(doc, 1024);
  EXPECT_LT(svg.size(), std::size_t{1} << 20);
  // Dots near the picture stay: a dotted line across it keeps every dot.
  TWKFILE across;
  across.CData.append(Line(-100, 8, 100, 8, kDots, kRoundEnds, 1.0f / 32));
  const std::string line = DocumentToSvg(across, 1024);
  const auto dots = static_cast<std::size_t>(std::count(line.begin(), line.end(), 'M'));
  EXPECT_GE(dots, 16u * 64 + 2);   // a dot per pixel across the picture
  EXPECT_LE(dots, 16u * 64 + 12);  // and only a few beyond it
}

TEST(SvgText, AnItemWhoseNumbersOverflowIsLeftOut) {
  TWKDATA ellipse = Line(-3e38f, 5, 3e38f, 9, kSolid, kSquareEnds, 1);
  ellipse.Type = kEllipse;
  ellipse.Y2 = 360;
  EXPECT_EQ(SvgItemElement(ellipse, 16), "");
  TWKFILE doc;
  doc.CData.append(ellipse);
  doc.CData.append(Line(0, 1, 3, 1, kSolid, kSquareEnds, 1));
  const std::string svg = DocumentToSvg(doc, 16);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_NE(svg.find("M0 1L3 1"), std::string::npos);
}

TEST(SvgText, ATextPastTheCeilingIsRefusedAndNothingWritten) {
  TWKFILE doc;
  for (int i = 0; i < 200; ++i) doc.CData.append(Line(0, float(i % 16), 16, 1, kSolid, kSquareEnds, 1));
  std::string svg;
  ASSERT_TRUE(DocumentToSvgWithin(doc, 16, 1 << 20, svg));
  const std::size_t full = svg.size();
  EXPECT_TRUE(DocumentToSvgWithin(doc, 16, full, svg));
  EXPECT_FALSE(DocumentToSvgWithin(doc, 16, full - 1, svg));
  const std::string path = ::testing::TempDir() + "/twk-ceiling.svg";
  std::remove(path.c_str());
  EXPECT_EQ(WriteSvgFile(doc, path, 16, full - 1), SvgWrite::kTooLarge);
  EXPECT_FALSE(std::ifstream(path).good());
}

}  // namespace
}  // namespace twk
