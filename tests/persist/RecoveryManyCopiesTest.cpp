// Many copies and what killed editors leave: the copy just set aside is
// never the one recovered/ lets go, the names for copies kept aside never
// run out, listing holds no file open per copy, and lock files nobody
// holds or something planted in their place hide no copy.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryCopy.h"
#include "persist/StateFolder.h"

namespace twk::test {
namespace {

namespace fs = std::filesystem;

// The bytes of a copy of `items` red lines.
std::string CopyBytes(const ScratchDir& dir, int items) {
  TWKFILE doc;
  for (int i = 0; i < items; ++i) doc.CData.append(RedLine());
  EXPECT_EQ(SaveDocumentFile(dir.File("model.twk"), doc), ResultCode::kOk);
  const std::string bytes = ReadBytes(dir.File("model.twk"));
  fs::remove(dir.File("model.twk"));
  return bytes;
}

// A copy left by an editor that ended, last written `age` ago.
void Plant(const std::string& path, const std::string& bytes, std::chrono::hours age) {
  WriteBytes(path, bytes);
  fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

TEST(RecoveryManyCopies, TheCopyJustSetAsideIsKeptWhateverItsAge) {
  ScratchDir dir;
  const std::string bytes = CopyBytes(dir, 1);
  fs::create_directory(dir.File("recovered"));
  for (int i = 0; i < kRecoveredKept; ++i)
    Plant(dir.File("recovered/editor-9-" + std::to_string(i) + ".twk"), bytes, std::chrono::hours(i));
  const auto week = std::chrono::hours(24 * 7);
  Plant(dir.File("editor-4242-0.twk"), bytes, week);
  Plant(dir.File("editor-4242-1.twk"), bytes, week + std::chrono::hours(1));

  AbandonedCopies found = AbandonedCopies::Claim(dir.path().string());
  ASSERT_EQ(found.copies().size(), 2u);
  const SetAsideResult first = found.SetAside(found.copies()[0]);
  EXPECT_EQ(first.keptAt, dir.File("recovered/editor-4242-0.twk"));
  EXPECT_TRUE(found.StillKept(first));
  EXPECT_FALSE(fs::exists(dir.File("recovered/editor-9-9.twk")));  // the oldest of today's went
  // The next one set aside takes the place of the first: it is no longer kept.
  const SetAsideResult second = found.SetAside(found.copies()[1]);
  EXPECT_TRUE(found.StillKept(second));
  EXPECT_FALSE(found.StillKept(first));
  EXPECT_FALSE(fs::exists(first.keptAt));
  std::size_t kept = 0;
  for (const auto& entry : fs::directory_iterator(dir.File("recovered"))) kept += entry.path().extension() == ".twk";
  EXPECT_EQ(kept, static_cast<std::size_t>(kRecoveredKept));
}

TEST(RecoveryManyCopies, KeptAsideNamesNeverRunOutAndAFailedMoveIsSaid) {
  ScratchDir dir;
  auto mine = RecoveryCopy::Claim(dir.path().string());
  ASSERT_TRUE(mine);
  const std::string name = fs::path(mine->copyPath()).stem().string();
  // A thousand names taken already, by copies and by lock files.
  for (int k = 1; k <= 1000; ++k) WriteBytes(dir.File(name + "-" + std::to_string(k) + (k % 2 ? ".twk" : ".lock")), "");
  EXPECT_EQ(mine->KeepAside(), KeptAside::kNothingToKeep);
  TWKFILE doc;
  doc.CData.append(RedLine());
  ASSERT_EQ(mine->Write(doc, {"a.twk", "", "/w"}), ResultCode::kOk);
  const std::string written = ReadBytes(mine->copyPath());
  ASSERT_EQ(mine->KeepAside(), KeptAside::kKept);
  EXPECT_EQ(ReadBytes(dir.File(name + "-1001.twk")), written);
  EXPECT_EQ(ReadBytes(dir.File(name + "-1001.path")), "a.twk");
  EXPECT_FALSE(fs::exists(mine->copyPath()));

  // A folder where nothing can be renamed: the copy stays this editor's.
  ASSERT_EQ(mine->Write(doc, {}), ResultCode::kOk);
  const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  int flags = 0;
  ASSERT_EQ(::ioctl(folder, FS_IOC_GETFLAGS, &flags), 0);
  const int immutable = flags | FS_IMMUTABLE_FL;
  if (::ioctl(folder, FS_IOC_SETFLAGS, &immutable) != 0) {
    ::close(folder);
    GTEST_SKIP() << "this file system or user cannot make a folder immutable";
  }
  const KeptAside failed = mine->KeepAside();
  ::ioctl(folder, FS_IOC_SETFLAGS, &flags);
  ::close(folder);
  EXPECT_EQ(failed, KeptAside::kFailed);
  EXPECT_EQ(ReadBytes(mine->copyPath()), written);
}

TEST(RecoveryManyCopies, ListingHoldsNoFilePerCopy) {
  ScratchDir dir;
  const std::string bytes = CopyBytes(dir, 2);
  constexpr int kCopies = 300;
  for (int i = 0; i < kCopies; ++i) WriteBytes(dir.File("editor-7-" + std::to_string(i) + ".twk"), bytes);
  // Listed and read in a child that may open 64 files at once.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_NOFILE, &limit);
    AbandonedCopies found = AbandonedCopies::Claim(dir.path().string());
    int loaded = 0;
    for (const AbandonedCopy& copy : found.copies()) {
      TWKFILE doc;
      loaded += found.Load(copy, doc) == CopyLoad::kLoaded && doc.CData.size() == 2;
    }
    ::_exit(loaded == kCopies ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not every copy was listed and read";
}

TEST(RecoveryManyCopies, StaleAndPlantedLocksHideNothingAndRunningEditorsKeepTheirs) {
  ScratchDir dir;
  const std::string bytes = CopyBytes(dir, 1);
  const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  WriteBytes(dir.File("victim"), "victim");
  WriteBytes(dir.File("editor-1-0.lock"), "");  // an editor killed without a copy
  FileHandle running = HoldLockFileAt(folder, "editor-2-0.lock", true);  // an editor still running
  WriteBytes(dir.File("editor-2-0.twk"), bytes);
  WriteBytes(dir.File("editor-3-0.twk"), bytes);
  fs::create_symlink(dir.File("victim"), dir.File("editor-3-0.lock"));
  WriteBytes(dir.File("editor-4-0.twk"), bytes);
  fs::create_directory(dir.File("editor-4-0.lock"));
  {
    AbandonedCopies found = AbandonedCopies::Claim(dir.path().string());
    ASSERT_EQ(found.copies().size(), 1u);
    EXPECT_EQ(found.copies()[0].name, "editor-3-0");
    EXPECT_EQ(found.blocked(), std::vector<std::string>{dir.File("editor-4-0.lock")});
    EXPECT_TRUE(AbandonedCopies::Claim(dir.path().string()).copies().empty());  // a second editor now
  }
  const std::set<std::string> left = {"editor-2-0.lock", "editor-2-0.twk", "editor-3-0.twk", "editor-4-0.lock",
                                      "editor-4-0.twk",  "victim"};
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, left);
  EXPECT_EQ(ReadBytes(dir.File("victim")), "victim");
  ::close(folder);
}

}  // namespace
}  // namespace twk::test
