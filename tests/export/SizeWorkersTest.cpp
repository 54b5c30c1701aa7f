// The export threads: every size is taken once, in order, by at most two
// workers, and a failing size neither stops the others nor goes unreported.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "export/SizeWorkers.h"

namespace twk {
namespace {

TEST(SizeWorkers, EverySizeRunsOnceAndAFailureIsRaisedAfterTheRest) {
  for (const TaskThreads threads : {TaskThreads::kOne, TaskThreads::kTwo}) {
    std::vector<std::atomic<int>> runs(12);
    std::mutex mutex;
    std::set<std::thread::id> seen;
    try {
      RunOnSizeWorkers(
          runs.size(),
          [&](SizeWorker&, std::size_t i) {
            ++runs[i];
            {
              std::lock_guard lock(mutex);
              seen.insert(std::this_thread::get_id());
            }
            if (i == 7) throw std::runtime_error("seven");
          },
          threads);
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "seven");
    }
    for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i], 1) << i;
    EXPECT_LE(seen.size(), threads == TaskThreads::kOne ? 1u : 2u);
  }
}

}  // namespace
}  // namespace twk
