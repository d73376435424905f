// Storage with real processes on one vault on disk: merges across processes, simultaneous saves
// and a lock left behind by a killed process.
#include <signal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/actions/StorageClients.h"
#include "tests/support/Processes.h"

namespace vendrel::actions {
namespace {

namespace fs = std::filesystem;
using test::IdName;
using test::SimClient;
using ::testing::ElementsAre;
using testing::ExitStatus;
using testing::Pipe;
using testing::Spawn;

class StorageProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("vendrel-storage-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    database = folder / "vault.db";
    local = folder / "local";
    auto vault = sim::SimVault::Create(database, {L"Shared", L"C:\\Vault", local});
    vault->AddUser(L"alice");
    vault->AddUser(L"bob");
    vault->AddUser(L"carol");
    // The dictionary exists but holds no action set yet.
    SimClient(*vault, L"alice").Dictionary();
  }
  void TearDown() override { fs::remove_all(folder); }

  std::unique_ptr<sim::SimVault> Open() { return sim::SimVault::Open(database, local); }

  // A process that loads, adds `name`, reports that it loaded, and saves when told to.
  pid_t Administrator(const std::wstring& user, const std::wstring& name, Pipe& loaded, Pipe& go) {
    return Spawn([&, user, name] {
      auto vault = Open();
      SimClient client(*vault, user, SimClient::Speed::kSlowReads);
      if (!client.Load()) return false;
      client.Add(name);
      loaded.Signal();
      return go.Wait() && client.Save();
    });
  }

  fs::path folder, database, local;
};

TEST_F(StorageProcessTest, TwoProcessesThatBothAddAreMergedInOrder) {
  Pipe aliceLoaded, bobLoaded, aliceGo, bobGo;
  const pid_t alice = Administrator(L"alice", L"alice's", aliceLoaded, aliceGo);
  const pid_t bob = Administrator(L"bob", L"bob's", bobLoaded, bobGo);
  ASSERT_TRUE(aliceLoaded.Wait());
  ASSERT_TRUE(bobLoaded.Wait());
  aliceGo.Signal();
  EXPECT_EQ(ExitStatus(alice), 0);
  bobGo.Signal();
  EXPECT_EQ(ExitStatus(bob), 0);

  auto vault = Open();
  SimClient reader(*vault, L"carol");
  EXPECT_THAT(reader.Stored(), ElementsAre(IdName{103, L"bob's"}, IdName{104, L"alice's"}));
  EXPECT_EQ(reader.Value(kCounterKey), L"2");
}

TEST_F(StorageProcessTest, SimultaneousSavesLoseNoAction) {
  constexpr int kRounds = 3;
  const std::wstring users[] = {L"alice", L"bob", L"carol"};
  std::set<std::wstring> expected;
  for (int round = 0; round < kRounds; ++round) {
    Pipe loaded[3], go[3];
    pid_t children[3];
    for (int i = 0; i < 3; ++i) {
      const std::wstring name = users[i] + L" " + std::to_wstring(round);
      expected.insert(name);
      children[i] = Administrator(users[i], name, loaded[i], go[i]);
    }
    for (Pipe& pipe : loaded) ASSERT_TRUE(pipe.Wait());
    for (Pipe& pipe : go) pipe.Signal();
    for (pid_t child : children) EXPECT_EQ(ExitStatus(child), 0);
  }

  auto vault = Open();
  SimClient reader(*vault, L"alice");
  std::set<std::wstring> names;
  std::set<std::int32_t> ids;
  for (const auto& [id, name] : reader.Stored()) {
    names.insert(name);
    ids.insert(id);
  }
  EXPECT_EQ(names, expected);
  EXPECT_EQ(ids.size(), expected.size()) << "every action keeps an id of its own";
  EXPECT_EQ(reader.Value(kCounterKey), std::to_wstring(3 * kRounds));
  EXPECT_EQ(reader.Value(kLockKey), L"(absent)");
}

TEST_F(StorageProcessTest, LockOfAKilledProcessIsForcedAndTheSaveProceeds) {
  Pipe locked;
  const pid_t holder = Spawn([&] {
    auto vault = Open();
    SimClient client(*vault, L"bob");
    if (!client.store.TakeLock(*client.Dictionary())) return false;
    locked.Signal();
    for (;;) pause();
  });
  ASSERT_TRUE(locked.Wait());
  kill(holder, SIGKILL);
  EXPECT_EQ(ExitStatus(holder), -1);

  auto vault = Open();
  SimClient alice(*vault, L"alice");
  ASSERT_EQ(alice.Value(kLockKey), kLockText) << "the killed process left its lock";
  alice.Add(L"after the crash");
  ASSERT_TRUE(alice.Save());
  EXPECT_GE(alice.clock.slept, 5000u) << "the save waited out the allowance and forced the lock";
  EXPECT_LT(alice.clock.slept, 10000u);
  EXPECT_THAT(alice.Stored(), ElementsAre(IdName{102, L"after the crash"}));
  EXPECT_EQ(alice.Value(kLockKey), L"(absent)");
}

}  // namespace
}  // namespace vendrel::actions
