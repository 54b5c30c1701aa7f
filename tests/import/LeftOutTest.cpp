// What items cannot draw is named with its count; what paints nothing goes
// without a word.

#include <gtest/gtest.h>

#include "import/SvgReader.h"

namespace twk {
namespace {

SvgRead Read(const std::string& body) {
  return ReadSvgText("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                     "viewBox='0 0 16 16'>" + body + "</svg>");
}

TEST(LeftOut, EachKindIsNamedWithItsCount) {
  const SvgRead read = Read(
      "<defs><linearGradient id='g'/><pattern id='p'/><clipPath id='c'/><mask id='m'/><filter id='f'/>"
      "<marker id='k'/></defs>"
      "<path d='M1 1L5 1L3 4z'/><polygon points='1 1 5 1 3 4' fill='red' stroke='#000'/>"
      "<rect x='1' y='1' width='4' height='4' rx='1' fill='#000'/>"
      "<text x='1' y='10'>Hi</text><image href='a.png' width='4' height='4'/>"
      "<rect width='4' height='4' fill='url(#g)' stroke='url(#p)'/>"
      "<circle r='2' fill='url(#nowhere)'/><circle r='2' fill='url(#nowhere) blue'/>"
      "<g clip-path='url(#c)' mask='url(#m)' filter='url(#f)'><line x2='4' stroke='#000' stroke-dasharray='1 1'/></g>"
      "<path d='M1 1h4' stroke='#000' marker-end='url(#k)'/><use xlink:href='#x'/><foreignObject/>");
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.leftOut,
            "3 filled paths, 1 text, 1 image, 2 gradients, 1 pattern, 1 mask, 1 clip path, 1 filter, 1 marker, "
            "1 dashed stroke (drawn solid), 1 use of another element, 1 foreign object");
  // What could come in did: the polygon's stroke, the dashed line drawn
  // solid, the marked path, the circle with a fallback colour.
  EXPECT_EQ(read.doc.CData.size(), 3 + 1 + 1 + 1);
}

TEST(LeftOut, ThingsThatPaintNothingAreSkippedWithoutAWord) {
  const SvgRead read = Read(
      "<title>t</title><desc>d</desc><metadata><x/></metadata><defs><path d='M1 1L5 1L3 4z'/><text>x</text></defs>"
      "<path d='M1 1L5 1L3 4z' fill='none'/><path d='M1 1L5 1L3 4z' display='none'/>"
      "<g style='display:none'><text>hidden</text><image/></g><text fill='none'>no paint</text>"
      "<path d='M1 1L5 1L3 4z' visibility='hidden'/><symbol><rect width='1' height='1'/></symbol>"
      "<unknown><rect width='1' height='1'/></unknown>");
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.leftOut, "");
  EXPECT_EQ(read.doc.CData.size(), 0);
}

// Design tools clip a whole icon to its frame, often with the clip path
// defined after the drawing: a clip that cuts nothing off is no loss.
TEST(LeftOut, AClipToTheWholeFrameIsNoLoss) {
  const SvgRead read = Read(
      "<g clip-path='url(#frame)'><line x2='9' stroke='#000'/></g>"
      "<g clip-path='url(#part)'><line x2='9' stroke='#000'/></g>"
      "<g transform='translate(4 0)' clip-path='url(#frame)'><line x2='9' stroke='#000'/></g>"
      "<defs><clipPath id='frame'><rect width='16' height='16' fill='white'/></clipPath>"
      "<clipPath id='part'><rect width='8' height='16'/></clipPath></defs>");
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.leftOut, "2 clip paths");
  EXPECT_EQ(read.doc.CData.size(), 3);
}

TEST(LooksLikeSvg, ToldByTheFirstBytes) {
  const struct {
    std::string head;
    bool svg;
  } cases[] = {
      {"<svg xmlns='http://www.w3.org/2000/svg'>", true},
      {"\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- by hand -->\n<svg>", true},
      {"<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">"
       "<svg viewBox='0 0 1 1'/>", true},
      {"<!DOCTYPE svg [ <!ENTITY a '>'> ]>\r\n<svg:svg xmlns:svg='http://www.w3.org/2000/svg'/>", true},
      {"<?xml version='1.0'?><html><svg>", false},
      {"<svgx>", false},
      {"<svg", false},  // the name may go on past what was read
      {"<!-- an unended comment <svg>", false},
      {"TWK\x01\x00\x00", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikeSvg(c.head), c.svg) << c.head;
}

}  // namespace
}  // namespace twk
