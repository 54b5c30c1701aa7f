// A signal during an export: tarnwick-cli finishes the files in progress,
// starts no other, leaves no temporary file and says what it wrote.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "document/Colour.h"
#include "persist/DocumentFile.h"
#include "persist/PersistTestSupport.h"
#include "support/SlowDrawings.h"

namespace twk {
namespace {

TEST(CliSignals, SigtermStopsAnExportBetweenFilesAndLeavesNoTemporaryFile) {
  test::ScratchDir dir;
  const std::string input = dir.File("star.twk");
  ASSERT_EQ(SaveDocumentFile(input, test::SlowToExport()), ResultCode::kOk);
  const std::string errPath = dir.File("err");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::freopen(errPath.c_str(), "w", stderr);
    execl(TARNWICK_CLI_PATH, TARNWICK_CLI_PATH, "export", input.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Once a first file is there (768 pixels, the second largest, comes
  // first), the export is under way with most of it still to do.
  auto anyWritten = [&] {
    for (const char* size : {"768x768", "1024x1024"})
      if (std::filesystem::exists(dir.File(std::string("star.") + size + ".png"))) return true;
    return false;
  };
  for (int i = 0; i < 3000 && !anyWritten(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 143);

  // One line, naming every file written; those are all the folder holds.
  const std::string err = test::ReadBytes(errPath);
  const std::string lead = "tarnwick-cli: stopped by SIGTERM; written: ";
  ASSERT_EQ(err.rfind(lead, 0), 0u) << err;
  ASSERT_EQ(err.back(), '\n');
  EXPECT_EQ(err.find('\n'), err.size() - 1);
  std::set<std::string> named;
  const std::string list = err.substr(lead.size(), err.size() - lead.size() - 1);
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = list.find(", ", at);
    named.insert(list.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) break;
    at = comma + 2;
  }
  EXPECT_FALSE(named.empty());
  EXPECT_FALSE(named.count(dir.File("star.16x16.png")));  // the export stopped before the end
  std::set<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    if (entry.path() != input && entry.path() != errPath) present.insert(entry.path().string());
  EXPECT_EQ(present, named);
}

// A run started with SIGINT ignored (a background job of a script) keeps
// ignoring it and finishes every file.
TEST(CliSignals, AnInheritedIgnoredSigintStaysIgnored) {
  test::ScratchDir dir;
  const std::string input = dir.File("star.twk");
  ASSERT_EQ(SaveDocumentFile(input, test::SlowToExport()), ResultCode::kOk);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGINT, SIG_IGN);
    execl(TARNWICK_CLI_PATH, TARNWICK_CLI_PATH, "export", input.c_str(), "--sizes", "16,768,1024",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string first = dir.File("star.768x768.png");
  for (int i = 0; i < 3000 && !std::filesystem::exists(first); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("star.16x16.png")));
}

}  // namespace
}  // namespace twk
