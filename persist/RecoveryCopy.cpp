#include "persist/RecoveryCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "persist/DocumentFile.h"
#include "persist/FileAccess.h"

namespace twk {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether anything at all, a link included, has the name `name` in `folder`.
bool Taken(int folder, const std::string& name) {
  struct stat info {};
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

bool IsRegularAt(int folder, const std::string& name, struct stat& info) {
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode);
}

// The regular files of the program's own copies in `folder`, by name
// without extension, with what fstatat says of them.
std::vector<std::pair<std::string, struct stat>> CopiesIn(int folder) {
  std::vector<std::pair<std::string, struct stat>> found;
  ForEachNameIn(folder, [&](std::string_view name) {
    if (name.size() <= 4 || name.substr(name.size() - 4) != ".twk") return;
    const std::string stem(name.substr(0, name.size() - 4));
    struct stat info {};
    if (IsCopyName(stem) && IsRegularAt(folder, stem + ".twk", info)) found.emplace_back(stem, info);
  });
  return found;
}

void RemoveSideFiles(int folder, const std::string& name) {
  ::unlinkat(folder, (name + ".path").c_str(), 0);
  ::unlinkat(folder, (name + ".about").c_str(), 0);
}

// Removes all but the newest kRecoveredKept copies in `recovered`; nothing
// but the program's own regular files is looked at.
void KeepNewest(int recovered) {
  auto kept = CopiesIn(recovered);
  std::sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
    const timespec& x = a.second.st_mtim;
    const timespec& y = b.second.st_mtim;
    return x.tv_sec != y.tv_sec ? x.tv_sec > y.tv_sec : x.tv_nsec > y.tv_nsec;
  });
  for (std::size_t i = kRecoveredKept; i < kept.size(); ++i) ::unlinkat(recovered, (kept[i].first + ".twk").c_str(), 0);
}

CopyNotes ReadNotes(int folder, const std::string& name) {
  CopyNotes notes;
  notes.savePath = ReadSmallFileAt(folder, name + ".path", kPathCeiling).value_or("");
  const std::string about = ReadSmallFileAt(folder, name + ".about", 2 * kPathCeiling + 1).value_or("");
  const std::size_t split = about.find('\0');
  if (split != std::string::npos) {
    notes.savedAs = about.substr(0, split);
    notes.folder = about.substr(split + 1);
  }
  return notes;
}

}  // namespace

bool IsCopyName(std::string_view name) {
  constexpr std::string_view kPrefix = "editor-";
  if (name.substr(0, kPrefix.size()) != kPrefix) return false;
  name.remove_prefix(kPrefix.size());
  // Numbers, each followed by '-' or '.' except the last.
  bool digit = false;
  for (const char c : name) {
    if (IsDigit(c)) {
      digit = true;
    } else if ((c == '-' || c == '.') && digit) {
      digit = false;
    } else {
      return false;
    }
  }
  return digit;
}

std::unique_ptr<RecoveryCopy> RecoveryCopy::Claim(const std::string& folderPath, FolderOpen* why) {
  FileHandle folder;
  const FolderOpen opened = OpenStateFolder(folderPath, folder);
  if (why) *why = opened;
  if (opened != FolderOpen::kOpened) return nullptr;
  const std::string prefix = "editor-" + std::to_string(::getpid()) + "-";
  for (int n = 0; n < 100; ++n) {
    const std::string name = prefix + std::to_string(n);
    if (Taken(folder.get(), name + ".twk")) continue;
    FileHandle lock = HoldLockFileAt(folder.get(), name + ".lock", true);
    if (lock.get() >= 0)
      return std::unique_ptr<RecoveryCopy>(new RecoveryCopy(folderPath, std::move(folder), name, std::move(lock)));
    if (errno != EEXIST) break;
  }
  if (why) *why = FolderOpen::kCannotMake;
  return nullptr;
}

RecoveryCopy::~RecoveryCopy() { DropLockFileAt(folder_.get(), name_ + ".lock", lock_); }

ResultCode RecoveryCopy::Write(const TWKFILE& doc, const CopyNotes& notes) {
  std::lock_guard lock(mutex_);
  if (notesWritten_ != notes) {
    notesWritten_.reset();
    const std::string about = notes.savedAs + '\0' + notes.folder;
    if (ReplaceFileAt(folder_.get(), name_ + ".path", notes.savePath, {}) != ResultCode::kOk ||
        ReplaceFileAt(folder_.get(), name_ + ".about", about, {}) != ResultCode::kOk)
      return ResultCode::kFileFailed;
    notesWritten_ = notes;
  }
  return SaveDocumentFileAt(folder_.get(), name_ + ".twk", doc);
}

void RecoveryCopy::Discard() {
  std::lock_guard lock(mutex_);
  ::unlinkat(folder_.get(), (name_ + ".twk").c_str(), 0);
  RemoveSideFiles(folder_.get(), name_);
  notesWritten_.reset();
}

bool RecoveryCopy::KeepAside() {
  std::lock_guard lock(mutex_);
  struct stat info {};
  if (!IsRegularAt(folder_.get(), name_ + ".twk", info)) return false;
  for (int k = 1; k < 1000; ++k) {
    const std::string kept = name_ + "-" + std::to_string(k);
    if (Taken(folder_.get(), kept + ".twk") || Taken(folder_.get(), kept + ".lock")) continue;
    if (::renameat(folder_.get(), (name_ + ".twk").c_str(), folder_.get(), (kept + ".twk").c_str()) != 0) return false;
    for (const char* side : {".path", ".about"})
      (void)::renameat(folder_.get(), (name_ + side).c_str(), folder_.get(), (kept + side).c_str());
    notesWritten_.reset();
    return true;
  }
  return false;
}

AbandonedCopies AbandonedCopies::Claim(const std::string& folder) {
  AbandonedCopies found;
  found.folderPath_ = folder;
  found.opened_ = OpenStateFolder(folder, found.folder_);
  if (found.opened_ != FolderOpen::kOpened) return found;
  const int dir = found.folder_.get();
  for (auto& [name, info] : CopiesIn(dir)) {
    AbandonedCopy copy;
    copy.lock = HoldLockFileAt(dir, name + ".lock", false);
    if (copy.lock.get() < 0) continue;  // its editor runs
    copy.name = name;
    copy.size = static_cast<std::uint64_t>(info.st_size);
    copy.changed = info.st_mtime;
    copy.notes = ReadNotes(dir, name);
    found.copies_.push_back(std::move(copy));
  }
  std::stable_sort(found.copies_.begin(), found.copies_.end(),
                   [](const AbandonedCopy& a, const AbandonedCopy& b) { return a.changed > b.changed; });
  return found;
}

CopyLoad AbandonedCopies::Load(const AbandonedCopy& copy, TWKFILE& doc) const {
  std::uint64_t size = 0;
  const FileHandle file = OpenRegularAt(folder_.get(), copy.name + ".twk", size);
  if (file.get() < 0) {
    if (errno == EACCES || errno == EPERM) return CopyLoad::kUnreadable;
    if (errno == ENOMEM || errno == EMFILE || errno == ENFILE) return CopyLoad::kNoMemory;
    return CopyLoad::kDamaged;
  }
  try {
    return LoadOpenDocumentFile(file, size, doc) == ResultCode::kOk ? CopyLoad::kLoaded : CopyLoad::kDamaged;
  } catch (const std::bad_alloc&) {
    doc = TWKFILE{};
    return CopyLoad::kNoMemory;
  }
}

void AbandonedCopies::Take(AbandonedCopy& copy) {
  ::unlinkat(folder_.get(), (copy.name + ".twk").c_str(), 0);
  RemoveSideFiles(folder_.get(), copy.name);
  DropLockFileAt(folder_.get(), copy.name + ".lock", copy.lock);
}

void AbandonedCopies::Keep(AbandonedCopy& copy) { DropLockFileAt(folder_.get(), copy.name + ".lock", copy.lock); }

SetAsideResult AbandonedCopies::SetAside(AbandonedCopy& copy) {
  SetAsideResult result;
  FileHandle recovered;
  result.recovered = OpenOwnFolder(folder_.get(), "recovered", recovered);
  result.keptAt = PathOf(copy);
  if (result.recovered != FolderOpen::kOpened) {
    Keep(copy);
    return result;
  }
  std::string target = copy.name + ".twk";
  // A name used before (a process number comes round again) gets a suffix.
  for (int n = 1; Taken(recovered.get(), target) && n < 1000; ++n)
    target = copy.name + "." + std::to_string(n) + ".twk";
  if (::renameat(folder_.get(), (copy.name + ".twk").c_str(), recovered.get(), target.c_str()) != 0) {
    Keep(copy);
    return result;
  }
  result.keptAt = folderPath_ + "/recovered/" + target;
  KeepNewest(recovered.get());
  RemoveSideFiles(folder_.get(), copy.name);
  DropLockFileAt(folder_.get(), copy.name + ".lock", copy.lock);
  return result;
}

}  // namespace twk
