// Files planted in the state folder by another program of the same user:
// links, FIFOs, devices, huge files, folders in place of files. None of them
// leads a write or a removal outside the folder, hangs a start, or costs a
// copy; a victim file beside the folder keeps its bytes and its inode.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryCopy.h"

namespace twk::test {
namespace {

namespace fs = std::filesystem;

TWKFILE Drawing(int items) {
  TWKFILE doc;
  for (int i = 0; i < items; ++i) doc.CData.append(RedLine());
  return doc;
}

// The scratch layout: state/tarnwick (made as the program makes it), a
// victim file and a folder of the user's own icons beside it.
struct Planting {
  ScratchDir dir;
  std::string folder = dir.File("state/tarnwick");
  std::string victim = dir.File("victim.twk");
  std::string icons = dir.File("icons");
  std::string own = "editor-" + std::to_string(::getpid()) + "-";

  Planting() {
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
    WriteBytes(victim, "the victim's bytes");
    fs::create_directory(icons);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(SaveDocumentFile(icons + "/editor-9-" + std::to_string(i) + ".twk", Drawing(1)), ResultCode::kOk);
  }
  std::string In(const std::string& name) const { return folder + "/" + name; }
  void Copy() const { ASSERT_EQ(SaveDocumentFile(In("editor-1-0.twk"), Drawing(3)), ResultCode::kOk); }
  void Sparse(const std::string& name) const {
    WriteBytes(In(name), "");
    fs::resize_file(In(name), std::uintmax_t{3} << 30);
  }
  // Everything outside the state folder, by name: bytes and inode.
  std::map<std::string, std::pair<std::string, ino_t>> Outside() const {
    std::map<std::string, std::pair<std::string, ino_t>> seen;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      if (entry.path().string().rfind(dir.File("state"), 0) == 0 || !entry.is_regular_file()) continue;
      struct stat info {};
      ::stat(entry.path().c_str(), &info);
      seen[entry.path().string()] = {ReadBytes(entry.path().string()), info.st_ino};
    }
    return seen;
  }
};

// What one start and one editor's life made of the planting.
struct Outcome {
  FolderOpen own = FolderOpen::kOpened;     // claiming this editor's copy
  FolderOpen listed = FolderOpen::kOpened;  // listing the abandoned ones
  std::vector<std::string> offered;         // the planted copies offered
  std::string savePath;                     // editor-1-0's
  std::optional<CopyLoad> load;             // editor-1-0's
  std::optional<FolderOpen> recovered;      // setting editor-1-0 aside
  bool operator==(const Outcome&) const = default;
};

Outcome Session(const Planting& p) {
  Outcome out;
  if (auto mine = RecoveryCopy::Claim(p.folder, &out.own)) {
    EXPECT_EQ(mine->Write(Drawing(1), {"first.twk", "", "/w"}), ResultCode::kOk);
    EXPECT_EQ(mine->KeepAside(), KeptAside::kKept);
    EXPECT_EQ(mine->Write(Drawing(2), {"second.twk", "", "/w"}), ResultCode::kOk);
  }
  AbandonedCopies found = AbandonedCopies::Claim(p.folder);
  out.listed = found.opened();
  for (AbandonedCopy& copy : found.copies()) {
    if (copy.name.rfind(p.own, 0) != 0) out.offered.push_back(copy.name);
    TWKFILE doc;
    const CopyLoad load = found.Load(copy, doc);
    const SetAsideResult aside = found.SetAside(copy);
    if (copy.name != "editor-1-0") continue;
    out.savePath = copy.notes.savePath;
    out.load = load;
    out.recovered = aside.recovered;
  }
  return out;
}

TEST(RecoveryPlanting, NothingPlantedReachesOutsideHangsOrCostsACopy) {
  const bool root = ::geteuid() == 0;
  const CopyLoad modeZero = root ? CopyLoad::kLoaded : CopyLoad::kUnreadable;  // the superuser reads it anyway
  const Outcome offeredAndSetAside{.offered = {"editor-1-0"}, .savePath = "", .load = CopyLoad::kLoaded,
                                   .recovered = FolderOpen::kOpened};
  const Outcome nothingOffered{};
  const Outcome refused{FolderOpen::kNotOwnFolder, FolderOpen::kNotOwnFolder, {}, "", {}, {}};
  const struct {
    const char* planted;
    std::function<void(const Planting&)> plant;
    Outcome expected;
  } cases[] = {
      {"own .path links to the victim",
       [](const Planting& p) { fs::create_symlink(p.victim, p.In(p.own + "0.path")); }, nothingOffered},
      {"own .twk is a dangling link",
       [](const Planting& p) { fs::create_symlink(p.dir.File("outside.twk"), p.In(p.own + "0.twk")); },
       nothingOffered},
      {"a copy links to the victim", [](const Planting& p) { fs::create_symlink(p.victim, p.In("editor-1-0.twk")); },
       nothingOffered},
      {"a copy is a FIFO", [](const Planting& p) { ASSERT_EQ(::mkfifo(p.In("editor-1-0.twk").c_str(), 0600), 0); },
       nothingOffered},
      {"a copy is a folder", [](const Planting& p) { fs::create_directory(p.In("editor-1-0.twk")); }, nothingOffered},
      {"a copy is a sparse 3 GiB file", [](const Planting& p) { p.Sparse("editor-1-0.twk"); },
       Outcome{.offered = {"editor-1-0"}, .load = CopyLoad::kDamaged, .recovered = FolderOpen::kOpened}},
      {"a copy has mode 000",
       [](const Planting& p) {
         p.Copy();
         fs::permissions(p.In("editor-1-0.twk"), fs::perms::none);
       },
       Outcome{.offered = {"editor-1-0"}, .load = modeZero, .recovered = FolderOpen::kOpened}},
      {"a .path is a FIFO",
       [](const Planting& p) {
         p.Copy();
         ASSERT_EQ(::mkfifo(p.In("editor-1-0.path").c_str(), 0600), 0);
       },
       offeredAndSetAside},
      {"a .path links to /dev/zero",
       [](const Planting& p) {
         p.Copy();
         fs::create_symlink("/dev/zero", p.In("editor-1-0.path"));
       },
       offeredAndSetAside},
      {"a .path is a sparse 3 GiB file",
       [](const Planting& p) {
         p.Copy();
         p.Sparse("editor-1-0.path");
       },
       offeredAndSetAside},
      {"a .path links to the victim",
       [](const Planting& p) {
         p.Copy();
         fs::create_symlink(p.victim, p.In("editor-1-0.path"));
       },
       offeredAndSetAside},
      {"a .lock is a FIFO",
       [](const Planting& p) {
         p.Copy();
         ASSERT_EQ(::mkfifo(p.In("editor-1-0.lock").c_str(), 0600), 0);
       },
       offeredAndSetAside},
      {"recovered links to the user's icons",
       [](const Planting& p) {
         p.Copy();
         fs::create_symlink(p.icons, p.In("recovered"));
       },
       Outcome{.offered = {"editor-1-0"}, .load = CopyLoad::kLoaded, .recovered = FolderOpen::kNotOwnFolder}},
      {"tarnwick links to the user's icons",
       [](const Planting& p) {
         fs::remove(p.folder);
         fs::create_symlink(p.icons, p.folder);
       },
       refused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.planted);
    Planting p;
    c.plant(p);
    const auto before = p.Outside();
    EXPECT_TRUE(Session(p) == c.expected);
    EXPECT_EQ(p.Outside(), before);
    EXPECT_FALSE(fs::exists(fs::symlink_status(p.dir.File("outside.twk"))));
  }
}

TEST(RecoveryPlanting, ADeviceNodeOrAFolderOfAnotherUserIsLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser makes device nodes and gives folders away";
  {
    Planting p;
    ASSERT_EQ(::mknod(p.In("editor-1-0.twk").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    fs::create_symlink("/dev/null", p.In("editor-1-0.path"));
    EXPECT_TRUE(Session(p) == Outcome{});
    struct stat info {};
    ASSERT_EQ(::lstat(p.In("editor-1-0.twk").c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
  }
  {
    Planting p;
    p.Copy();
    ASSERT_EQ(::chown(p.folder.c_str(), 65534, 65534), 0);
    EXPECT_TRUE(Session(p) == (Outcome{FolderOpen::kNotOwnFolder, FolderOpen::kNotOwnFolder, {}, "", {}, {}}));
    EXPECT_TRUE(fs::exists(p.In("editor-1-0.twk")));
  }
}

}  // namespace
}  // namespace twk::test
