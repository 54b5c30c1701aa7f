// The SVG text itself: numbers, one element per item kind and paint, and
// the document around them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/Colour.h"
#include "export/SvgDocument.h"
#include "export/SvgItem.h"
#include "export/SvgPathData.h"

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

}  // namespace
}  // namespace twk
