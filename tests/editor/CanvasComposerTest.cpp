// The canvas composer must give exactly the pixels of a full redraw, while
// it reuses the layer of the items behind the one under construction.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "document/Colour.h"
#include "editor/Construction.h"
#include "editor/KeyCommands.h"
#include "render/canvas/CanvasComposer.h"
#include "render/SceneRenderer.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

bool SamePixels(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  const int rowBytes = a.width() * 4;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.data() + y * a.stride(), b.data() + y * b.stride(), rowBytes) != 0)
      return false;
  }
  return true;
}

// Many overlapping translucent items of every kind, method and end style.
void FillDocument(TWKFILE& doc, int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> pos(0.5f, 15.5f);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < count; ++i) {
    TWKDATA item;
    item.Type = static_cast<std::uint8_t>(i % 4);
    item.DrawMethod = static_cast<std::uint8_t>(i % 3);
    item.DrawMethod2 = static_cast<std::uint8_t>((i / 3) % 3);
    item.DrawWidth = 0.25f + static_cast<float>(i % 8) * 0.5f;
    item.DrawAngle = static_cast<float>(i * 17 % 360);
    item.DrawRGBA = PackRGBA(byte(rng), byte(rng), byte(rng), 40 + byte(rng) % 180);
    item.Visible = i % 7 == 3 ? 0 : 1;
    item.X1 = pos(rng), item.Y1 = pos(rng), item.X4 = pos(rng), item.Y4 = pos(rng);
    item.X2 = item.Type == kEllipse ? 30.0f : pos(rng);
    item.Y2 = item.Type == kEllipse ? 300.0f : pos(rng);
    item.X3 = pos(rng), item.Y3 = pos(rng);
    doc.CData.append(item);
  }
}

// An editor whose redraw composes the canvas and checks it against a full
// redraw from scratch.
struct ComposingEditor : TestEditor {
  std::unique_ptr<Image> grid = Image::NewFilled(320, 320, PackRGBA(255, 255, 255, 0));
  CanvasComposer composer;
  int mismatches = 0;
  int cachedFrames = 0;

  void OnDocumentChange(const DocumentChange&) override {
    ++redraws;
    auto picture = composer.Compose(*grid, doc, state, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
    auto expected = ComposeCanvas(*grid, doc, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
    if (composer.KeepsParts()) ++cachedFrames;
    if (!picture || !expected || !SamePixels(*picture, *expected)) ++mismatches;
  }
};

TEST(CanvasComposerTest, ConstructionFramesEqualFullRedraws) {
  ComposingEditor t;
  FillDocument(t.doc, 60, 7);
  t.state.CurAlpha = 150;
  t.state.CurRGB = PackRGBA(200, 30, 90, 0);
  for (int type : {kLine, kRect, kEllipse}) {
    t.state.CurType = type;
    StartItem(t.ed, 95, 87);
    for (int step = 0; step < 6; ++step) FollowPointer(t.ed, 100 + step * 31, 60 + step * 27);
    DispatchCommand(t.ed, 50);   // key 2
    DispatchCommand(t.ed, 77);   // M: method of the item being drawn
    DispatchCommand(t.ed, 187);  // width +
    FollowPointer(t.ed, 20, 300);
    DispatchCommand(t.ed, 51);   // key 3
    FollowPointer(t.ed, 250, 140);
    FinishItem(t.ed);
  }
  EXPECT_EQ(t.mismatches, 0);
  EXPECT_GT(t.cachedFrames, 20);
  EXPECT_EQ(t.doc.CData.size(), 63);
}

TEST(CanvasComposerTest, SizeChangeAndCancelWhileDrawingStayExact) {
  ComposingEditor t;
  FillDocument(t.doc, 30, 11);
  StartItem(t.ed, 40, 40);
  FollowPointer(t.ed, 200, 220);
  DispatchCommand(t.ed, 104);  // keypad 8: the layer must follow the new height
  DispatchCommand(t.ed, 100);  // keypad 4
  FollowPointer(t.ed, 230, 260);
  DispatchCommand(t.ed, 27);   // Esc
  EXPECT_FALSE(t.composer.KeepsParts());
  EXPECT_EQ(t.mismatches, 0);
  EXPECT_EQ(t.doc.TWKW, 15.0f);
}

TEST(CanvasComposerTest, HandMadeChangesNeedInvalidate) {
  ComposingEditor t;
  FillDocument(t.doc, 10, 3);
  StartItem(t.ed, 40, 40);
  FollowPointer(t.ed, 200, 220);
  ASSERT_TRUE(t.composer.KeepsParts());
  // A change behind the construction item that the composer cannot see.
  t.doc.CData.at(1)->DrawRGBA = PackRGBA(0, 0, 255, 255);
  t.doc.CData.at(1)->Visible = 1;
  t.composer.Invalidate();
  FollowPointer(t.ed, 210, 220);
  EXPECT_EQ(t.mismatches, 0);
}

TEST(CanvasComposerTest, EmptyDocumentAndScaledCanvas) {
  ComposingEditor t;
  t.ed.pixelsPerUnitX = kUnitPixels * 1.25f;
  t.ed.pixelsPerUnitY = kUnitPixels * 1.25f;
  t.grid = Image::NewFilled(400, 400, PackRGBA(255, 255, 255, 0));
  StartItem(t.ed, 30, 30);
  FollowPointer(t.ed, 300, 90);
  FinishItem(t.ed);
  FillDocument(t.doc, 5, 5);
  StartItem(t.ed, 60, 60);
  FollowPointer(t.ed, 390, 390);
  EXPECT_EQ(t.mismatches, 0);
}

}  // namespace
}  // namespace twk::test
