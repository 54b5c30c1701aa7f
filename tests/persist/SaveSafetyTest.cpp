// Saving never loses the previous file: failures leave it exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <tuple>

#include <cerrno>
#include <filesystem>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/FileAccess.h"

namespace twk {
namespace {

using test::ScratchDir;

std::size_t gBytesBeforeFailure = 0;

// Writes up to gBytesBeforeFailure bytes, then fails as a full disk does.
ssize_t FailingWrite(int fd, const void* data, std::size_t size) {
  if (gBytesBeforeFailure == 0) {
    errno = ENOSPC;
    return -1;
  }
  const std::size_t n = std::min(size, gBytesBeforeFailure);
  gBytesBeforeFailure -= n;
  return ::write(fd, data, n);
}

class ScopedWriteFailure {
 public:
  explicit ScopedWriteFailure(std::size_t bytes) {
    gBytesBeforeFailure = bytes;
    previous_ = SetWriteCallForTesting(FailingWrite);
  }
  ~ScopedWriteFailure() { SetWriteCallForTesting(previous_); }

 private:
  WriteCall previous_;
};

std::size_t EntriesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TWKFILE DocumentOfSize(float w) {
  TWKFILE doc;
  doc.TWKW = w;
  for (int i = 0; i < 50; ++i) {
    TWKDATA item;
    item.X1 = static_cast<float>(i);
    doc.CData.append(item);
  }
  return doc;
}

TEST(SaveSafety, AFailedWriteKeepsTheOldFile) {
  ScratchDir dir;
  const std::string path = dir.File("keep.twk");
  ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(7)), ResultCode::kOk);
  const std::string before = test::ReadBytes(path);
  for (std::size_t failAt : {std::size_t{0}, std::size_t{5}, std::size_t{12}, std::size_t{40}}) {
    {
      ScopedWriteFailure failure(failAt);
      EXPECT_EQ(SaveDocumentFile(path, DocumentOfSize(9)), ResultCode::kFileFailed) << failAt;
    }
    EXPECT_EQ(test::ReadBytes(path), before) << failAt;
    EXPECT_EQ(EntriesIn(dir.path()), 1u) << "temporary file left behind";
  }
  TWKFILE read;
  ASSERT_EQ(LoadDocumentFile(path, read), ResultCode::kOk);
  EXPECT_EQ(read.TWKW, 7.0f);

  {
    ScopedWriteFailure failure(0);
    EXPECT_EQ(SaveDocumentFile(dir.File("new.twk"), DocumentOfSize(9)), ResultCode::kFileFailed);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.twk")));
}

TEST(SaveSafety, ReplacesReadOnlyFilesButNotFolders) {
  ScratchDir dir;
  const std::string path = dir.File("ro.twk");
  ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(3)), ResultCode::kOk);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(4)), ResultCode::kOk);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IWUSR, 0u);  // the new file is writable
  TWKFILE read;
  ASSERT_EQ(LoadDocumentFile(path, read), ResultCode::kOk);
  EXPECT_EQ(read.TWKW, 4.0f);

  std::filesystem::create_directory(dir.File("folder.twk"));
  EXPECT_EQ(SaveDocumentFile(dir.File("folder.twk"), TWKFILE{}), ResultCode::kFileFailed);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.twk")));
  EXPECT_EQ(SaveDocumentFile(dir.File("no/such/folder/x.twk"), TWKFILE{}), ResultCode::kFileFailed);
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(SaveSafety, KeepsThePermissionsOfTheReplacedFile) {
  ScratchDir dir;
  const std::string path = dir.File("mode.twk");
  const std::pair<mode_t, mode_t> modes[] = {
      {0600, 0600}, {0640, 0640}, {0755, 0755}, {0444, 0644}, {0000, 0200},
  };
  for (const auto& [before, after] : modes) {
    ASSERT_EQ(SaveDocumentFile(path, TWKFILE{}), ResultCode::kOk);
    ASSERT_EQ(chmod(path.c_str(), before), 0);
    ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(2)), ResultCode::kOk);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, after) << std::oct << before;
  }
  // A new file gets the usual mode for new files.
  const mode_t mask = umask(022);
  ASSERT_EQ(SaveDocumentFile(dir.File("fresh.twk"), TWKFILE{}), ResultCode::kOk);
  umask(mask);
  struct stat fresh {};
  ASSERT_EQ(stat(dir.File("fresh.twk").c_str(), &fresh), 0);
  EXPECT_EQ(fresh.st_mode & 07777, 0644u);
}

TEST(SaveSafety, RoundTripsLongNames) {
  ScratchDir dir;
  TWKFILE doc;
  TWKDATA item;
  std::uint32_t state = 1;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1103515245u + 12345u;
    item.Name.push_back(static_cast<char>('A' + (state >> 16) % 26));
  }
  doc.CData.append(item);
  ASSERT_EQ(SaveDocumentFile(dir.File("names.twk"), doc), ResultCode::kOk);
  TWKFILE read;
  ASSERT_EQ(LoadDocumentFile(dir.File("names.twk"), read), ResultCode::kOk);
  EXPECT_EQ(read.CData.at(0)->Name, item.Name);
}

TEST(SaveSafety, ASaveThroughALinkReplacesItsTargetAndKeepsTheLink) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "real");
  ASSERT_EQ(SaveDocumentFile(dir.File("real/doc.twk"), DocumentOfSize(1)), ResultCode::kOk);
  std::filesystem::create_symlink("real/doc.twk", dir.path() / "link.twk");
  std::filesystem::create_symlink("real/new.twk", dir.path() / "dangling.twk");
  ASSERT_EQ(SaveDocumentFile(dir.File("link.twk"), DocumentOfSize(2)), ResultCode::kOk);
  ASSERT_EQ(SaveDocumentFile(dir.File("dangling.twk"), DocumentOfSize(3)), ResultCode::kOk);
  for (const auto& [link, width] : {std::pair{"link.twk", 2.0f}, std::pair{"dangling.twk", 3.0f}}) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / link)) << link;
    TWKFILE read;
    ASSERT_EQ(LoadDocumentFile(dir.File(link), read), ResultCode::kOk) << link;
    EXPECT_EQ(read.TWKW, width) << link;
  }
  EXPECT_EQ(EntriesIn(dir.path() / "real"), 2u);
}

TEST(SaveSafety, OnlyARegularFileIsReplacedNeverAFifoOrADevice) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0);
  const bool root = geteuid() == 0;  // only the superuser makes device nodes
  if (root) ASSERT_EQ(mknod(dir.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  std::filesystem::create_symlink("pipe", dir.path() / "to-pipe");
  std::filesystem::create_symlink(dir.File("null"), dir.path() / "to-null");
  std::filesystem::create_symlink("to-pipe", dir.path() / "to-to-pipe");
  const struct {
    const char* name;  // what the save names
    const char* node;  // the node it must leave alone
  } cases[] = {{"pipe", "pipe"}, {"null", "null"}, {"to-pipe", "pipe"}, {"to-null", "null"}, {"to-to-pipe", "pipe"}};
  const std::size_t entries = EntriesIn(dir.path());
  for (const auto& c : cases) {
    if (!root && std::string(c.node) == "null") continue;
    struct stat before {}, after {};
    ASSERT_EQ(lstat(dir.File(c.node).c_str(), &before), 0);
    EXPECT_EQ(ReplaceFile(dir.File(c.name), "png bytes", {}), ResultCode::kFileFailed) << c.name;
    ASSERT_EQ(lstat(dir.File(c.node).c_str(), &after), 0);
    EXPECT_EQ(std::tuple(after.st_ino, after.st_mode, after.st_rdev), std::tuple(before.st_ino, before.st_mode, before.st_rdev))
        << c.name;
  }
  EXPECT_EQ(EntriesIn(dir.path()), entries);  // no temporary file left behind
}

TEST(SaveSafety, KeepsOwnerGroupAndTheSetgidBit) {
  if (geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file away";
  ScratchDir dir;
  const std::string path = dir.File("owned.twk");
  ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(1)), ResultCode::kOk);
  ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
  ASSERT_EQ(chmod(path.c_str(), 02640), 0);
  ASSERT_EQ(SaveDocumentFile(path, DocumentOfSize(2)), ResultCode::kOk);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777), std::tuple(65534u, 65534u, 02640u));
}

TEST(SaveSafety, TheNextSaveRemovesTheTemporaryFileOfAKilledOne) {
  ScratchDir dir;
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  waitpid(gone, nullptr, 0);
  const std::string stale = dir.File(".tarnwick-save-" + std::to_string(gone) + "-0.tmp");
  const std::string running = dir.File(".tarnwick-save-1-0.tmp");  // init runs for good
  test::WriteBytes(stale, "half a save");
  test::WriteBytes(running, "a save in progress");
  ASSERT_EQ(SaveDocumentFile(dir.File("doc.twk"), DocumentOfSize(1)), ResultCode::kOk);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(running));
}

}  // namespace
}  // namespace twk
