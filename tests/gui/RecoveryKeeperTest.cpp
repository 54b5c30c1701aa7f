// The recovery keeper's helper thread: a write that runs out of memory is a
// failed write, said once on stderr and told by Flush, and the next change
// is written as ever.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "app/RecoveryKeeper.h"
#include "editor/EditorSession.h"
#include "persist/FileAccess.h"

namespace twk {
namespace {

TEST(RecoveryKeeper, AWriteThatRunsOutOfMemoryFailsAndTheNextIsWritten) {
  QTemporaryDir home;
  const char* old = std::getenv("XDG_STATE_HOME");
  const std::string oldHome = old ? old : "";
  setenv("XDG_STATE_HOME", home.path().toLocal8Bit().constData(), 1);
  EditorSession session;
  session.doc().CData.append(TWKDATA{});
  {
    auto keeper = RecoveryKeeper::InStateFolder(session);
    ASSERT_TRUE(keeper->keepsCopies());
    const WriteCall saved =
        SetWriteCallForTesting([](int, const void*, std::size_t) -> ssize_t { throw std::bad_alloc(); });
    testing::internal::CaptureStderr();
    keeper->HandOver();
    const bool written = keeper->Flush();
    SetWriteCallForTesting(saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tarnwick: cannot write the recovery copy " + keeper->copyPath() + "\n");

    keeper->HandOver();
    EXPECT_TRUE(keeper->Flush());
    EXPECT_TRUE(std::filesystem::is_regular_file(keeper->copyPath()));
  }
  setenv("XDG_STATE_HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace twk
