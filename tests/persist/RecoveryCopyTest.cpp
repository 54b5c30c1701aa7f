// Recovery copies in the state folder: written, kept when their editor
// ends, never taken while it runs or by two editors at once, taken, set
// aside with the newest ten kept, and what a broken folder does.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <set>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryCopy.h"
#include "persist/StateFolder.h"
#include "support/HostileFamilies.h"

namespace twk::test {
namespace {

namespace fs = std::filesystem;

TWKFILE Drawing(int items) {
  TWKFILE doc;
  doc.TWKW = 24;
  for (int i = 0; i < items; ++i) {
    doc.CData.append(RedLine());
    doc.CData.at(i)->Name = "line" + std::to_string(i);
  }
  return doc;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) names.insert(entry.path().filename().string());
  return names;
}

TWKFILE Loaded(AbandonedCopies& found, const AbandonedCopy& copy) {
  TWKFILE doc;
  EXPECT_EQ(found.Load(copy, doc), CopyLoad::kLoaded) << copy.name;
  return doc;
}

TEST(RecoveryCopyTest, KeptAfterItsEditorEndsAndTakenByOneEditorOnly) {
  ScratchDir dir;
  const std::string folder = dir.File("state/tarnwick");
  auto mine = RecoveryCopy::Claim(folder);
  ASSERT_TRUE(mine);
  const CopyNotes notes{"/home/a/house.twk", "/home/a/old.twk", "/home/a"};
  ASSERT_EQ(mine->Write(Drawing(2), notes), ResultCode::kOk);
  EXPECT_TRUE(AbandonedCopies::Claim(folder).copies().empty());  // its editor still runs

  mine.reset();  // the editor ends with unsaved changes
  AbandonedCopies found = AbandonedCopies::Claim(folder);
  ASSERT_EQ(found.copies().size(), 1u);
  AbandonedCopy& copy = found.copies()[0];
  EXPECT_EQ(DocumentToXml(Loaded(found, copy)), DocumentToXml(Drawing(2)));
  EXPECT_EQ(copy.notes, notes);
  EXPECT_EQ(copy.size, fs::file_size(found.PathOf(copy)));
  EXPECT_NEAR(static_cast<double>(copy.changed), static_cast<double>(std::time(nullptr)), 5.0);
  EXPECT_TRUE(AbandonedCopies::Claim(folder).copies().empty());  // a second editor starting now

  found.Take(copy);
  // Only the lock of the listing is left while this editor decides.
  EXPECT_EQ(Names(folder), std::set<std::string>{"listing.lock"});
}

// The bytes of address space the process holds now.
long long AddressSpaceNow() {
  long long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  return pages * ::sysconf(_SC_PAGESIZE);
}

TEST(RecoveryCopyTest, ACopyTooLargeForTheMemoryThereIsNowIsToldApartFromADamagedOne) {
  ScratchDir dir;
  const std::string folder = dir.File("state/tarnwick");
  auto mine = RecoveryCopy::Claim(folder);
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(1), {}), ResultCode::kOk);
  mine.reset();
  AbandonedCopies found = AbandonedCopies::Claim(folder);
  ASSERT_EQ(found.copies().size(), 1u);
  const AbandonedCopy& copy = found.copies()[0];
  // A small file that loads as 250,000 items: far more than 8 MB more.
  WriteBytes(found.PathOf(copy), HostileFileBytes(HostileFamily::kEmptyItems, 250'000));
  const std::string bytes = ReadBytes(found.PathOf(copy));

  // Loaded in a child whose address space may grow by 8 MB only.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{static_cast<rlim_t>(AddressSpaceNow() + (8ll << 20)),
                       static_cast<rlim_t>(AddressSpaceNow() + (8ll << 20))};
    ::setrlimit(RLIMIT_AS, &limit);
    TWKFILE doc;
    const CopyLoad load = found.Load(copy, doc);
    ::_exit(load == CopyLoad::kNoMemory ? 0 : 10 + static_cast<int>(load));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10 + the CopyLoad the child got";
  EXPECT_EQ(ReadBytes(found.PathOf(copy)), bytes);  // loading never touches the copy
  TWKFILE doc;
  EXPECT_EQ(found.Load(copy, doc), CopyLoad::kLoaded);  // with the memory there is
  EXPECT_EQ(doc.CData.size(), 250'000);
}

TEST(RecoveryCopyTest, ADiscardedCopyLeavesNothingBehind) {
  ScratchDir dir;
  auto mine = RecoveryCopy::Claim(dir.File("state"));
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(1), {}), ResultCode::kOk);
  mine->Discard();
  mine.reset();
  EXPECT_TRUE(AbandonedCopies::Claim(dir.File("state")).copies().empty());
  EXPECT_TRUE(Names(dir.File("state")).empty());
}

TEST(RecoveryCopyTest, NewestFirstOneAtATimeAndTheNewestTenSetAside) {
  ScratchDir dir;
  const std::string folder = dir.path().string();
  const auto now = fs::file_time_type::clock::now();
  for (int i = 0; i < 12; ++i) {
    auto copy = RecoveryCopy::Claim(folder);
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->Write(Drawing(i), {}), ResultCode::kOk);
    fs::last_write_time(copy->copyPath(), now - std::chrono::hours(12 - i));
  }
  WriteBytes(dir.File("editor-1-7.twk"), "not a document");
  fs::create_directory(dir.File("recovered"));
  WriteBytes(dir.File("recovered/mine.twk"), "a file the program never named");
  WriteBytes(dir.File("victim"), "victim");
  fs::create_symlink(dir.File("victim"), dir.File("recovered/editor-5-0.twk"));

  AbandonedCopies found = AbandonedCopies::Claim(folder);
  ASSERT_EQ(found.copies().size(), 13u);
  TWKFILE doc;
  EXPECT_EQ(found.Load(found.copies()[0], doc), CopyLoad::kDamaged);  // the newest
  for (int i = 1; i < 13; ++i) EXPECT_EQ(Loaded(found, found.copies()[i]).CData.size(), 12 - i);
  for (AbandonedCopy& copy : found.copies()) {
    const SetAsideResult result = found.SetAside(copy);
    EXPECT_EQ(result.recovered, FolderOpen::kOpened);
    EXPECT_EQ(result.keptAt, folder + "/recovered/" + copy.name + ".twk");
  }

  EXPECT_EQ(Names(folder), (std::set<std::string>{"listing.lock", "recovered", "victim"}));
  // Only the program's own regular files are counted and removed.
  const std::set<std::string> recovered = Names(dir.File("recovered"));
  EXPECT_EQ(recovered.size(), 12u);
  EXPECT_EQ(recovered.count("mine.twk") + recovered.count("editor-5-0.twk"), 2u);
  EXPECT_EQ(ReadBytes(dir.File("victim")), "victim");
  std::set<int> kept;  // item counts of the copies set aside
  for (const std::string& name : recovered) {
    TWKFILE doc;
    if (LoadDocumentFile(dir.File("recovered/" + name), doc) == ResultCode::kOk) kept.insert(doc.CData.size());
  }
  // The copy set aside last (the oldest) stays; then the newest others: the
  // damaged file, set aside now, and eight copies.
  EXPECT_EQ(kept, (std::set<int>{0, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(RecoveryCopyTest, AFolderThatCannotBeWrittenIsReportedNotThrown) {
  ScratchDir dir;
  WriteBytes(dir.File("file"), "x");
  EXPECT_FALSE(RecoveryCopy::Claim(dir.File("file/tarnwick")));
  // A folder named only on the way is never made.
  FolderOpen why = FolderOpen::kOpened;
  EXPECT_FALSE(RecoveryCopy::Claim(dir.File("made/../state"), &why));
  EXPECT_EQ(why, FolderOpen::kCannotMake);
  EXPECT_FALSE(fs::exists(dir.File("made")));

  auto mine = RecoveryCopy::Claim(dir.File("state"));
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(1), {"p", "", ""}), ResultCode::kOk);
  const WriteCall saved = SetWriteCallForTesting([](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  });
  EXPECT_EQ(mine->Write(Drawing(3), {"q", "", ""}), ResultCode::kFileFailed);
  SetWriteCallForTesting(saved);
  mine.reset();
  AbandonedCopies found = AbandonedCopies::Claim(dir.File("state"));
  ASSERT_EQ(found.copies().size(), 1u);
  // The last good copy stays whole.
  EXPECT_EQ(DocumentToXml(Loaded(found, found.copies()[0])), DocumentToXml(Drawing(1)));
  EXPECT_EQ(found.copies()[0].notes.savePath, "p");
}

TEST(StateFolderTest, FromXdgStateHomeElseHome) {
  const struct {
    const char* state;
    const char* home;
    std::string folder;
  } cases[] = {
      {"/s", "/h", "/s/tarnwick"},
      {"relative", "/h", "/h/.local/state/tarnwick"},
      {nullptr, "/h", "/h/.local/state/tarnwick"},
      {nullptr, nullptr, ""},
      {"/x/made/../st/", "/h", "/x/st/tarnwick"},
      {nullptr, "//h/./a", "/h/a/.local/state/tarnwick"},
  };
  const std::string oldState = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  for (const auto& c : cases) {
    c.state ? setenv("XDG_STATE_HOME", c.state, 1) : unsetenv("XDG_STATE_HOME");
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    EXPECT_EQ(TarnwickStateFolder(), c.folder) << (c.state ? c.state : "unset");
  }
  oldState.empty() ? unsetenv("XDG_STATE_HOME") : setenv("XDG_STATE_HOME", oldState.c_str(), 1);
  setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace twk::test
