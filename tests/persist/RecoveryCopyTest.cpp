// Recovery copies in the state folder: written, kept when their editor
// ends, never taken while it runs or by two editors at once, taken, set
// aside with the newest ten kept, and what a broken folder does.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryCopy.h"
#include "persist/StateFolder.h"

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

TEST(RecoveryCopyTest, KeptAfterItsEditorEndsAndTakenByOneEditorOnly) {
  ScratchDir dir;
  const std::string folder = dir.File("state/tarnwick");
  auto mine = RecoveryCopy::Claim(folder);
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(2), "/home/a/house.twk"), ResultCode::kOk);
  EXPECT_TRUE(ClaimAbandonedCopies(folder).empty());  // its editor still runs

  mine.reset();  // the editor ends with unsaved changes
  std::vector<AbandonedCopy> found = ClaimAbandonedCopies(folder);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(DocumentToXml(found[0].doc), DocumentToXml(Drawing(2)));
  EXPECT_EQ(found[0].savePath, "/home/a/house.twk");
  EXPECT_NEAR(static_cast<double>(found[0].changed), static_cast<double>(std::time(nullptr)), 5.0);
  EXPECT_TRUE(ClaimAbandonedCopies(folder).empty());  // a second editor starting now

  TakeCopy(found[0]);
  EXPECT_TRUE(Names(folder).empty());
}

TEST(RecoveryCopyTest, ADiscardedCopyLeavesNothingBehind) {
  ScratchDir dir;
  auto mine = RecoveryCopy::Claim(dir.File("state"));
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(1), ""), ResultCode::kOk);
  mine->Discard();
  mine.reset();
  EXPECT_TRUE(ClaimAbandonedCopies(dir.File("state")).empty());
  EXPECT_TRUE(Names(dir.File("state")).empty());
}

TEST(RecoveryCopyTest, NewestFirstAndTheNewestTenSetAside) {
  ScratchDir dir;
  const std::string folder = dir.path().string();
  const auto now = fs::file_time_type::clock::now();
  for (int i = 0; i < 12; ++i) {
    auto copy = RecoveryCopy::Claim(folder);
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->Write(Drawing(i), ""), ResultCode::kOk);
    fs::last_write_time(copy->copyPath(), now - std::chrono::hours(12 - i));
  }
  WriteBytes(dir.File("damaged.twk"), "not a document");

  std::vector<AbandonedCopy> found = ClaimAbandonedCopies(folder);
  ASSERT_EQ(found.size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(found[i].doc.CData.size(), 11 - i);
  for (AbandonedCopy& copy : found) SetAside(folder, copy);

  EXPECT_EQ(Names(folder), std::set<std::string>{"recovered"});
  const std::set<std::string> recovered = Names(dir.File("recovered"));
  EXPECT_EQ(recovered.size(), 10u);
  std::set<int> kept;  // item counts of the copies set aside
  for (const std::string& name : recovered) {
    TWKFILE doc;
    if (LoadDocumentFile(dir.File("recovered/" + name), doc) == ResultCode::kOk) kept.insert(doc.CData.size());
  }
  // The damaged file, set aside now, is the newest; then the nine newest copies.
  EXPECT_EQ(kept, (std::set<int>{3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(RecoveryCopyTest, AFolderThatCannotBeWrittenIsReportedNotThrown) {
  ScratchDir dir;
  WriteBytes(dir.File("file"), "x");
  EXPECT_FALSE(RecoveryCopy::Claim(dir.File("file/tarnwick")));

  auto mine = RecoveryCopy::Claim(dir.File("state"));
  ASSERT_TRUE(mine);
  ASSERT_EQ(mine->Write(Drawing(1), "p"), ResultCode::kOk);
  const WriteCall saved = SetWriteCallForTesting([](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  });
  EXPECT_EQ(mine->Write(Drawing(3), "q"), ResultCode::kFileFailed);
  SetWriteCallForTesting(saved);
  mine.reset();
  std::vector<AbandonedCopy> found = ClaimAbandonedCopies(dir.File("state"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(DocumentToXml(found[0].doc), DocumentToXml(Drawing(1)));  // the last good copy stays whole
  EXPECT_EQ(found[0].savePath, "p");
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
