// Several processes on one vault on disk: shared changes, atomic dictionary, killed writers.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <sstream>
#include <thread>

#include "platform/DataFile.h"
#include "tests/sim/VaultFixture.h"
#include "tests/support/Processes.h"

namespace vendrel::sim::testing {
namespace {

namespace fs = std::filesystem;
using host::Ref;
using vendrel::testing::ExitStatus;
using vendrel::testing::Pipe;
using vendrel::testing::Spawn;

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("vendrel-process-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    database = folder / "vault.db";
    local = folder / "local";
    auto vault = SimVault::Create(database, {L"Shared", L"C:\\Vault", local});
    vault->AddUser(L"alice");
    vault->AddUser(L"bob");
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ec))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
  }

  std::unique_ptr<SimVault> Open() { return SimVault::Open(database, local); }

  static Ref<host::VaultSession> Login(SimVault& vault, const std::wstring& user) {
    Ref<host::VaultSession> session;
    EXPECT_EQ(vault.Login(user, L"PC1", session), host::kOk);
    return session;
  }

  fs::path folder, database, local;
};

TEST_F(ProcessTest, EachProcessSeesTheOthersChangesOnItsNextCall) {
  Pipe toChild, toParent;
  const pid_t child = Spawn([&] {
    auto vault = Open();
    Ref<host::VaultSession> bob = Login(*vault, L"bob");
    Ref<host::VaultFolder> root;
    if (bob->GetFolderFromPath(L"C:\\Vault", root) != host::kOk || !toChild.Wait()) return false;
    Ref<host::VaultFolder> seen, made;
    const bool ok = root->SubFolder(L"FromParent", seen) == host::kOk &&
                    root->AddFolder(0, L"FromChild", 0, made) == host::kOk;
    toParent.Signal();
    return ok;
  });

  auto vault = Open();
  Ref<host::VaultSession> alice = Login(*vault, L"alice");
  Ref<host::VaultFolder> root;
  ASSERT_EQ(alice->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
  Ref<host::VaultFolder> made, seen;
  ASSERT_EQ(root->AddFolder(0, L"FromParent", 0, made), host::kOk);
  toChild.Signal();
  ASSERT_TRUE(toParent.Wait());
  EXPECT_EQ(root->SubFolder(L"FromChild", seen), host::kOk);
  EXPECT_EQ(ExitStatus(child), 0);
}

TEST_F(ProcessTest, AProcessKilledInsideCheckInLeavesTheVaultAsBefore) {
  {
    auto vault = Open();
    Ref<host::VaultSession> alice = Login(*vault, L"alice");
    Ref<host::VaultFolder> root;
    ASSERT_EQ(alice->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
    WriteNative(folder / "in.txt", "v1");
    Ref<host::VaultFile> file;
    ASSERT_EQ(root->AddFile(0, platform::WindowsPath(folder / "in.txt"), L"a.txt", 1, file),
              host::kOk);
    ASSERT_EQ(file->CheckOut(1, 0, 0), host::kOk);
    WriteNative(local / "a.txt", "v2");
  }

  Pipe inside;
  const pid_t child = Spawn([&] {
    auto vault = Open();
    Ref<host::VaultSession> alice = Login(*vault, L"alice");
    Ref<host::VaultFile> file;
    Ref<host::VaultFolder> parent;
    if (alice->GetFileFromPath(L"C:\\Vault\\a.txt", file, parent) != host::kOk) return false;
    sim::testing::SetInTransactionHook([&] {
      inside.Signal();
      for (;;) pause();
    });
    return file->CheckIn(0, L"never", 0, 0) == host::kOk;
  });
  ASSERT_TRUE(inside.Wait());
  kill(child, SIGKILL);
  EXPECT_EQ(ExitStatus(child), -1);

  auto vault = Open();
  EXPECT_EQ(vault->GetStore().Problems(), std::vector<std::string>{});
  Ref<host::VaultSession> alice = Login(*vault, L"alice");
  Ref<host::VaultFile> file;
  Ref<host::VaultFolder> parent;
  ASSERT_EQ(alice->GetFileFromPath(L"C:\\Vault\\a.txt", file, parent), host::kOk);
  std::int32_t version = 0;
  ASSERT_EQ(file->CurrentVersion(version), host::kOk);
  EXPECT_EQ(version, 1);
  host::CheckOutInfo info;
  ASSERT_EQ(file->CheckOutState(info), host::kOk);
  EXPECT_EQ(info.userName, L"alice");
  // The write lock died with the process: the check-in can be done again.
  ASSERT_EQ(file->CheckIn(0, L"again", 0, 0), host::kOk);
  ASSERT_EQ(file->CurrentVersion(version), host::kOk);
  EXPECT_EQ(version, 2);
}

// Runs the hammer program and collects the rounds it won.
class Hammer {
 public:
  Hammer(const fs::path& database, const fs::path& local, const char* user, int rounds) {
    const std::string command = std::string(VENDREL_DICTIONARY_HAMMER) + " '" + database.string() +
                                "' '" + local.string() + "' " + user + " " + std::to_string(rounds);
    pipe_ = popen(command.c_str(), "r");
  }
  // The rounds won; false when the program failed.
  bool Finish(std::vector<int>& won) {
    if (!pipe_) return false;
    char line[32];
    while (fgets(line, sizeof line, pipe_)) won.push_back(std::atoi(line));
    const int status = pclose(pipe_);
    pipe_ = nullptr;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  FILE* pipe_ = nullptr;
};

TEST_F(ProcessTest, SetIfAbsentHasExactlyOneWinnerAcrossProcesses) {
  constexpr int kRounds = 300;
  Hammer first(database, local, "alice", kRounds);
  Hammer second(database, local, "bob", kRounds);
  std::vector<int> aliceWon, bobWon;
  ASSERT_TRUE(first.Finish(aliceWon));
  ASSERT_TRUE(second.Finish(bobWon));

  std::set<int> rounds(aliceWon.begin(), aliceWon.end());
  for (int round : bobWon) EXPECT_TRUE(rounds.insert(round).second) << "both won " << round;
  EXPECT_EQ(rounds.size(), static_cast<std::size_t>(kRounds));

  auto vault = Open();
  Ref<host::AddInDictionary> dictionary;
  ASSERT_EQ(Login(*vault, L"alice")->GetDictionary(L"Hammer", false, dictionary), host::kOk);
  std::wstring text;
  bool exists = false;
  for (int round : bobWon) {
    ASSERT_EQ(dictionary->Read(1000 + round, text, exists), host::kOk);
    EXPECT_EQ(text, L"bob");
  }
  // Every increment under the dictionary lock survived, and the lock was left free.
  ASSERT_EQ(dictionary->Read(2, text, exists), host::kOk);
  EXPECT_EQ(text, std::to_wstring(2 * kRounds));
  ASSERT_EQ(dictionary->Read(1, text, exists), host::kOk);
  EXPECT_FALSE(exists);
}

TEST_F(ProcessTest, AReopenedVaultKeepsItsContent) {
  {
    auto vault = Open();
    Ref<host::VaultFolder> root, sub;
    ASSERT_EQ(Login(*vault, L"alice")->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
    ASSERT_EQ(root->AddFolder(0, L"Kept", 0, sub), host::kOk);
  }
  auto vault = Open();
  Ref<host::VaultSession> bob = Login(*vault, L"bob");
  Ref<host::VaultFolder> kept;
  EXPECT_EQ(bob->GetFolderFromPath(L"C:\\Vault\\Kept", kept), host::kOk);
  std::wstring name;
  ASSERT_EQ(bob->Name(name), host::kOk);
  EXPECT_EQ(name, L"Shared");
  EXPECT_THROW(SimVault::Create(database, {}), SimError);
}

// A count the database gives for one query.
std::int64_t Count(SimVault& vault, const char* sql) {
  platform::Statement row = vault.GetStore().Db().Prepare(sql);
  return row.Step() ? row.Int64(0) : -1;
}

// Adds and check-ins killed at many moments: the vault reopens whole every time, no version
// that was stored goes missing or reads other bytes, and what was cut off can be done again.
TEST_F(ProcessTest, AddsAndCheckInsKilledAnywhereLeaveAConsistentVault) {
  constexpr int kKills = 60;
  // Adds a file, checks it out and in.
  const auto round = [&](host::VaultFolder& root, int series, int n) {
    const std::wstring name = L"k" + std::to_wstring(series) + L"-" + std::to_wstring(n) + L".txt";
    const fs::path source = folder / ("in-" + std::to_string(series) + ".txt");
    WriteNative(source, "first " + std::to_string(n));
    Ref<host::VaultFile> file;
    if (root.AddFile(0, platform::WindowsPath(source), name, 0, file) != host::kOk ||
        file->CheckOut(1, 0, 0) != host::kOk)
      return false;
    WriteNative(local / platform::ToUtf8(name), "second " + std::to_string(n));
    return file->CheckIn(0, L"second", 0, 0) == host::kOk;
  };
  const auto rootOf = [](SimVault& vault) {
    Ref<host::VaultFolder> root;
    Login(vault, L"alice")->GetFolderFromPath(L"C:\\Vault", root);
    return root;
  };
  // Two rounds timed here, not in a child, so a parent woken late cannot shrink them; the
  // connection is closed before the first fork.
  std::chrono::microseconds twoRounds{};
  {
    auto vault = Open();
    Ref<host::VaultFolder> root = rootOf(*vault);
    ASSERT_TRUE(root);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(round(*root, kKills, 0) && round(*root, kKills, 1));
    twoRounds = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
  }

  std::int64_t versionsBefore = 4;
  for (int kill = 0; kill < kKills; ++kill) {
    Pipe ready;
    // Rounds until killed; signals when the first is over, stored or not, so a failing worker
    // is reported rather than waited for.
    const pid_t killed = Spawn([&, kill] {
      auto vault = Open();
      Ref<host::VaultFolder> root = rootOf(*vault);
      for (int n = 0;; ++n) {
        const bool stored = root && round(*root, kill, n);
        if (n == 0) ready.Signal();
        if (!stored) return false;
      }
    });
    // Killed only after a whole round, so every kill has stored work to lose; a fast machine
    // would otherwise kill most workers before their first commit.
    ASSERT_TRUE(ready.Wait());
    std::this_thread::sleep_for(twoRounds * (2 * kill + 1) / (2 * kKills));
    ::kill(killed, SIGKILL);
    ASSERT_EQ(ExitStatus(killed), -1) << "the worker stopped by itself";

    auto vault = Open();
    ASSERT_EQ(vault->GetStore().Problems(), std::vector<std::string>{});
    // Each stored version reads back what its round wrote ("first 3", "second 3" for k*-3).
    const platform::DataFile contents(SimVault::ContentsFile(database));
    for (platform::Statement stored = vault->GetStore().Db().Prepare(
             "SELECT f.name, v.version, v.content_at, v.content_size FROM versions v "
             "JOIN files f ON f.id = v.file_id");
         stored.Step();) {
      const std::string name = platform::ToUtf8(stored.Text(0));
      const std::size_t dash = name.find('-');
      const std::string expected = (stored.Int(1) == 1 ? "first " : "second ") +
                                   name.substr(dash + 1, name.find('.') - dash - 1);
      std::string bytes(static_cast<std::size_t>(stored.Int64(3)), '\0');
      contents.ReadAt(static_cast<std::uint64_t>(stored.Int64(2)),
                      reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
      ASSERT_EQ(bytes, expected) << name;
    }
    const std::int64_t versions = Count(*vault, "SELECT COUNT(*) FROM versions");
    ASSERT_GE(versions, versionsBefore + 2) << "a stored round went missing at kill " << kill;
    versionsBefore = versions;
  }

  // What the kills cut off can be finished: every check-out left behind checks in.
  auto vault = Open();
  Ref<host::VaultSession> alice = Login(*vault, L"alice");
  platform::Statement left = vault->GetStore().Db().Prepare(
      "SELECT f.name FROM checkouts c JOIN files f ON f.id = c.file_id");
  std::vector<std::wstring> names;
  while (left.Step()) names.push_back(left.Text(0));
  for (const std::wstring& name : names) {
    Ref<host::VaultFile> file;
    Ref<host::VaultFolder> parent;
    ASSERT_EQ(alice->GetFileFromPath(L"C:\\Vault\\" + name, file, parent), host::kOk)
        << platform::ToUtf8(name);
    EXPECT_EQ(file->CheckIn(0, L"after the kill", 0, 0), host::kOk) << platform::ToUtf8(name);
  }
  std::printf(
      "two rounds of add, check out, check in: %lld us; %lld versions after %d kills, "
      "%zu check-outs left\n",
      static_cast<long long>(twoRounds.count()), static_cast<long long>(versionsBefore), kKills,
      names.size());
}

}  // namespace
}  // namespace vendrel::sim::testing
