// The shared job pool: every job runs once, each thread with state of its
// own, failures surface after the whole batch, a job may start a batch of
// its own, and the pool's helper thread serves batch after batch instead of
// a new thread each time.

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tasks/JobPool.h"

namespace twk {
namespace {

// State made on the thread that takes a job, recording the thread.
struct ThreadState {
  std::thread::id thread = std::this_thread::get_id();
  int jobs = 0;
};

TEST(JobPool, EveryJobRunsOnceWithTheStateOfTheThreadRunningIt) {
  for (const TaskThreads threads : {TaskThreads::kOne, TaskThreads::kTwo}) {
    for (const std::size_t count : {0u, 1u, 2u, 12u, 100u}) {
      SCOPED_TRACE(testing::Message() << count << " jobs, " << (threads == TaskThreads::kOne ? 1 : 2) << " threads");
      std::vector<std::atomic<int>> runs(count);
      std::mutex mutex;
      std::map<const ThreadState*, std::thread::id> states;  // each state seen and the thread it was made on
      std::atomic<int> strangers{0};                          // jobs run with another thread's state
      RunJobs<ThreadState>(
          count,
          [&](ThreadState& state, std::size_t i) {
            ++runs[i];
            ++state.jobs;
            if (state.thread != std::this_thread::get_id()) ++strangers;
            std::lock_guard lock(mutex);
            states.emplace(&state, state.thread);
          },
          threads);
      for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i], 1) << "job " << i;
      EXPECT_EQ(strangers, 0);
      // One state per thread that took a job, never more than the threads.
      std::set<std::thread::id> owners;
      for (const auto& [state, thread] : states) owners.insert(thread);
      EXPECT_EQ(owners.size(), states.size());
      EXPECT_LE(states.size(), threads == TaskThreads::kOne ? 1u : 2u);
      EXPECT_EQ(states.empty(), count == 0);
      if (threads == TaskThreads::kOne && count > 0) EXPECT_EQ(states.begin()->second, std::this_thread::get_id());
    }
  }
}

TEST(JobPool, TheHelperStaysTheSameOverBatches) {
  JobPool pool;
  std::mutex mutex;
  std::set<std::thread::id> threads;
  for (int batch = 0; batch < 50; ++batch) {
    pool.Run(20, [&](std::size_t, std::size_t) {
      std::lock_guard lock(mutex);
      threads.insert(std::this_thread::get_id());
    });
  }
  // One helper over all fifty batches, besides the caller (which may find
  // every job taken when it is slow to start).
  threads.erase(std::this_thread::get_id());
  EXPECT_LE(threads.size(), 1u);
}

TEST(JobPool, AFailureIsRaisedAfterEveryJobHasRun) {
  for (const TaskThreads threads : {TaskThreads::kOne, TaskThreads::kTwo}) {
    JobPool pool;
    std::atomic<int> ran{0};
    try {
      pool.Run(
          6,
          [&](std::size_t, std::size_t i) {
            ++ran;
            if (i == 4) throw std::runtime_error("four");
            if (i == 1) throw std::runtime_error("one");
          },
          threads);
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "one");  // the lowest failed index
    }
    EXPECT_EQ(ran, 6);
  }
}

TEST(JobPool, AJobMayRunABatchOfItsOwn) {
  JobPool pool;
  std::atomic<int> inner{0};
  pool.Run(4, [&](std::size_t, std::size_t) { pool.Run(3, [&](std::size_t, std::size_t) { ++inner; }); });
  EXPECT_EQ(inner, 12);
}

}  // namespace
}  // namespace twk
