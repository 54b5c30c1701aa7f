// Fitting cases: each drawing fitted for one picture size, compared item by
// item with the whole record it must become.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "document/Colour.h"
#include "fit/FitToPixels.h"

namespace twk {

// Failures name the fields, not the bytes.
void PrintTo(const TWKDATA& d, std::ostream* os) {
  *os << "{type " << int(d.Type) << " method " << int(d.DrawMethod) << " ends " << int(d.DrawMethod2) << " width "
      << d.DrawWidth << " angle " << d.DrawAngle << " (" << d.X1 << ", " << d.Y1 << ") (" << d.X2 << ", " << d.Y2
      << ") (" << d.X3 << ", " << d.Y3 << ") (" << d.X4 << ", " << d.Y4 << ")}";
}

namespace {

constexpr std::int32_t kInk = PackRGBA(40, 40, 48, 255);

TWKDATA Item(std::uint8_t type, std::uint8_t method, std::uint8_t ends, float width, float x1, float y1, float x4,
             float y4, float angle = 0, float x2 = 0, float y2 = 0) {
  TWKDATA d;
  d.Type = type, d.DrawMethod = method, d.DrawMethod2 = ends, d.DrawWidth = width, d.DrawAngle = angle;
  d.DrawRGBA = kInk, d.Visible = 1;
  d.X1 = x1, d.Y1 = y1, d.X2 = x2, d.Y2 = y2, d.X4 = x4, d.Y4 = y4;
  return d;
}
TWKDATA Line(float x1, float y1, float x4, float y4, float width, std::uint8_t ends = kCenterEnds) {
  return Item(kLine, kSolid, ends, width, x1, y1, x4, y4);
}
TWKDATA Box(float x1, float y1, float x4, float y4, float width, float angle = 0) {
  return Item(kRect, kSolid, kSquareEnds, width, x1, y1, x4, y4, angle);
}
TWKDATA Fill(float x1, float y1, float x4, float y4) { return Item(kRect, kFill, kSquareEnds, 0, x1, y1, x4, y4); }
TWKDATA Circle(float cx, float cy, float r, float width) {
  return Item(kEllipse, kSolid, kSquareEnds, width, cx, cy, cx + r, cy + r);
}
// A value given in pixels of a picture `edge` wide, in units.
float Px(double px, int edge) { return static_cast<float>(px * 16.0 / edge); }

struct FitCase {
  std::string name;
  int edge;
  std::vector<TWKDATA> drawn;   // front item first
  std::vector<TWKDATA> fitted;
};

std::vector<FitCase> Cases() {
  // Edge ties at 16 px: a centred fill loses a pixel toward the centre, a
  // lone one goes right and down, keeping its width.
  FitCase centres16{"fill on cell centres at 16", 16,
                    {Fill(4.5, 4.5, 11.5, 11.5), Fill(2.5, 2.5, 5.5, 4.5)},
                    {Fill(5, 5, 11, 11), Fill(3, 3, 6, 5)}};
  FitCase centres24{"fill on cell centres at 24", 24, {Fill(2.5, 2.5, 5.5, 4.5)},
                    {Fill(Px(4, 24), Px(4, 24), Px(8, 24), Px(7, 24))}};
  // Width 2 is 2.5 px at 20: 3 px, centred on a half pixel.
  TWKDATA stem = Line(Px(6.5, 20), Px(4, 20), Px(6.5, 20), Px(16, 20), Px(3, 20));
  FitCase wide{"width-2 stem", 20, {Line(5, 3, 5, 13, 2)}, {stem}};
  // Turned a quarter about its centre (8, 8): 9 x 5 units become 5 x 9,
  // then 2 px strokes on whole pixels.
  TWKDATA turned = Box(Px(8, 24), Px(5, 24), Px(16, 24), Px(19, 24), Px(2, 24));
  FitCase quarter{"rect turned by 90", 24, {Box(3.5, 5.5, 12.5, 10.5, 1, 90)}, {turned}};
  // At 22 px x rounds to 2.5..8.5 px (6 apart) but y to 3.5..8.5: y keeps
  // its first stem and puts the second 6 px away.
  TWKDATA round = Circle(4, Px(6.5, 22), Px(3, 22), Px(1, 22));
  FitCase circle{"circle", 22, {Circle(4, 4.5, 2, 1)}, {round}};
  // The stroke's lower edge is the fill's top: the stroke takes its
  // position from that edge, so both still touch at 10 px (centred alone,
  // the stroke would end at 9 px).
  FitCase shared{"shared edge between two items", 22,
                 {Line(2, 6.5, 14, 6.5, 1), Fill(2, 7, 14, 12)},
                 {Line(Px(3, 22), Px(9.5, 22), Px(19, 22), Px(9.5, 22), Px(1, 22)),
                  Fill(Px(3, 22), Px(10, 22), Px(19, 22), Px(17, 22))}};
  // Two bars at 5 and 11 units: each a tie at 16 px, both toward the centre.
  FitCase mirrored{"mirrored pair", 16, {Line(5, 3, 5, 13, 1), Line(11, 3, 11, 13, 1)},
                   {Line(5.5, 3, 5.5, 13, 1), Line(10.5, 3, 10.5, 13, 1)}};
  // The stroke centres land on half pixels (3.5 and 16.5 px at 20): the
  // fill goes to the inside half of the stroke, not its outer side.
  FitCase onOutline{"fill on an outline", 20,
                    {Box(2.5, 2.5, 13.5, 13.5, 1), Fill(2.5, 2.5, 13.5, 13.5)},
                    {Box(Px(3.5, 20), Px(3.5, 20), Px(16.5, 20), Px(16.5, 20), Px(1, 20)),
                     Fill(Px(4, 20), Px(4, 20), Px(16, 20), Px(16, 20))}};
  // The diagonal's start lies on the fitted line's end and centre line and
  // moves with them; its other end stays.
  TWKDATA diagonal = Line(10, 4, 14, 12, 1, kRoundEnds);
  TWKDATA followed = diagonal;
  followed.X1 = Px(13, 20), followed.Y1 = Px(5.5, 20), followed.DrawWidth = Px(1, 20);
  FitCase follows{"diagonal following a fitted end", 20, {Line(2, 4, 10, 4, 1), diagonal},
                  {Line(Px(3, 20), Px(5.5, 20), Px(13, 20), Px(5.5, 20), Px(1, 20)), followed}};
  return {centres16, centres24, wide, quarter, circle, shared, mirrored, onOutline, follows};
}

TEST(FitToPixels, FitsEachCaseToItsWholeRecords) {
  for (const FitCase& c : Cases()) {
    TWKFILE doc;
    for (const TWKDATA& item : c.drawn) doc.CData.append(item);
    const TWKFILE before = doc;
    const TWKFILE fitted = FitToPixels(doc, c.edge);
    ASSERT_EQ(fitted.CData.size(), static_cast<int>(c.fitted.size())) << c.name;
    for (int i = 0; i < fitted.CData.size(); ++i) {
      EXPECT_EQ(*fitted.CData.at(i), c.fitted[static_cast<std::size_t>(i)]) << c.name << ", item " << i;
      // A moved item is a new item state; the document itself is untouched.
      EXPECT_EQ(fitted.CData.at(i)->Revision == doc.CData.at(i)->Revision, *fitted.CData.at(i) == *doc.CData.at(i))
          << c.name;
      EXPECT_EQ(*doc.CData.at(i), *before.CData.at(i)) << c.name;
    }
  }
}

}  // namespace
}  // namespace twk
