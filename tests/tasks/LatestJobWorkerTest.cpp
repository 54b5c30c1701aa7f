// The latest-job worker: jobs that arrive while one runs replace each other,
// so only the newest of them runs; a job that throws is reported through
// the failure callback and the worker goes on, instead of the program
// ending.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tasks/LatestJobWorker.h"

namespace twk {
namespace {

// What the worker reported, in order, and a wait for the n-th report.
class Reports {
 public:
  void Add(std::string report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(std::move(report));
    changed_.notify_all();
  }
  std::vector<std::string> Await(std::size_t n) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return reports_.size() >= n; });
    return reports_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> reports_;
};

TEST(LatestJobWorker, JobsPostedWhileOneRunsReplaceEachOtherAndOnlyTheNewestRuns) {
  Reports reports;
  LatestJobWorker worker([&] { reports.Add("finished"); }, WorkerPriority::kNormal);
  std::mutex gate;
  std::unique_lock hold(gate);
  std::atomic<bool> started{false};
  std::vector<int> ran;  // written on the worker only, read once it is idle
  auto job = [&](int id) {
    return [&, id](const PaintCancel&) {
      started = true;
      std::lock_guard open(gate);
      ran.push_back(id);
    };
  };
  ASSERT_EQ(worker.Post(job(1), false), LatestJobWorker::Posted::kQueued);
  while (!started) std::this_thread::yield();  // job 1 waits at the gate
  for (int id = 2; id <= 4; ++id) EXPECT_EQ(worker.Post(job(id), false), LatestJobWorker::Posted::kQueued);
  hold.unlock();
  worker.AwaitIdle();
  EXPECT_FALSE(worker.busy());
  EXPECT_EQ(reports.Await(2), (std::vector<std::string>{"finished", "finished"}));
  worker.Stop();
  EXPECT_EQ(ran, (std::vector<int>{1, 4}));
}

// A job replaced while waiting holds copies that can take long to free:
// the worker frees it, not the thread posting the newer one.
TEST(LatestJobWorker, AReplacedJobIsFreedOnTheWorker) {
  LatestJobWorker worker({}, WorkerPriority::kNormal);
  std::mutex gate;
  std::unique_lock hold(gate);
  std::atomic<bool> started{false};
  std::thread::id freedOn;  // written by the token's end, read once the worker is idle
  struct Token {
    explicit Token(std::thread::id* at) : freedOn(at) {}
    ~Token() { *freedOn = std::this_thread::get_id(); }
    std::thread::id* freedOn;
  };
  worker.Post([&](const PaintCancel&) { started = true; std::lock_guard open(gate); }, false);
  while (!started) std::this_thread::yield();
  auto token = std::make_shared<Token>(&freedOn);
  worker.Post([token](const PaintCancel&) {}, false);
  token.reset();
  worker.Post([](const PaintCancel&) {}, false);  // replaces the job holding the token
  EXPECT_EQ(freedOn, std::thread::id());
  hold.unlock();
  worker.AwaitIdle();
  EXPECT_NE(freedOn, std::thread::id());
  EXPECT_NE(freedOn, std::this_thread::get_id());
}

TEST(LatestJobWorker, AJobThatThrowsIsReportedAndTheWorkerGoesOn) {
  const struct {
    std::function<void()> fail;
    std::string report;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, "out of memory: std::bad_alloc"},
      {[] { throw std::runtime_error("disk gone"); }, "error: disk gone"},
  };
  for (const auto& c : cases) {
    Reports reports;
    LatestJobWorker worker([&] { reports.Add("finished"); }, WorkerPriority::kNormal,
                           [&](const JobFailure& failure) {
                             reports.Add((failure.outOfMemory ? "out of memory: " : "error: ") + failure.what);
                           });
    ASSERT_EQ(worker.Post([&](const PaintCancel&) { c.fail(); }, false), LatestJobWorker::Posted::kQueued);
    worker.AwaitIdle();
    ASSERT_EQ(worker.Post([&](const PaintCancel&) { reports.Add("ran"); }, false), LatestJobWorker::Posted::kQueued);
    EXPECT_EQ(reports.Await(4), (std::vector<std::string>{c.report, "finished", "ran", "finished"}));
  }
}

}  // namespace
}  // namespace twk
