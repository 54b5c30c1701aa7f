// Pictures of the document states seen lately: found again only for a
// document that paints exactly the same, with the same marks, within a
// budget.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "render/canvas/SeenPictures.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr float kPpu = 20;

TWKFILE FourItems() {
  TWKFILE doc;
  doc.TWKW = doc.TWKH = 16;
  for (int i = 0; i < 4; ++i) doc.CData.append(test::MakeItem(kRect, 1.0f + i, 1, 6.0f + i, 7));
  return doc;
}

std::shared_ptr<const Image> Picture(int side) { return Image::NewFilled(side, side, 0x336699); }

TEST(SeenPicturesTest, APictureIsFoundOnlyForTheSameItemsInTheSameFrame) {
  const TWKFILE doc = FourItems();
  const PictureFrame frame{1, 320, 320, 16, 16, kPpu, kPpu};
  const struct {
    const char* what;
    std::function<void(TWKFILE&, PictureFrame&)> change;
    bool found;
  } cases[] = {
      {"a copy of the document", [](TWKFILE&, PictureFrame&) {}, true},
      {"one item changed", [](TWKFILE& d, PictureFrame&) { Touch(*d.CData.at(2)); }, false},
      {"two items swapped", [](TWKFILE& d, PictureFrame&) { d.CData.moveBefore(d.CData.at(1), d.CData.at(0)); }, false},
      {"an item removed", [](TWKFILE& d, PictureFrame&) { d.CData.remove(d.CData.at(3)); }, false},
      {"an item added", [](TWKFILE& d, PictureFrame&) { d.CData.append(*d.CData.at(0)); }, false},
      {"another scale", [](TWKFILE&, PictureFrame& f) { f.ppuY = 10; }, false},
      {"another document size", [](TWKFILE&, PictureFrame& f) { f.twkw = 32; }, false},
      {"another grid size", [](TWKFILE&, PictureFrame& f) { f.gridHeight = 200; }, false},
      {"a new grid", [](TWKFILE&, PictureFrame& f) { ++f.gridEpoch; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SeenPictures seen;
    const auto picture = Picture(8);
    seen.Keep(frame, doc, picture);
    TWKFILE other = doc;
    PictureFrame otherFrame = frame;
    c.change(other, otherFrame);
    EXPECT_EQ(seen.Find(otherFrame, other).plain, c.found ? picture : nullptr);
  }
}

TEST(SeenPicturesTest, PastTheBudgetThePictureUsedLeastRecentlyGoes) {
  const PictureFrame frame{1, 320, 320, 16, 16, kPpu, kPpu};
  TWKFILE docs[3] = {FourItems(), FourItems(), FourItems()};
  const std::size_t pictureBytes = 8 * 8 * 4;
  const struct {
    const char* what;
    std::size_t mostPictures, mostBytes;
  } budgets[] = {
      {"two pictures", 2, 100 * pictureBytes},
      {"two pictures' bytes", 10, 2 * pictureBytes + pictureBytes / 2},
  };
  for (const auto& b : budgets) {
    SCOPED_TRACE(b.what);
    SeenPictures seen(b.mostPictures, b.mostBytes);
    const auto first = Picture(8), second = Picture(8), third = Picture(8);
    seen.Keep(frame, docs[0], first);
    seen.Keep(frame, docs[1], second);
    ASSERT_EQ(seen.Find(frame, docs[0]).plain, first);  // now used after the second
    seen.Keep(frame, docs[2], third);
    EXPECT_EQ(seen.count(), 2u);
    EXPECT_EQ(seen.bytes(), 2 * pictureBytes);
    EXPECT_EQ(seen.Find(frame, docs[1]).plain, nullptr);
    EXPECT_EQ(seen.Find(frame, docs[0]).plain, first);
    EXPECT_EQ(seen.Find(frame, docs[2]).plain, third);
    // A marked picture counts its bytes too: past the bytes' budget the
    // third makes room for the first's.
    seen.KeepMarked(first, {1}, SeenPictures::RevisionsOf(docs[0], {1}), Picture(8), {});
    EXPECT_NE(seen.Find(frame, docs[0], {1}).shown, nullptr);
    EXPECT_EQ(seen.Find(frame, docs[2]).plain, b.mostPictures == 2 ? third : nullptr);
    // One picture larger than the whole budget is not kept, and drops nothing.
    const std::size_t count = seen.count();
    seen.Keep(frame, docs[1], Picture(100));
    EXPECT_EQ(seen.Find(frame, docs[1]).plain, nullptr);
    EXPECT_EQ(seen.count(), count);
  }
}

TEST(SeenPicturesTest, TheMarkedPictureIsFoundWithTheSameMarksOnly) {
  const TWKFILE doc = FourItems();
  const PictureFrame frame{1, 320, 320, 16, 16, kPpu, kPpu};
  SeenPictures seen;
  const auto plain = Picture(8), shown = Picture(8);
  seen.Keep(frame, doc, plain);
  seen.KeepMarked(plain, {1, 2}, SeenPictures::RevisionsOf(doc, {1, 2}), shown, PixelArea{1, 2, 3, 4});
  const SeenPicture same = seen.Find(frame, doc, {1, 2});
  EXPECT_EQ(same.plain, plain);
  EXPECT_EQ(same.shown, shown);
  EXPECT_EQ(same.marks, (PixelArea{1, 2, 3, 4}));
  const SeenPicture other = seen.Find(frame, doc, {1});
  EXPECT_EQ(other.plain, plain);
  EXPECT_EQ(other.shown, nullptr);
}

}  // namespace
}  // namespace twk
