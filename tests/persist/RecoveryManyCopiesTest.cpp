// Many copies and what killed editors leave: the copy just set aside is
// never the one recovered/ lets go, kept-aside names never run out, listing
// holds no file open per copy, and lock files nobody holds or something
// planted in their place hide no copy.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include <filesystem>
#include <set>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryCopy.h"
#include "persist/StateFolder.h"

namespace twk::test {
namespace {

namespace fs = std::filesystem;

// Copies of one red line left by editors that ended, at `path`s written
// `hours` ago.
void Plant(const std::vector<std::pair<std::string, int>>& copies) {
  TWKFILE doc;
  doc.CData.append(RedLine());
  for (const auto& [path, hours] : copies) {
    ASSERT_EQ(SaveDocumentFile(path, doc), ResultCode::kOk);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(hours));
  }
}

TEST(RecoveryManyCopies, TheCopyJustSetAsideIsKeptWhateverItsAge) {
  ScratchDir dir;
  fs::create_directory(dir.File("recovered"));
  for (int i = 0; i < kRecoveredKept; ++i) Plant({{dir.File("recovered/editor-9-" + std::to_string(i) + ".twk"), i}});
  Plant({{dir.File("editor-4242-0.twk"), 168}, {dir.File("editor-4242-1.twk"), 169}});  // a week old
  AbandonedCopies found = AbandonedCopies::Claim(dir.path().string());
  ASSERT_EQ(found.copies().size(), 2u);
  const SetAsideResult first = found.SetAside(found.copies()[0]);
  EXPECT_EQ(first.keptAt, dir.File("recovered/editor-4242-0.twk"));
  EXPECT_TRUE(found.StillKept(first) && fs::exists(first.keptAt));
  // The next one set aside takes its place.
  const SetAsideResult second = found.SetAside(found.copies()[1]);
  EXPECT_TRUE(found.StillKept(second) && fs::exists(second.keptAt));
  EXPECT_FALSE(found.StillKept(first) || fs::exists(first.keptAt));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("recovered")), fs::directory_iterator()), kRecoveredKept);
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

  // In a folder where nothing can be renamed the copy stays this editor's.
  ASSERT_EQ(mine->Write(doc, {}), ResultCode::kOk);
  const FileHandle folder(::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY));
  int flags = 0;
  ASSERT_EQ(::ioctl(folder.get(), FS_IOC_GETFLAGS, &flags), 0);
  const int immutable = flags | FS_IMMUTABLE_FL;
  if (::ioctl(folder.get(), FS_IOC_SETFLAGS, &immutable) != 0) GTEST_SKIP() << "no immutable folders here";
  const KeptAside failed = mine->KeepAside();
  ::ioctl(folder.get(), FS_IOC_SETFLAGS, &flags);
  EXPECT_EQ(failed, KeptAside::kFailed);
  EXPECT_EQ(ReadBytes(mine->copyPath()), written);
}

TEST(RecoveryManyCopies, ListingHoldsNoFilePerCopy) {
  ScratchDir dir;
  Plant({{dir.File("editor-7-0.twk"), 0}});
  for (int i = 1; i < 300; ++i) fs::copy_file(dir.File("editor-7-0.twk"), dir.File("editor-7-" + std::to_string(i) + ".twk"));
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
      loaded += found.Load(copy, doc) == CopyLoad::kLoaded;
    }
    ::_exit(loaded == 300 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not every copy was listed and read";
}

TEST(RecoveryManyCopies, StaleAndPlantedLocksHideNothingAndRunningEditorsKeepTheirs) {
  ScratchDir dir;
  const FileHandle folder(::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  WriteBytes(dir.File("victim"), "victim");
  WriteBytes(dir.File("editor-1-0.lock"), "");  // an editor killed without a copy
  const FileHandle running = HoldLockFileAt(folder.get(), "editor-2-0.lock", true);  // one still running
  Plant({{dir.File("editor-2-0.twk"), 0}, {dir.File("editor-3-0.twk"), 0}, {dir.File("editor-4-0.twk"), 0}});
  fs::create_symlink(dir.File("victim"), dir.File("editor-3-0.lock"));
  fs::create_directory(dir.File("editor-4-0.lock"));
  {
    AbandonedCopies found = AbandonedCopies::Claim(dir.path().string());
    ASSERT_EQ(found.copies().size(), 1u);
    EXPECT_EQ(found.copies()[0].name, "editor-3-0");
    EXPECT_EQ(found.blocked(), std::vector<std::string>{dir.File("editor-4-0.lock")});
    EXPECT_TRUE(AbandonedCopies::Claim(dir.path().string()).copies().empty());  // a second editor now
  }
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"editor-2-0.lock", "editor-2-0.twk", "editor-3-0.twk", "editor-4-0.lock",
                                          "editor-4-0.twk", "victim"}));
  EXPECT_EQ(ReadBytes(dir.File("victim")), "victim");
}

}  // namespace
}  // namespace twk::test
