// The preview painter: small changes painted at once, large ones on its
// worker, where a burst of changes ends in one paint of the latest.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "render/preview/PreviewPainter.h"
#include "tests/render/PreviewTestSupport.h"

namespace twk {
namespace {

using test::FirstWrongPicture;
using test::MixedDocument;

constexpr int kSizes = static_cast<int>(kPreviewSizes.size());

// Counts the painter's reports. Reports wait at a gate until the test opens
// it, so that everything sent before arrives while the worker is occupied.
class Reports {
 public:
  void Arrive() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return open_; });
    ++count_;
    changed_.notify_all();
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // Waits for the n-th report.
  void Await(int n) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return count_ >= n; });
  }
  // Waits until a report finds the painter idle: nothing waits and nothing
  // is being painted, so its pictures are final. Returns the reports.
  int AwaitIdle(const PreviewPainter& painter) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return count_ > 0 && !painter.busy(); });
    return count_;
  }
  int count() {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  int count_ = 0;
};

void MoveEveryItem(TWKFILE& doc, float by) {
  for (int i = 0; i < doc.CData.size(); ++i) {
    doc.CData.at(i)->X1 += by;
    Touch(*doc.CData.at(i));
  }
}

TEST(PreviewPainter, ASmallChangeIsPaintedAtOnceWhileTheWorkerIsIdle) {
  Reports reports;
  reports.Open();
  PreviewPainter painter([&] { reports.Arrive(); });
  TWKFILE doc = MixedDocument(5, 4);
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kPainted);
  doc.CData.front()->Y4 += 1.0f;
  Touch(*doc.CData.front());
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kPainted);
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kUnchanged);
  EXPECT_EQ(FirstWrongPicture(*painter.pictures(), doc), "");
  EXPECT_EQ(painter.pictures()->generation, 2);
  EXPECT_EQ(reports.count(), 0);
}

TEST(PreviewPainter, ABurstOfChangesEndsInOnePaintOfTheLatest) {
  Reports reports;
  PreviewPainter painter([&] { reports.Arrive(); });
  TWKFILE doc = MixedDocument(300, 8);
  // The first starts the worker; the others, large and then one small,
  // arrive before it takes the first, while it paints it or while it waits
  // at the gate, and replace each other.
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kQueued);
  for (int i = 1; i <= 4; ++i) {
    MoveEveryItem(doc, 0.25f);
    EXPECT_EQ(painter.Update(doc), PreviewUpdate::kQueued);
  }
  doc.CData.front()->Y4 += 1.0f;
  Touch(*doc.CData.front());
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kQueued);
  reports.Open();

  // The gate holds the worker after whatever it took first (the first
  // change, or a later one if it started late; finished or given up), so
  // at most that and the latest are painted, however the threads run.
  const int paints = reports.AwaitIdle(painter);
  EXPECT_LE(paints, 2);
  EXPECT_LE(painter.itemsPainted(), 2 * 300 * kSizes);
  ASSERT_TRUE(painter.pictures());
  EXPECT_EQ(FirstWrongPicture(*painter.pictures(), doc), "");
}

TEST(PreviewPainter, StoppedMidPaintItPaintsTheNextChangeAfresh) {
  Reports reports;
  reports.Open();
  PreviewPainter painter([&] { reports.Arrive(); });
  TWKFILE doc = MixedDocument(1000, 2);
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kQueued);
  painter.Stop();
  EXPECT_FALSE(painter.busy());
  const int before = reports.count();

  MoveEveryItem(doc, -0.5f);
  EXPECT_EQ(painter.Update(doc), PreviewUpdate::kQueued);
  reports.Await(before + 1);
  EXPECT_FALSE(painter.busy());
  EXPECT_EQ(FirstWrongPicture(*painter.pictures(), doc), "");
}

}  // namespace
}  // namespace twk
