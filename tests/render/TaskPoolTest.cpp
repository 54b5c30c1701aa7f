// The shared task pool: every task runs once, failures surface after the
// whole batch, a task may start a batch of its own, and the pool's helper
// thread serves batch after batch instead of a new thread each time.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "render/TaskPool.h"

namespace twk {
namespace {

TEST(TaskPool, RunsEveryTaskOnceOnAtMostTwoThreadsThatStayTheSame) {
  TaskPool pool;
  std::mutex mutex;
  std::set<std::thread::id> threads;
  for (int batch = 0; batch < 50; ++batch) {
    std::vector<std::atomic<int>> runs(20);
    pool.Run(runs.size(), [&](std::size_t i) {
      ++runs[i];
      std::lock_guard lock(mutex);
      threads.insert(std::this_thread::get_id());
    });
    for (std::size_t i = 0; i < runs.size(); ++i) ASSERT_EQ(runs[i], 1) << "batch " << batch << " task " << i;
  }
  // The caller and one helper over all fifty batches.
  EXPECT_LE(threads.size(), 2u);
  EXPECT_TRUE(threads.count(std::this_thread::get_id()));
}

TEST(TaskPool, OneThreadKeepsEveryTaskOnTheCaller) {
  TaskPool pool;
  std::atomic<int> elsewhere{0};
  const auto caller = std::this_thread::get_id();
  pool.Run(8, [&](std::size_t) { elsewhere += std::this_thread::get_id() != caller; }, TaskThreads::kOne);
  EXPECT_EQ(elsewhere, 0);
}

TEST(TaskPool, AFailureIsRaisedAfterEveryTaskHasRun) {
  TaskPool pool;
  std::atomic<int> ran{0};
  try {
    pool.Run(6, [&](std::size_t i) {
      ++ran;
      if (i == 4) throw std::runtime_error("four");
      if (i == 1) throw std::runtime_error("one");
    });
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "one");  // the lowest failed index
  }
  EXPECT_EQ(ran, 6);
}

TEST(TaskPool, ATaskMayRunABatchOfItsOwn) {
  TaskPool pool;
  std::atomic<int> inner{0};
  pool.Run(4, [&](std::size_t) { pool.Run(3, [&](std::size_t) { ++inner; }); });
  EXPECT_EQ(inner, 12);
}

}  // namespace
}  // namespace twk
