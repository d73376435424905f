// Storage with real processes on one vault on disk: merges across processes, simultaneous saves
// and a lock left behind by a killed process.
#include <signal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <thread>

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

// What a verifying load finds after a killed save: one generation of names, or a mixture.
struct Generation {
  int number = -1;  // -1: the names do not all belong to one generation
  std::size_t count = 0;
  bool idsKept = true;
};

Generation GenerationOf(const ActionList& actions) {
  Generation found;
  found.count = actions.size();
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const std::wstring& name = actions[i]->name;
    const int number = std::stoi(name.substr(1, name.find(L' ') - 1));
    if (i == 0) found.number = number;
    if (number != found.number ||
        name != L"g" + std::to_wstring(number) + L" " + std::to_wstring(i)) {
      found.number = -1;
    }
    found.idsKept = found.idsKept && actions[i]->actionId == 102 + static_cast<std::int32_t>(i);
  }
  return found;
}

// A save of 1,000 actions killed at 200 moments spread over it: every time the stored set loads
// and is the old or the new one whole, the counter never claims a save that did not land, and a
// lock left behind is forced within its allowance. Between the write of the set and that of the
// counter the set may be new with the counter old: the counter is written second on purpose, so
// a reader that loaded the old set overwrites the killed save rather than merging half of it.
TEST_F(StorageProcessTest, ASaveKilledAnywhereLeavesTheOldOrTheNewSet) {
  constexpr int kActions = 1000;
  constexpr int kKills = 200;
  {
    auto vault = Open();
    SimClient alice(*vault, L"alice");
    ASSERT_TRUE(alice.Load());
    for (int i = 0; i < kActions; ++i) alice.Add(L"g0 " + std::to_wstring(i));
    ASSERT_TRUE(alice.Save());
  }
  // A fresh load after each kill; the next writer edits what it found, as an administrator would.
  // A clock that only counts lets a forced lock's five seconds pass at once.
  struct Check {
    testing::FixedClock clock;
    test::CountingWaitCursor cursor;
    testing::RecordingMessageBoxes boxes;
    ActionStore store{cursor, clock, boxes, test::MakeProbe};
    bool lockLeft = false;
  };
  const auto check = [&] {
    auto found = std::make_unique<Check>();
    auto vault = Open();
    SimClient reader(*vault, L"carol");
    found->lockLeft = reader.Value(kLockKey) == kLockText;
    EXPECT_TRUE(found->store.Load(*reader.session));
    return found;
  };
  // Forked with the loaded store; no database connection is open in the parent then.
  const auto saveNext = [&](ActionStore& loaded, Pipe& ready) {
    return Spawn([&] {
      auto vault = Open();
      SimClient writer(*vault, L"bob");
      const int next = GenerationOf(loaded.Set().actions).number + 1;
      for (std::size_t i = 0; i < loaded.Set().actions.size(); ++i) {
        Action& action = *loaded.Set().actions[i];
        action.name = L"g" + std::to_wstring(next) + L" " + std::to_wstring(i);
        action.changedMark = true;
      }
      ready.Signal();
      // Timed by the writer itself: a parent woken late would measure next to nothing.
      const auto start = std::chrono::steady_clock::now();
      const bool saved = loaded.Save(*writer.session);
      ready.Send(std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - start)
                     .count());
      return saved;
    });
  };

  std::unique_ptr<Check> last = check();
  std::chrono::microseconds saveTime{};
  {
    Pipe ready;
    const pid_t writer = saveNext(last->store, ready);
    ASSERT_TRUE(ready.Wait());
    std::int64_t took = 0;
    ASSERT_TRUE(ready.Receive(took));
    ASSERT_EQ(ExitStatus(writer), 0);
    saveTime = std::chrono::microseconds(took);
  }
  last = check();
  int generation = 1;
  std::int32_t counter = last->store.CounterAtLoad();
  int old = 0, fresh = 0, counterBehind = 0, locksLeft = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    Pipe ready;
    const pid_t writer = saveNext(last->store, ready);
    ASSERT_TRUE(ready.Wait());
    // Up to a fifth past the measured time, so that the end of the save is reached too.
    std::this_thread::sleep_for(saveTime * kill * 6 / (5 * kKills));
    ::kill(writer, SIGKILL);
    ExitStatus(writer);

    last = check();
    const std::uint64_t slept = last->clock.slept;
    EXPECT_EQ(slept >= 5000 && slept < 10000, last->lockLeft) << slept;
    const Generation found = GenerationOf(last->store.Set().actions);
    ASSERT_EQ(found.count, static_cast<std::size_t>(kActions)) << "kill " << kill;
    ASSERT_TRUE(found.idsKept) << "kill " << kill;
    ASSERT_TRUE(found.number == generation || found.number == generation + 1)
        << "kill " << kill << ": generation " << found.number << " after " << generation;
    const std::int32_t stored = last->store.CounterAtLoad();
    ASSERT_TRUE(stored == counter || stored == counter + 1) << stored << " after " << counter;
    if (stored == counter + 1) {
      ASSERT_EQ(found.number, generation + 1) << "kill " << kill;
    }
    counterBehind += found.number == generation + 1 && stored == counter;
    (found.number == generation ? old : fresh) += 1;
    locksLeft += last->lockLeft;
    generation = found.number;
    counter = stored;
  }
  EXPECT_GT(old, 0);
  EXPECT_GT(fresh, 0);
  std::printf(
      "save of %d actions: %lld us; of %d kills %d kept the old set, %d the new one "
      "(%d with the counter behind), %d left the lock\n",
      kActions, static_cast<long long>(saveTime.count()), kKills, old, fresh, counterBehind,
      locksLeft);
}

}  // namespace
}  // namespace vendrel::actions
