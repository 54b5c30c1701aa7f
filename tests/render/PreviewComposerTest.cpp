// The preview's pictures are the export's pictures over their grounds, after
// every kind of change, while the composer repaints only what changed.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tests/render/PreviewTestSupport.h"

namespace twk {
namespace {

using test::FirstWrongPicture;
using test::MixedDocument;

TEST(PreviewComposer, EachPictureIsTheExportOverItsGround) {
  const TWKFILE doc = MixedDocument(40, 3);
  PreviewComposer preview;
  EXPECT_TRUE(preview.Update(doc));
  EXPECT_EQ(FirstWrongPicture(preview, doc), "");
  EXPECT_EQ(preview.Picture(1, PreviewGround::kDark)->width(), 24);
}

struct Step {
  const char* what;
  std::function<void(TWKFILE&)> change;
  bool picturesChange;
  int itemsPainted;  // over all five sizes
};

TEST(PreviewComposer, PicturesFollowEveryChangeAndRepaintOnlyWhatChanged) {
  TWKFILE doc = MixedDocument(120, 5);
  const int sizes = static_cast<int>(kPreviewSizes.size());
  auto front = [](TWKFILE& d) { return d.CData.front(); };
  auto drawn = test::MakeItem(kLine, 3.5f, 3.5f, 3.5f, 3.5f, PackRGBA(200, 30, 90, 150), 1.5f);
  const Step steps[] = {
      {"start drawing", [&](TWKFILE& d) { d.CData.insertFront(drawn); }, true, sizes},
      {"move", [&](TWKFILE& d) { front(d)->X4 = 12.5f, Touch(*front(d)); }, true, sizes},
      {"move again", [&](TWKFILE& d) { front(d)->Y4 = 9.5f, Touch(*front(d)); }, true, sizes},
      {"becomes a curve", [&](TWKFILE& d) { front(d)->Type = kCurve, front(d)->X2 = 1.5f, Touch(*front(d)); }, true, sizes},
      {"wider and dotted", [&](TWKFILE& d) { front(d)->DrawWidth = 2.5f, front(d)->DrawMethod = kDots, Touch(*front(d)); }, true, sizes},
      {"document area only", [](TWKFILE& d) { d.TWKW = 9; }, false, 0},
      {"renamed only", [&](TWKFILE& d) { front(d)->Name = "star"; }, false, 0},
      {"cancelled", [&](TWKFILE& d) { d.CData.remove(front(d)); }, true, 0},
      {"hide a middle item", [](TWKFILE& d) { d.CData.at(60)->Visible = 0, Touch(*d.CData.at(60)); }, true, 88 * sizes},
      {"recolour the item just behind a kept copy",
       [](TWKFILE& d) { TWKDATA& it = *d.CData.at(d.CData.size() - 32); it.DrawRGBA = PackRGBA(0, 0, 255, 255), Touch(it); }, true, 120 * sizes},
      {"move the back item", [](TWKFILE& d) { TWKDATA& it = *d.CData.at(d.CData.size() - 1); it.X1 += 0.125f, Touch(it); }, true, 120 * sizes},
      {"reorder", [](TWKFILE& d) { d.CData.moveAfter(d.CData.at(2), d.CData.at(90)); }, true, 120 * sizes},
      {"delete from the front", [](TWKFILE& d) { d.CData.remove(d.CData.at(0)); }, true, 0},
      {"delete everything", [](TWKFILE& d) { d.CData.clear(); }, true, 0},
      {"draw on an empty document", [&](TWKFILE& d) { d.CData.insertFront(drawn), front(d)->X4 = 9.5f, Touch(*front(d)); }, true, sizes},
      {"a damaged item behind it", [](TWKFILE& d) { d.CData.append(test::MakeItem(kLine, NAN, 1, 2, 3)); }, true,
       2 * sizes},
      {"move with the damaged item behind", [&](TWKFILE& d) { front(d)->Y4 = 12.5f, Touch(*front(d)); }, true, sizes},
  };
  PreviewComposer preview;
  preview.Update(doc);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(doc);
    const long long before = preview.itemsPainted();
    EXPECT_EQ(preview.ItemsToRepaint(doc) * sizes, step.itemsPainted);
    EXPECT_EQ(preview.Update(doc), step.picturesChange);
    EXPECT_EQ(preview.itemsPainted() - before, step.itemsPainted);
    EXPECT_EQ(FirstWrongPicture(preview, doc), "");
  }
}

TEST(PreviewComposer, InvalidatePaintsEverythingAgain) {
  const TWKFILE doc = MixedDocument(10, 9);
  PreviewComposer preview;
  preview.Update(doc);
  preview.Invalidate();
  EXPECT_EQ(preview.Picture(0, PreviewGround::kLight), nullptr);
  const long long before = preview.itemsPainted();
  EXPECT_TRUE(preview.Update(doc));
  EXPECT_EQ(preview.itemsPainted() - before, 10 * static_cast<long long>(kPreviewSizes.size()));
  EXPECT_EQ(FirstWrongPicture(preview, doc), "");
}

}  // namespace
}  // namespace twk
