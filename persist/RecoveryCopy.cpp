#include "persist/RecoveryCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>

#include "persist/DocumentFile.h"
#include "persist/FileAccess.h"

namespace twk {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char kListingLock[] = "listing.lock";

// Whether nothing at all, a link included, has the name `name` in `folder`;
// nothing when that cannot be told.
std::optional<bool> Free(int folder, const std::string& name) {
  struct stat info {};
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) return false;
  if (errno == ENOENT) return true;
  return std::nullopt;
}

bool IsRegularAt(int folder, const std::string& name, struct stat& info) {
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode);
}

// The first name `stem` + `join` + n + `end` free in `folder`, n counting
// from `next` (left at the number after it). The numbers never run out:
// every name passed by is an entry of the folder. Nothing when a name
// cannot be looked at.
std::optional<std::string> FreeName(int folder, const std::string& stem, const char* join, const char* end,
                                    std::uint64_t& next, const char* alsoFree = nullptr) {
  for (;; ++next) {
    const std::string name = stem + join + std::to_string(next);
    const std::optional<bool> free = Free(folder, name + end);
    const std::optional<bool> other = alsoFree ? Free(folder, name + alsoFree) : std::optional<bool>(true);
    if (!free || !other) return std::nullopt;
    if (*free && *other) {
      ++next;
      return name;
    }
  }
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

// Removes all but kRecoveredKept copies in `recovered`: `justKept` and the
// newest others. Nothing but the program's own regular files is looked at.
void KeepNewest(int recovered, const std::string& justKept) {
  auto kept = CopiesIn(recovered);
  std::sort(kept.begin(), kept.end(), [&](const auto& a, const auto& b) {
    if ((a.first == justKept) != (b.first == justKept)) return a.first == justKept;
    const timespec& x = a.second.st_mtim;
    const timespec& y = b.second.st_mtim;
    return x.tv_sec != y.tv_sec ? x.tv_sec > y.tv_sec : x.tv_nsec > y.tv_nsec;
  });
  for (std::size_t i = kRecoveredKept; i < kept.size(); ++i) ::unlinkat(recovered, (kept[i].first + ".twk").c_str(), 0);
}

enum class LockTaken { kHeld, kBusy, kBlocked };

// Takes the lock file `name` in `folder`. Anything but a regular file or a
// folder planted under that name (a link, a FIFO, a socket, a device) is
// removed first: the folder is the program's own, and such a name would
// otherwise hide its copy for good. kBlocked: a folder is in the way, or
// the planted name cannot be removed; kBusy: another process holds the
// lock, or it cannot be taken now.
LockTaken TakeLock(int folder, const std::string& name, FileHandle& lock) {
  struct stat info {};
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(info.st_mode)) {
    if (S_ISDIR(info.st_mode) || (::unlinkat(folder, name.c_str(), 0) != 0 && errno != ENOENT))
      return LockTaken::kBlocked;
  }
  lock = HoldLockFileAt(folder, name, false);
  return lock.get() >= 0 ? LockTaken::kHeld : LockTaken::kBusy;
}

// Removes the lock files of the program's copy names that no copy needs
// (an editor killed while it had no copy) and no running editor holds.
void RemoveStaleLocks(int folder) {
  std::vector<std::string> stems;
  ForEachNameIn(folder, [&](std::string_view name) {
    if (name.size() <= 5 || name.substr(name.size() - 5) != ".lock") return;
    const std::string stem(name.substr(0, name.size() - 5));
    struct stat info {};
    if (IsCopyName(stem) && !IsRegularAt(folder, stem + ".twk", info)) stems.push_back(stem);
  });
  for (const std::string& stem : stems) {
    // Taken only when no editor holds it: a running editor holds its lock
    // whether it has a copy now or not.
    FileHandle lock;
    if (TakeLock(folder, stem + ".lock", lock) == LockTaken::kHeld) DropLockFileAt(folder, stem + ".lock", lock);
  }
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
  const std::string prefix = "editor-" + std::to_string(::getpid());
  std::uint64_t next = 0;
  for (;;) {
    const std::optional<std::string> name = FreeName(folder.get(), prefix, "-", ".twk", next);
    if (!name) break;
    FileHandle lock = HoldLockFileAt(folder.get(), *name + ".lock", true);
    if (lock.get() >= 0)
      return std::unique_ptr<RecoveryCopy>(new RecoveryCopy(folderPath, std::move(folder), *name, std::move(lock)));
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

KeptAside RecoveryCopy::KeepAside() {
  std::lock_guard lock(mutex_);
  struct stat info {};
  if (!IsRegularAt(folder_.get(), name_ + ".twk", info)) return KeptAside::kNothingToKeep;
  // A name with a lock file could be an editor's; one with neither is free.
  const std::optional<std::string> kept = FreeName(folder_.get(), name_, "-", ".twk", nextAside_, ".lock");
  if (!kept || ::renameat(folder_.get(), (name_ + ".twk").c_str(), folder_.get(), (*kept + ".twk").c_str()) != 0)
    return KeptAside::kFailed;
  for (const char* side : {".path", ".about"})
    (void)::renameat(folder_.get(), (name_ + side).c_str(), folder_.get(), (*kept + side).c_str());
  notesWritten_.reset();
  return KeptAside::kKept;
}

AbandonedCopies AbandonedCopies::Claim(const std::string& folder) {
  AbandonedCopies found;
  found.folderPath_ = folder;
  found.opened_ = OpenStateFolder(folder, found.folder_);
  if (found.opened_ != FolderOpen::kOpened) return found;
  const int dir = found.folder_.get();
  const LockTaken listing = TakeLock(dir, kListingLock, found.listing_);
  if (listing == LockTaken::kBlocked) found.blocked_.push_back(folder + "/" + kListingLock);
  if (listing != LockTaken::kHeld) return found;  // another editor is deciding about them
  RemoveStaleLocks(dir);
  for (auto& [name, info] : CopiesIn(dir)) {
    // Its lock is taken only to tell whether its editor runs: the listing
    // lock keeps other editors away while this one decides.
    FileHandle lock;
    const LockTaken taken = TakeLock(dir, name + ".lock", lock);
    if (taken == LockTaken::kBlocked) found.blocked_.push_back(folder + "/" + name + ".lock");
    if (taken != LockTaken::kHeld) continue;  // its editor runs
    DropLockFileAt(dir, name + ".lock", lock);
    AbandonedCopy copy;
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

AbandonedCopies::~AbandonedCopies() { DropLockFileAt(folder_.get(), kListingLock, listing_); }

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
}

SetAsideResult AbandonedCopies::SetAside(AbandonedCopy& copy) {
  SetAsideResult result;
  FileHandle recovered;
  result.recovered = OpenOwnFolder(folder_.get(), "recovered", recovered);
  result.keptAt = PathOf(copy);
  result.keptName = copy.name + ".twk";
  if (result.recovered != FolderOpen::kOpened) return result;
  // A name used before (a process number comes round again) gets a number.
  std::uint64_t next = 1;
  std::optional<std::string> target = copy.name;
  if (Free(recovered.get(), copy.name + ".twk") != true) target = FreeName(recovered.get(), copy.name, ".", ".twk", next);
  if (!target ||
      ::renameat(folder_.get(), (copy.name + ".twk").c_str(), recovered.get(), (*target + ".twk").c_str()) != 0)
    return result;
  result.keptAt = folderPath_ + "/recovered/" + *target + ".twk";
  result.keptName = "recovered/" + *target + ".twk";
  KeepNewest(recovered.get(), *target);
  RemoveSideFiles(folder_.get(), copy.name);
  return result;
}

bool AbandonedCopies::StillKept(const SetAsideResult& result) const {
  struct stat info {};
  return IsRegularAt(folder_.get(), result.keptName, info);
}

}  // namespace twk
