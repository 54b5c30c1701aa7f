// The canvas composer starting a picture from the last one: a paste or a
// clone at the front paints only the new items over the last picture, and a
// delete, or a key that comes before the new selection's parts are kept,
// paints again only the rows the changed items reach. Each picture against
// a full redraw.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "render/canvas/CanvasComposer.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;

// Ten columns by eight rows of translucent rectangles and lines, each
// overlapping its neighbours, so that a change reaches only some rows.
TWKFILE Tiles() {
  TWKFILE doc;
  for (int i = 0; i < 80; ++i) {
    const float x = (i % 10) * 1.6f, y = (i / 10) * 2.0f;
    const std::int32_t colour = PackRGBA(25 * (i % 10), 30 * (i / 10), 180, 140 + i);
    TWKDATA item = i % 2 == 0 ? test::MakeItem(kRect, x - 0.4f, y + 0.3f, x + 1.9f, y + 1.7f, colour, 0.3f)
                              : test::MakeItem(kLine, x, y + 0.2f, x + 1.7f, y + 1.8f, colour, 0.4f);
    item.DrawMethod = i % 4 == 0 ? kFill : i % 7 == 0 ? kDots : kSolid;
    doc.CData.append(item);
  }
  return doc;
}

void Nudge(TWKDATA& item) {
  for (float* v : {&item.X1, &item.X2, &item.X3, &item.X4}) *v += 0.35f;
  Touch(item);
}

// Copies of items first..last put at the front, as a paste (new items) or
// a clone (copies of the same state) does.
void CopiesAtFront(TWKFILE& doc, int first, int last, bool pasted) {
  for (int i = last; i >= first; --i) {
    TWKDATA copy = *doc.CData.at(last);  // the source moves down by one each time
    if (pasted) Touch(copy);
    doc.CData.insertFront(copy);
  }
}

void Delete(TWKFILE& doc, int first, int last) {
  std::vector<int> indices;
  for (int i = first; i <= last; ++i) indices.push_back(i);
  (void)doc.CData.takeAll(indices);
}

struct Step {
  std::string what;
  std::vector<IndexRun> before;  // selected, its parts kept
  std::function<void(TWKFILE&)> change;
  std::vector<IndexRun> after;
  long long partsMade, picturesPainted;  // by the compose after the change
  bool rowsOnly;                         // some rows of the picture changed, not all
  bool keepsParts;
};

TEST(CanvasPictureReuse, StartsFromTheLastPictureAndEqualsAFullRedraw) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  const Step steps[] = {
      {"paste of many at the front", {}, [](TWKFILE& d) { CopiesAtFront(d, 0, 39, true); }, {{0, 39}}, 0, 0, false,
       true},
      {"clone of a selection in the middle", {{30, 34}}, [](TWKFILE& d) { CopiesAtFront(d, 30, 34, false); },
       {{0, 4}}, 0, 0, false, true},
      {"delete of the two top rows", {{0, 19}}, [](TWKFILE& d) { Delete(d, 0, 19); }, {}, 0, 0, true, false},
      {"delete of a row, a selection left", {{40, 49}, {70, 70}}, [](TWKFILE& d) { Delete(d, 40, 49); }, {{60, 60}},
       0, 0, true, false},
      {"a key right after picking another item", {{20, 20}}, [](TWKFILE& d) { Nudge(*d.CData.at(55)); }, {{55, 55}},
       0, 0, true, false},
      {"two items swapped, another item picked: the parts are built", {{20, 20}},
       [](TWKFILE& d) { std::swap(*d.CData.at(60), *d.CData.at(61)); }, {{55, 55}}, 2, 35, false, true},
      {"a key on every item with none selected", {}, [](TWKFILE& d) {
         for (int i = 0; i < 80; ++i) Nudge(*d.CData.at(i));
       },
       {}, 0, 0, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    TWKFILE doc = Tiles();
    const EditorState state;
    CanvasComposer composer;
    ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, s.before));
    const long long parts = composer.PartsMade(), pictures = composer.ItemPicturesPainted();
    s.change(doc);
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, s.after);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
    EXPECT_EQ(composer.PartsMade() - parts, s.partsMade);
    EXPECT_EQ(composer.ItemPicturesPainted() - pictures, s.picturesPainted);
    const PixelArea changed = composer.lastChanged();
    EXPECT_EQ(changed.bottom - changed.top < grid->height() / 2, s.rowsOnly);
    EXPECT_EQ(composer.KeepsParts(), s.keepsParts);
  }
}

// Keys on a newly picked item: painted straight onto the last picture until
// the parts are kept, then from the parts; each picture starts from the
// pixels the one before left.
TEST(CanvasPictureReuse, KeysBeforeAndAfterThePartsAreKept) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = Tiles();
  const EditorState state;
  CanvasComposer composer;
  ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, {{10, 10}}));
  const std::vector<IndexRun> picked{{33, 33}};
  for (int key = 0; key < 4; ++key) {
    SCOPED_TRACE(key);
    if (key == 2) composer.KeepPartsFor(doc, state, kPpu, kPpu, picked);
    Nudge(*doc.CData.at(33));
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, picked);
    ASSERT_TRUE(picture);
    EXPECT_EQ(composer.KeepsParts(), key >= 2);
    EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
  }
}

}  // namespace
}  // namespace twk
