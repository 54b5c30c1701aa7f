// Shapes, transforms, the viewBox and paint read into items, each case
// compared as the whole list of item records (back first, as drawn).

#include <gtest/gtest.h>

#include <cmath>

#include "ImportTestSupport.h"
#include "import/SvgReader.h"

namespace twk {
namespace {

using testing::Rounded;

std::string Items(const std::string& body, const std::string& root = "viewBox='0 0 16 16'",
                  const SvgReadOptions& options = {}) {
  const SvgRead read = ReadSvgText("<svg xmlns='http://www.w3.org/2000/svg' " + root + ">" + body + "</svg>", options);
  if (!read.ok) return "error: " + read.error;
  std::string text;
  for (int i = read.doc.CData.size() - 1; i >= 0; --i) text += testing::ItemLine(*read.doc.CData.at(i)) + "\n";
  return text;
}

// One record: "Kind method ends wWIDTH aANGLE #rrggbb/ALPHA" and the points.
std::string R(const std::string& head, std::initializer_list<double> points) {
  std::string line = head;
  for (double v : points) line += " " + Rounded(v);
  return line + "\n";
}
std::string Line(const std::string& pen, double x1, double y1, double x4, double y4) {
  return R("Line solid " + pen, {x1, y1, x1, y1, x1, y1, x4, y4});
}
std::string Arc(const std::string& head, double cx, double cy, double rx, double ry, double from, double to) {
  return R(head, {cx, cy, from, to, 0, 0, cx + rx, cy + ry});
}

TEST(Shapes, ShapesAndTransformsBecomeTheseItems) {
  const std::string black = "#000000/255", square1 = "square w1.000 a0.000 " + black;
  const struct {
    std::string body, root, items;
  } cases[] = {
      {"<rect x='2' y='3' width='8' height='4' fill='none' stroke='red'/>", "",
       R("Rect solid square w1.000 a0.000 #ff0000/255", {2, 3, 2, 3, 2, 3, 10, 7})},
      // Fill under stroke; a round join gives round ends.
      {"<rect x='2' y='3' width='8' height='4' fill='#0f0' stroke='blue' stroke-width='2' stroke-linejoin='round'/>", "",
       R("Rect fill center w0.000 a0.000 #00ff00/255", {2, 3, 2, 3, 2, 3, 10, 7}) +
           R("Rect solid round w2.000 a0.000 #0000ff/255", {2, 3, 2, 3, 2, 3, 10, 7})},
      // Rounded corners: four sides and four quarter arcs.
      {"<rect x='2' y='2' width='8' height='6' rx='1' fill='none' stroke='#000'/>", "",
       Line(square1, 3, 2, 9, 2) + Arc("Ellipse solid " + square1, 9, 3, 1, 1, 270, 360) +
           Line(square1, 10, 3, 10, 7) + Arc("Ellipse solid " + square1, 9, 7, 1, 1, 0, 90) +
           Line(square1, 9, 8, 3, 8) + Arc("Ellipse solid " + square1, 3, 7, 1, 1, 90, 180) +
           Line(square1, 2, 7, 2, 3) + Arc("Ellipse solid " + square1, 3, 3, 1, 1, 180, 270)},
      {"<circle cx='8' cy='8' r='3' fill='#123456'/>", "",
       Arc("Ellipse fill center w0.000 a0.000 #123456/255", 8, 8, 3, 3, 0, 360)},
      {"<g transform='rotate(30 8 8)'><ellipse cx='8' cy='8' rx='4' ry='2' fill='none' stroke='#000'/></g>", "",
       Arc("Ellipse solid square w1.000 a30.000 " + black, 8, 8, 4, 2, 0, 360)},
      // A circle stretched and turned: an ellipse with its turn; the pen
      // scales with the square root of the area.
      {"<circle cx='4' cy='8' r='2' transform='scale(2 1)' fill='none' stroke='#000'/>", "",
       Arc("Ellipse solid square w1.414 a0.000 " + black, 8, 8, 4, 2, 0, 360)},
      {"<circle cx='8' cy='8' r='2' transform='rotate(90 8 8) translate(8 8) scale(2 1) translate(-8 -8)' "
       "fill='none' stroke='#000'/>", "",
       Arc("Ellipse solid square w1.414 a0.000 " + black, 8, 8, 2, 4, 0, 360)},
      {"<ellipse cx='8' cy='8' rx='2' ry='4' transform='rotate(-60 8 8)' fill='none' stroke='#000'/>", "",
       Arc("Ellipse solid square w1.000 a30.000 " + black, 8, 8, 4, 2, 0, 360)},
      // A half circle mirrored by a flip still runs clockwise in the item.
      {"<path d='M2 8A6 6 0 0 1 14 8' transform='matrix(1 0 0 -1 0 16)' fill='none' stroke='#000'/>", "",
       Arc("Ellipse solid center w1.000 a0.000 " + black, 8, 8, 6, 6, 0, 180)},
      // Skewed, a rect has no right angles left: four lines.
      {"<rect x='2' y='2' width='4' height='4' transform='skewX(45)' fill='none' stroke='#000'/>", "",
       Line(square1, 4, 2, 8, 2) + Line(square1, 8, 2, 12, 6) + Line(square1, 12, 6, 8, 6) + Line(square1, 8, 6, 4, 2)},
      {"<rect x='4' y='6' width='8' height='4' transform='rotate(30 8 8)'/>", "",
       R("Rect fill center w0.000 a30.000 " + black, {4, 6, 4, 6, 4, 6, 12, 10})},
      {"<rect x='4' y='6' width='8' height='4' transform='rotate(120 8 8)'/>", "",
       R("Rect fill center w0.000 a30.000 " + black, {6, 4, 6, 4, 6, 4, 10, 12})},
      {"<rect x='4' y='6' width='8' height='4' transform='rotate(90 8 8)'/>", "",
       R("Rect fill center w0.000 a0.000 " + black, {6, 4, 6, 4, 6, 4, 10, 12})},
      // Filled paths that one item draws: a box, a whole circle of two
      // arcs, a curve or an arc closed by its chord.
      {"<path d='M2 2h6v4H2z'/>", "", R("Rect fill center w0.000 a0.000 " + black, {2, 2, 2, 2, 2, 2, 8, 6})},
      {"<path d='M4 8a4 4 0 1 0 8 0a4 4 0 1 0-8 0'/>", "",
       Arc("Ellipse fill center w0.000 a0.000 " + black, 8, 8, 4, 4, 0, 360)},
      {"<path d='M2 10C2 4 14 4 14 10z'/>", "", R("Curve fill center w0.000 a0.000 " + black, {2, 10, 2, 4, 14, 4, 14, 10})},
      {"<path d='M2 8A6 6 0 0 1 14 8Z'/>", "", Arc("Ellipse fill center w0.000 a0.000 " + black, 8, 8, 6, 6, 180, 360)},
      // A filled line encloses nothing: no fill, nothing left out.
      {"<line x1='1' y1='1' x2='9' y2='9' stroke='#000'/>", "", Line("center w1.000 a0.000 " + black, 1, 1, 9, 9)},
      // The viewBox (else width and height) fills the area, aspect kept, centred.
      {"<line x1='0' y1='0' x2='32' y2='16' stroke='#000'/>", "viewBox='0 0 32 16'",
       Line("center w0.500 a0.000 " + black, 0, 4, 16, 12)},
      {"<line x1='0' y1='0' x2='8' y2='16' stroke='#000'/>", "width='8' height='16px'",
       Line("center w1.000 a0.000 " + black, 4, 0, 12, 16)},
      {"<line x1='-4' y1='-4' x2='4' y2='4' stroke='#000'/>", "viewBox='-4,-4,8,8' width='100%'",
       Line("center w2.000 a0.000 " + black, 0, 0, 16, 16)},
      // Percentages are of the viewBox: width, height, and for r its
      // normalized diagonal (sqrt((32² + 16²) / 2) = 25.3).
      {"<rect width='100%' height='50%' fill='none' stroke='#000'/><circle cx='50%' cy='50%' r='25%' fill='#000'/>",
       "viewBox='0 0 32 16'",
       R("Rect solid square w0.500 a0.000 " + black, {0, 4, 0, 4, 0, 4, 16, 8}) +
           Arc("Ellipse fill center w0.000 a0.000 " + black, 8, 8, 3.162, 3.162, 0, 360)},
      // <use> draws its element again, moved by x and y, inheriting the
      // use's style; a symbol draws as a group.
      {"<defs><path id='p' d='M1 1H5' stroke='#000'/></defs><use href='#p' x='2' y='3'/>", "",
       Line("center w1.000 a0.000 " + black, 3, 4, 7, 4)},
      {"<symbol id='s'><line x2='4' stroke='#000'/></symbol><use xlink:href='#s' transform='translate(0 2)' "
       "stroke-width='2'/>", "", Line("center w2.000 a0.000 " + black, 0, 2, 4, 2)},
      {"<line id='q' x2='4'/><use href='#q' stroke='red'/>", "", Line("center w1.000 a0.000 #ff0000/255", 0, 0, 4, 0)},
      // Hidden, display none, no paint: nothing.
      {"<g display='none'><line x2='9' stroke='#000'/></g><line x2='9' stroke='#000' visibility='hidden'/>"
       "<rect width='4' height='4' fill='none'/><circle r='0' stroke='#000'/>", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Items(c.body, c.root.empty() ? "viewBox='0 0 16 16'" : c.root), c.items) << c.body;
}

TEST(Shapes, PaintCascadesAndInheritsAsInSvg) {
  const auto stroke = [](const std::string& colour) {
    return Line("center w1.000 a0.000 " + colour, 0, 0, 9, 0);
  };
  const std::string line = "<line x2='9'";
  const struct {
    std::string body, items;
  } cases[] = {
      {line + " stroke='#abc'/>", stroke("#aabbcc/255")},
      {line + " stroke='rgb(10%, 20%, 255)'/>", stroke("#1a33ff/255")},
      {line + " stroke='RebeccaPurple'/>", stroke("#663399/255")},
      {line + " stroke='#11223380'/>", stroke("#112233/128")},
      {"<g color='#f00'>" + line + " stroke='currentColor'/></g>", stroke("#ff0000/255")},
      // Group opacity multiplies into the stroke opacity.
      {"<g opacity='0.5'>" + line + " stroke='#000' stroke-opacity='50%'/></g>", stroke("#000000/64")},
      // Inherited from the group; a bad value changes nothing; inherit.
      {"<g stroke='red'>" + line + "/></g>", stroke("#ff0000/255")},
      {"<g stroke='red'>" + line + " stroke='nonsense'/></g>", stroke("#ff0000/255")},
      {"<g stroke='red'><g stroke='blue'>" + line + " stroke='inherit'/></g></g>", stroke("#0000ff/255")},
      // Presentation attribute < style sheet (by specificity, then order) <
      // style attribute.
      {"<style>line{stroke:red}.a{stroke:lime}</style>" + line + " class='a' stroke='#000'/>", stroke("#00ff00/255")},
      {"<style>#b{stroke:blue}.a{stroke:lime}</style>" + line + " class='x a' id='b'/>", stroke("#0000ff/255")},
      {"<style><![CDATA[ line.a { stroke: red } ]]></style>" + line + " class='a' style='stroke:#ff0'/>",
       stroke("#ffff00/255")},
      // Rules with selectors the reader does not take are skipped.
      {"<style>g line{stroke:red} @media print{line{stroke:blue}} line{stroke:#010203}</style>" + line + "/>",
       stroke("#010203/255")},
  };
  for (const auto& c : cases) EXPECT_EQ(Items(c.body), c.items) << c.body;
  SvgReadOptions blue;
  blue.currentColor = PackRGBA(0, 0, 255, 255);
  EXPECT_EQ(Items(line + " stroke='currentColor'/>", "viewBox='0 0 16 16'", blue), stroke("#0000ff/255"));
}

TEST(Shapes, ASvgWithoutSizeOrRootIsRefusedInWords) {
  const struct {
    std::string text, error;
  } cases[] = {
      {"<svg xmlns='http://www.w3.org/2000/svg'><line x2='9' stroke='#000'/></svg>",
       "the SVG has no size: no viewBox, width or height"},
      {"<svg viewBox='0 0 0 16'/>", "the SVG has an empty viewBox: its width and height must be above 0"},
      {"<html><svg viewBox='0 0 16 16'/></html>", "the SVG is not an SVG image: its document element is <html>"},
      {"<svg viewBox='0 0 16 16'><g></svg>", "the SVG is not well-formed XML (line 1: mismatched tag)"},
      {"", "the SVG is not an XML document: no element found"},
  };
  for (const auto& c : cases) {
    const SvgRead read = ReadSvgText(c.text);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, c.error) << c.text;
  }
}

}  // namespace
}  // namespace twk
