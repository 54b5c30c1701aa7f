// The canvas painter: a repaint that fits in a frame is painted at once, a
// larger one on the worker, published whole and equal to a full redraw; a
// newer repaint gives up the one in flight; a paint given up leaves nothing
// half made behind.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

#include "render/canvas/CanvasPainter.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "render/SelectionMarks.h"
#include "tests/render/HostileDrawings.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr float kPpu = 20;

bool SamePixels(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.data() + std::size_t(y) * a.stride(), b.data() + std::size_t(y) * b.stride(),
                    std::size_t(a.width()) * 4) != 0)
      return false;
  }
  return true;
}

// Counts the painter's reports.
class Reports {
 public:
  void Arrive() {
    std::lock_guard lock(mutex_);
    ++count_;
    changed_.notify_all();
  }
  void Await(int n) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return count_ >= n; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

class SlowBands {
 public:
  explicit SlowBands(int ms) { PaintCancel::SetBandDelayForTesting(ms); }
  ~SlowBands() { PaintCancel::SetBandDelayForTesting(0); }
};

TEST(CanvasPainterTest, AFrameSizedRepaintIsPaintedHereALargerOneOnTheWorkerAndBothEqualTheFullRedraw) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const EditorState state;
  const struct {
    TWKFILE doc;
    CanvasUpdate expected;
  } cases[] = {
      {test::TranslucentArcs(3, kSolid), CanvasUpdate::kPainted},
      {test::TranslucentArcs(200, kSolid), CanvasUpdate::kQueued},
  };
  for (const auto& c : cases) {
    Reports reports;
    CanvasPainter painter([&] { reports.Arrive(); });
    const CanvasUpdate update = painter.Repaint(CanvasScene{*grid, c.doc, state, kPpu, kPpu, {}, {}});
    EXPECT_EQ(update, c.expected) << c.doc.CData.size() << " items";
    if (update == CanvasUpdate::kQueued) reports.Await(1);
    const auto picture = painter.picture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->serial, painter.requested());
    const auto full = ComposeCanvas(*grid, c.doc, kPpu, kPpu);
    EXPECT_TRUE(SamePixels(*picture->shown, *full)) << c.doc.CData.size() << " items";
  }
}

// Whether `a` and `b` hold the same pixels outside `area`.
bool SameOutside(const Image& a, const Image& b, PixelArea area) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
      if (!inside && std::memcmp(a.data() + std::size_t(y) * a.stride() + std::size_t(x) * 4,
                                 b.data() + std::size_t(y) * b.stride() + std::size_t(x) * 4, 4) != 0) {
        return false;
      }
    }
  }
  return true;
}

// A key on the selected item, another item's marks, keys on that one: each
// picture differs from the one before only within its changed rectangle;
// after a key on the same selection that is the rectangle around the item
// and its marks, before and after.
TEST(CanvasPainterTest, EachPictureDiffersFromTheOneBeforeOnlyInItsChangedRectangle) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = test::StandardDocument(100);
  const EditorState state;
  Reports reports;
  int expectedReports = 0;
  CanvasPainter painter([&] { reports.Arrive(); });
  auto settle = [&](CanvasUpdate update) {
    ASSERT_NE(update, CanvasUpdate::kFailed);
    if (update == CanvasUpdate::kQueued) reports.Await(++expectedReports);
  };
  auto nudge = [&](int index) {
    doc.CData.at(index)->X1 += 0.5f, doc.CData.at(index)->Y4 -= 0.25f;
    Touch(*doc.CData.at(index));
  };
  settle(painter.Repaint(CanvasScene{*grid, doc, state, kPpu, kPpu, {{50, 50}}, {50}}));
  const struct {
    const char* what;
    std::function<CanvasUpdate()> step;
    int keyed;  // the item a key on the same selection moved, else -1
  } steps[] = {
      {"a key on item 50", [&] { return nudge(50), painter.Repaint({*grid, doc, state, kPpu, kPpu, {{50, 50}}, {50}}); },
       50},
      {"item 30 picked", [&] { return painter.Mark({*grid, doc, state, kPpu, kPpu, {{30, 30}}, {30}}); }, -1},
      {"a first key on item 30", [&] { return nudge(30), painter.Repaint({*grid, doc, state, kPpu, kPpu, {{30, 30}}, {30}}); },
       -1},
      {"a second key on item 30", [&] { return nudge(30), painter.Repaint({*grid, doc, state, kPpu, kPpu, {{30, 30}}, {30}}); },
       30},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    const auto before = painter.picture();
    const TWKFILE previous = doc;
    settle(s.step());
    const auto after = painter.picture();
    ASSERT_EQ(after->generation, before->generation + 1);
    EXPECT_TRUE(SameOutside(*before->shown, *after->shown, after->changed));
    if (s.keyed < 0) continue;
    PixelArea was, now;
    ASSERT_TRUE(ReachedArea(*previous.CData.at(s.keyed), kPpu, kPpu, 320, 320, was));
    ASSERT_TRUE(ReachedArea(*doc.CData.at(s.keyed), kPpu, kPpu, 320, 320, now));
    auto scratch = grid->Clone();
    const PixelArea marksWere = PaintSelectionMarks(*scratch, previous, {s.keyed}, kPpu, kPpu);
    const PixelArea marksAre = PaintSelectionMarks(*scratch, doc, {s.keyed}, kPpu, kPpu);
    EXPECT_EQ(after->changed, Around(Around(was, now), Around(marksWere, marksAre)));
  }
}

// A key on item 50, its undo, another key on it, and a reorder, with no
// marks (which would widen the changed rectangles): the undo shows the very
// picture made before the key; every picture stays within 1 of a full
// redraw and differs from the one before only in its changed rectangle,
// though the composer made neither the undo's picture nor, for the key
// after it, the one before.
TEST(CanvasPainterTest, AnUndoShowsThePictureItLeftAndThePicturesAfterItStayTrue) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  const TWKFILE start = test::StandardDocument(100);
  TWKFILE doc = start;
  const EditorState state;
  Reports reports;
  int expectedReports = 0;
  CanvasPainter painter([&] { reports.Arrive(); });
  auto repaint = [&](const std::vector<int>& marked) {
    const CanvasUpdate update = painter.Repaint({*grid, doc, state, kPpu, kPpu, {{50, 50}}, marked});
    ASSERT_NE(update, CanvasUpdate::kFailed);
    if (update == CanvasUpdate::kQueued) reports.Await(++expectedReports);
  };
  // Item 50 moved right by `by` from where it is.
  auto nudge = [&](float by) {
    TWKDATA& item = *doc.CData.at(50);
    item.X1 += by, item.X2 += by, item.X3 += by, item.X4 += by;
    Touch(item);
  };
  repaint({});
  const auto first = painter.picture();
  const struct {
    const char* what;
    std::function<void()> step;
    bool seen;  // the picture made for `start`
  } steps[] = {
      {"a key", [&] { nudge(2); }, false},
      {"its undo", [&] { doc = start; }, true},
      {"another key", [&] { nudge(4); }, false},
      {"two items swapped", [&] { doc = start, doc.CData.moveBefore(doc.CData.at(11), doc.CData.at(10)); }, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    const auto before = painter.picture();
    s.step();
    repaint({});
    const auto after = painter.picture();
    ASSERT_EQ(after->generation, before->generation + 1);
    EXPECT_EQ(after->plain == first->plain, s.seen);
    EXPECT_TRUE(SameOutside(*before->shown, *after->shown, after->changed));
    EXPECT_TRUE(test::WithinLayerRounding(*after->plain, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
  }
  // With the marks it had, the state shows its marked picture again too.
  doc = start;
  repaint({50});
  const auto marked = painter.picture();
  nudge(2);
  repaint({50});
  doc = start;
  repaint({50});
  EXPECT_EQ(painter.picture()->shown, marked->shown);
  auto expected = ComposeCanvas(*grid, doc, kPpu, kPpu);
  PaintSelectionMarks(*expected, doc, {50}, kPpu, kPpu);
  EXPECT_TRUE(test::WithinLayerRounding(*marked->shown, *expected));
}

// The selection changes before the document does (an undo selects the
// items it restores, then the picture follows), so marks of one state are
// drawn over another's picture for a moment. A redo back to that picture
// shows the marks of its own state: a full redraw with marks.
TEST(CanvasPainterTest, MarksShownAfterUndoAndRedoAreTheStatesOwn) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  const TWKFILE before = test::TranslucentArcs(6, kSolid);
  TWKFILE moved = before;
  for (float* x : {&moved.CData.at(3)->X1, &moved.CData.at(3)->X2, &moved.CData.at(3)->X3, &moved.CData.at(3)->X4}) {
    *x += 3;
  }
  Touch(*moved.CData.at(3));
  const EditorState state;
  CanvasPainter painter([] {});
  auto show = [&](const TWKFILE& doc, bool marksFirst) {
    const CanvasScene scene{*grid, doc, state, kPpu, kPpu, {{3, 3}}, {3}};
    if (marksFirst) ASSERT_EQ(painter.Mark(scene), CanvasUpdate::kPainted);
    ASSERT_EQ(painter.Repaint(scene), CanvasUpdate::kPainted);
  };
  show(before, false);
  show(moved, false);
  show(before, true);  // undo
  show(moved, true);   // redo
  auto expected = ComposeCanvas(*grid, moved, kPpu, kPpu);
  PaintSelectionMarks(*expected, moved, {3}, kPpu, kPpu);
  EXPECT_TRUE(test::WithinLayerRounding(*painter.picture()->shown, *expected));
}

// Even the parts of a small drawing, which would fit in a frame, are built
// on the worker: the caller gets a report, and then the parts.
TEST(CanvasPainterTest, TheRestedSelectionsPartsAreBuiltOnTheWorker) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const EditorState state;
  const TWKFILE doc = test::TranslucentArcs(6, kSolid);
  std::mutex mutex;
  std::condition_variable arrived;
  int reports = 0;
  CanvasPainter painter([&] {
    std::lock_guard lock(mutex);
    ++reports;
    arrived.notify_all();
  });
  ASSERT_EQ(painter.Repaint(CanvasScene{*grid, doc, state, kPpu, kPpu, {}, {}}), CanvasUpdate::kPainted);
  painter.KeepLayersFor(CanvasScene{*grid, doc, state, kPpu, kPpu, {{3, 3}}, {3}});
  std::unique_lock lock(mutex);
  ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(20), [&] { return reports == 1; }));
  lock.unlock();
  while (painter.busy()) std::this_thread::yield();
  EXPECT_TRUE(painter.HasCachedLayer());
}

TEST(CanvasPainterTest, ANewerRepaintGivesUpThePaintInFlight) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const EditorState state;
  const TWKFILE first = test::TranslucentArcs(200, kSolid);
  TWKFILE second = first;
  second.CData.at(0)->X1 += 2;
  Touch(*second.CData.at(0));
  SlowBands slow(400);
  Reports reports;
  CanvasPainter painter([&] { reports.Arrive(); });
  ASSERT_EQ(painter.Repaint(CanvasScene{*grid, first, state, kPpu, kPpu, {}, {}}), CanvasUpdate::kQueued);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the first is in flight
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(painter.Repaint(CanvasScene{*grid, second, state, kPpu, kPpu, {}, {}}), CanvasUpdate::kQueued);
  reports.Await(2);
  // The first gave up at once: the second took little more than its own delay.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  const auto picture = painter.picture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->generation, 1);  // nothing of the first was published
  EXPECT_TRUE(SamePixels(*picture->shown, *ComposeCanvas(*grid, second, kPpu, kPpu)));
}

TEST(CanvasPainterTest, AComposeGivenUpDropsWhatItHalfPainted) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const EditorState state;
  const TWKFILE doc = test::TranslucentArcs(40, kSolid);
  CanvasComposer composer;
  PaintCancel cancel;
  cancel.Request();
  EXPECT_EQ(composer.Compose(*grid, doc, state, kPpu, kPpu, {{20, 20}}, &cancel), nullptr);
  EXPECT_FALSE(composer.KeepsParts());
  // The next picture is whole.
  const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, {{20, 20}});
  ASSERT_NE(picture, nullptr);
  const auto full = ComposeCanvas(*grid, doc, kPpu, kPpu);
  EXPECT_TRUE(test::WithinLayerRounding(*picture, *full));
}

TEST(CanvasPainterTest, MarksAskedForWhileARepaintWaitsNeverDropIt) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  const EditorState state;
  const TWKFILE first = test::TranslucentArcs(200, kSolid);
  TWKFILE second = first;
  second.CData.at(0)->X1 += 2;
  Touch(*second.CData.at(0));
  // The first report waits at the gate, so the second repaint waits behind it.
  std::mutex gate;
  std::unique_lock hold(gate);
  Reports reports;
  CanvasPainter painter([&] {
    std::lock_guard open(gate);
    reports.Arrive();
  });
  ASSERT_EQ(painter.Repaint(CanvasScene{*grid, first, state, kPpu, kPpu, {}, {}}), CanvasUpdate::kQueued);
  while (!painter.picture()) std::this_thread::yield();  // the first is published
  ASSERT_EQ(painter.Repaint(CanvasScene{*grid, second, state, kPpu, kPpu, {}, {}}), CanvasUpdate::kQueued);
  // More marks than fit in a frame.
  EXPECT_EQ(painter.Mark(CanvasScene{*grid, second, state, kPpu, kPpu, {}, std::vector<int>(100000, 0)}),
            CanvasUpdate::kQueued);
  hold.unlock();
  reports.Await(2);
  while (painter.busy()) std::this_thread::yield();
  const auto picture = painter.picture();
  EXPECT_EQ(picture->serial, painter.requested());
  EXPECT_TRUE(SamePixels(*picture->plain, *ComposeCanvas(*grid, second, kPpu, kPpu)));
}

}  // namespace
}  // namespace twk
