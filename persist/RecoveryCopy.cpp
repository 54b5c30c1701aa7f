#include "persist/RecoveryCopy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "persist/DocumentFile.h"
#include "persist/StateFolder.h"

namespace twk {

namespace fs = std::filesystem;

std::unique_ptr<RecoveryCopy> RecoveryCopy::Claim(const std::string& folder) {
  if (!MakeFolders(folder)) return nullptr;
  const std::string prefix = folder + "/editor-" + std::to_string(::getpid()) + "-";
  for (int n = 0; n < 100; ++n) {
    const std::string stem = prefix + std::to_string(n);
    std::error_code ec;
    if (fs::exists(stem + ".twk", ec)) continue;
    FileHandle lock = HoldLockFile(stem + ".lock", true);
    if (lock.get() >= 0) return std::unique_ptr<RecoveryCopy>(new RecoveryCopy(stem, std::move(lock)));
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

RecoveryCopy::~RecoveryCopy() { DropLockFile(stem_ + ".lock", lock_); }

ResultCode RecoveryCopy::Write(const TWKFILE& doc, const std::string& savePath) {
  std::lock_guard lock(mutex_);
  if (!pathKnown_ || pathWritten_ != savePath) {
    if (ReplaceFile(stem_ + ".path", savePath, {}) != ResultCode::kOk) return ResultCode::kFileFailed;
    pathWritten_ = savePath;
    pathKnown_ = true;
  }
  return SaveDocumentFile(copyPath(), doc);
}

void RecoveryCopy::Discard() {
  std::lock_guard lock(mutex_);
  ::unlink(copyPath().c_str());
  ::unlink((stem_ + ".path").c_str());
  pathKnown_ = false;
}

namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void RemoveSideFiles(AbandonedCopy& copy) {
  ::unlink((copy.stem + ".path").c_str());
  DropLockFile(copy.stem + ".lock", copy.lock);
}

// Removes all but the newest kRecoveredKept copies of `folder`.
void KeepNewest(const std::string& folder) {
  std::vector<std::pair<fs::file_time_type, fs::path>> kept;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
    if (entry.path().extension() == ".twk") kept.emplace_back(entry.last_write_time(ec), entry.path());
  std::sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = kRecoveredKept; i < kept.size(); ++i) fs::remove(kept[i].second, ec);
}

}  // namespace

std::vector<AbandonedCopy> ClaimAbandonedCopies(const std::string& folder) {
  std::vector<AbandonedCopy> found;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".twk" || !entry.is_regular_file(ec)) continue;
    AbandonedCopy copy;
    copy.stem = (entry.path().parent_path() / entry.path().stem()).string();
    copy.lock = HoldLockFile(copy.stem + ".lock", false);
    if (copy.lock.get() < 0) continue;  // its editor runs
    struct stat info {};
    if (::stat(entry.path().c_str(), &info) != 0) continue;
    copy.changed = info.st_mtime;
    if (LoadDocumentFile(entry.path().string(), copy.doc, LoadAccess::kShared) != ResultCode::kOk) {
      SetAside(folder, copy);
      continue;
    }
    copy.savePath = FileText(copy.stem + ".path");
    found.push_back(std::move(copy));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const AbandonedCopy& a, const AbandonedCopy& b) { return a.changed > b.changed; });
  return found;
}

void TakeCopy(AbandonedCopy& copy) {
  ::unlink((copy.stem + ".twk").c_str());
  RemoveSideFiles(copy);
}

void SetAside(const std::string& folder, AbandonedCopy& copy) {
  const std::string recovered = folder + "/recovered";
  if (MakeFolders(recovered)) {
    const std::string name = fs::path(copy.stem).filename().string();
    std::string target = recovered + "/" + name + ".twk";
    std::error_code ec;
    // A name used before (a process number comes round again) gets a suffix.
    for (int n = 1; fs::exists(target, ec); ++n) target = recovered + "/" + name + "." + std::to_string(n) + ".twk";
    if (::rename((copy.stem + ".twk").c_str(), target.c_str()) == 0) KeepNewest(recovered);
  }
  RemoveSideFiles(copy);
}

}  // namespace twk
