// The program where the disk or the vault stands in its way: a full disk, a read-only vault, a
// writer holding the vault.
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <ostream>
#include <tuple>

#include "platform/Sqlite.h"
#include "tests/tools/CliFixture.h"

namespace vendrel::tools {
namespace {

// A small tmpfs at dir/full, which only root may mount; unmounted with the test.
class TmpfsTest : public CliTest {
 protected:
  ~TmpfsTest() override {
    if (mounted_) ::umount(full_.c_str());
  }

  // Skips when the tmpfs cannot be had.
  void Mount(const char* size) {
    full_ = dir / "full";
    fs::create_directories(full_);
    if (::geteuid() != 0) {
      GTEST_SKIP() << "a full disk is a tmpfs, which only root may mount";
    }
    if (::mount("tmpfs", full_.c_str(), "tmpfs", 0, size) != 0) {
      GTEST_SKIP() << "no tmpfs could be mounted here: " << std::strerror(errno);
    }
    mounted_ = true;
  }
  void Fill() {
    std::ofstream filler(full_ / "filler", std::ios::binary);
    const std::string block(1024, 'x');
    while (filler.write(block.data(), block.size())) {
    }
  }

  fs::path full_;
  bool mounted_ = false;
};

// How the new bytes of a replaced file are kept from the disk.
enum class Disk {
  kSizeLimit,  // no file past 32 kB, which the vault's shared index fits in: runs everywhere
  kFullTmpfs,  // a small file system filled up: needs the rights to mount one
};

class FullDiskTest : public TmpfsTest,
                     public ::testing::WithParamInterface<std::tuple<Disk, const char*>> {
 protected:
  // The folder the target is to lie in: the tmpfs, or the test's own under a limit.
  void Prepare(Disk disk) {
    if (disk == Disk::kSizeLimit) {
      before = "trap '' XFSZ; ulimit -f 64; ";
      folder = dir;
      return;
    }
    Mount("size=64k");
    folder = full_;
  }

  fs::path folder;
};

TEST_P(FullDiskTest, AFileThatCannotBeWrittenWholeLeavesTheOldOneAsItWas) {
  const auto [disk, command] = GetParam();
  // 80 kB as an action file.
  Write("big.json", R"({"format": "action-file", "version": 1600, "actions": [{"id": 7,
    "name": "Big", "menuText": "Big", "activation": ["menu"], "description": ")" +
                        std::string(40000, 'x') + "\"}]}");
  RunOk({"init", "v", "--user", "Chief"});
  RunOk({"acn", "from-json", "big.json", "-o", "big.acn"});
  RunOk({"--vault", "v", "import", "big.acn"});

  Prepare(disk);
  if (IsSkipped()) return;
  const fs::path target = folder / "target.acn";
  std::ofstream(target) << "old bytes\n";
  if (disk == Disk::kFullTmpfs) Fill();
  const Result r = command == std::string("export")
                       ? Run({"--vault", "v", "export", target.string()})
                       : Run({"acn", "from-json", "big.json", "-o", target.string()});
  EXPECT_EQ(r.code, 2) << r.out;
  EXPECT_EQ(r.err, "vendrel: The disk is full while accessing " + target.string() + ".\n");
  EXPECT_EQ(FileText(target), "old bytes\n");
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name.rfind("target", 0) != 0 || entry.path() == target) << name << " was left";
  }
}

INSTANTIATE_TEST_SUITE_P(Disks, FullDiskTest,
                         ::testing::Combine(::testing::Values(Disk::kSizeLimit, Disk::kFullTmpfs),
                                            ::testing::Values("export", "from-json")));

// What stands in the way of a command that writes to the vault.
enum class Obstacle {
  kWriter,        // another program in the middle of a write
  kFullDisk,      // the vault's disk full while another program has the vault open
  kFullDiskShut,  // the same with nobody having it open, so that its log cannot even be made
};

struct Blocked {
  Obstacle obstacle;
  std::vector<std::string> command;
  int code;
  std::string out;
  std::string err;
};

void PrintTo(const Blocked& b, std::ostream* os) {
  *os << static_cast<int>(b.obstacle) << " " << b.command.front();
}

class BlockedVaultTest : public TmpfsTest, public ::testing::WithParamInterface<Blocked> {};

// Each message names the cause and what to do, whichever step the obstacle stopped.
TEST_P(BlockedVaultTest, SaysWhatStoodInTheWay) {
  const Blocked& blocked = GetParam();
  Write("actions.json", kActions);
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  std::string vault = "v";
  std::optional<platform::Database> other;
  std::optional<platform::Transaction> writing;
  if (blocked.obstacle == Obstacle::kWriter) {
    MakeVault();
    other.emplace(dir / "v" / "vault.db");
    writing.emplace(*other);
  } else {
    Mount("size=1m");
    if (IsSkipped()) return;
    vault = "full/v";
    RunOk({"init", vault, "--user", "Chief"});
    Write("a.txt", "alpha\n");
    RunOk({"--vault", vault, "add", "a.txt", "--to", "C:\\v"});
    RunOk({"--vault", vault, "import", "actions.acn"});
    // The last connection to close folds the log into the database and removes it.
    other.emplace(dir / vault / "vault.db");
    other->Prepare("SELECT count(*) FROM sqlite_schema").Step();
    if (blocked.obstacle == Obstacle::kFullDiskShut) other.reset();
    Fill();
  }
  std::vector<std::string> args{"--vault", vault};
  args.insert(args.end(), blocked.command.begin(), blocked.command.end());
  const Result r = Run(args);
  EXPECT_EQ(r.code, blocked.code);
  EXPECT_EQ(r.out, blocked.out);
  EXPECT_EQ(r.err, blocked.err);
}

const std::string kFullWarning =
    "vendrel: warning: the disk holding the vault is full, so the stored actions could not be "
    "locked; no action runs: make room on that disk and try again\n";

INSTANTIATE_TEST_SUITE_P(
    Obstacles, BlockedVaultTest,
    ::testing::Values(
        Blocked{Obstacle::kWriter,
                {"checkout", "a.txt"},
                1,
                "checkout failed: another program holds the vault locked; try again once it is "
                "done (0x80070021)\n  a.txt  v1  Draft\n",
                ""},
        Blocked{Obstacle::kWriter,
                {"mkdir", "C:\\v\\New"},
                2,
                "",
                "vendrel: the vault refused the folder C:\\v\\New: another program holds the "
                "vault locked; try again once it is done (0x80070021)\n"},
        Blocked{Obstacle::kWriter,
                {"import", "actions.acn"},
                2,
                "",
                "vendrel: the vault's stored actions are locked by another client; nothing was "
                "changed: try again once the other client is done\n"},
        Blocked{Obstacle::kFullDisk,
                {"checkout", "a.txt"},
                1,
                "checkout failed: the disk holding the vault is full; make room on it and try "
                "again (0x80070070)\n  a.txt  v1  Draft\n",
                kFullWarning},
        Blocked{Obstacle::kFullDisk,
                {"mkdir", "C:\\v\\New"},
                2,
                "",
                kFullWarning +
                    "vendrel: the vault refused the folder C:\\v\\New: the disk holding the "
                    "vault is full; make room on it and try again (0x80070070)\n"},
        Blocked{Obstacle::kFullDisk,
                {"import", "actions.acn"},
                2,
                "",
                kFullWarning +
                    "vendrel: the disk holding the vault is full, so the stored actions could not "
                    "be locked; nothing was changed: make room on that disk and try again\n"},
        Blocked{Obstacle::kFullDiskShut,
                {"checkout", "a.txt"},
                2,
                "",
                "vendrel: the disk holding the vault is full; make room on it and try again "
                "(database error 13)\n"}));

// How a vault comes to be read-only.
enum class Copy {
  kWholeFolder,  // with its write-ahead log, as a read-only mount of a vault in use shows it
  kBackup,       // the database and the contents alone
};

class ReadOnlyVaultTest : public CliTest, public ::testing::WithParamInterface<Copy> {
 protected:
  ~ReadOnlyVaultTest() override {
    if (mounted_) ::umount((dir / "ro").c_str());
    fs::permissions(dir / "ro", fs::perms::owner_all, fs::perm_options::add);
  }

  // "ro": a copy of vault v, made read-only by a mount as root and by its rights otherwise.
  void MakeReadOnlyCopy() {
    const fs::path copy = dir / "copy";
    if (GetParam() == Copy::kWholeFolder) {
      fs::copy(dir / "v", copy, fs::copy_options::recursive);
    } else {
      const std::string checkpoint = "sqlite3 " + Quote((dir / "v" / "vault.db").string()) +
                                     " 'PRAGMA wal_checkpoint(TRUNCATE)' >/dev/null";
      ASSERT_EQ(std::system(checkpoint.c_str()), 0);
      fs::create_directories(copy);
      for (const char* name : {"vault.db", "vault.db-contents"}) {
        fs::copy(dir / "v" / name, copy / name);
      }
    }
    fs::create_directories(dir / "ro");
    if (::geteuid() == 0) {
      ASSERT_EQ(::mount(copy.c_str(), (dir / "ro").c_str(), nullptr, MS_BIND, nullptr), 0);
      mounted_ = true;
      ASSERT_EQ(::mount(nullptr, (dir / "ro").c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                        nullptr),
                0);
    } else {
      fs::remove(dir / "ro");
      fs::rename(copy, dir / "ro");
      for (const auto& entry : fs::recursive_directory_iterator(dir / "ro")) {
        fs::permissions(entry.path(), fs::perms::all & ~fs::perms::owner_write &
                                          ~fs::perms::group_write & ~fs::perms::others_write);
      }
      fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    }
  }

  bool mounted_ = false;
};

TEST_P(ReadOnlyVaultTest, ReadersReadItAndWritersSayItIsReadOnly) {
  MakeVault();
  Write("actions.json", kActions);
  RunOk({"acn", "from-json", "actions.json", "-o", "actions.acn"});
  RunOk({"--vault", "v", "import", "actions.acn"});
  const std::string stored = RunOk({"--vault", "v", "actions"}).out;
  RunOk({"--vault", "v", "export", "v.acn"});
  MakeReadOnlyCopy();

  EXPECT_NE(RunOk({"--vault", "ro", "ls"}).out.find("a.txt  v1  Draft"), std::string::npos);
  EXPECT_EQ(RunOk({"--vault", "ro", "actions"}).out, stored);
  EXPECT_NE(RunOk({"--vault", "ro", "show", "a.txt"}).out.find("v1"), std::string::npos);
  RunOk({"--vault", "ro", "export", "out.acn"});
  EXPECT_EQ(FileText(dir / "out.acn"), FileText(dir / "v.acn"));
  RunOk({"--vault", "ro", "lint"});
  RunOk({"--vault", "ro", "diff", "vault", "out.acn"});

  for (const std::vector<std::string>& writer : {std::vector<std::string>{"checkout", "a.txt"},
                                                 {"mkdir", "C:\\v\\New"},
                                                 {"import", "actions.acn"}}) {
    std::vector<std::string> args{"--vault", "ro"};
    args.insert(args.end(), writer.begin(), writer.end());
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2) << writer.front();
    EXPECT_EQ(r.err,
              "vendrel: the vault in ro is read-only (a read-only mount or a "
              "write-protected copy): ls, actions, show, export, lint and diff can read "
              "it; nothing was changed\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Copies, ReadOnlyVaultTest,
                         ::testing::Values(Copy::kWholeFolder, Copy::kBackup));

// A writer between its begin and its commit holds off other writers, never readers.
TEST_F(CliTest, ReadersGoOnWhileAWriterHoldsTheVault) {
  MakeVault();
  platform::Database writer(dir / "v" / "vault.db");
  const platform::Transaction held(writer);
  // Well below the five seconds a reader used to wait for the writer's lock.
  before = "timeout 4 ";
  for (const char* reader : {"ls", "actions", "lint"}) RunOk({"--vault", "v", reader});
}

}  // namespace
}  // namespace vendrel::tools
