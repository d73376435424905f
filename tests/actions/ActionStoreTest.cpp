// Loading and saving a vault's actions through an in-memory dictionary: lock, counter, merge.
#include "actions/ActionStore.h"

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/HexStringFile.h"
#include "tests/actions/StorageFakes.h"
#include "tests/actions/TestActions.h"
#include "tests/support/FakeServices.h"

namespace vendrel::actions {
namespace {

using test::AddProbe;
using test::MakeProbe;
using test::NewAction;
using test::Probe;
using test::ProbeCmd;
using test::SetText;
using test::operator+;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// One administrator's add-in on one client.
struct Client {
  test::CountingWaitCursor cursor;
  testing::FixedClock clock;
  testing::RecordingMessageBoxes boxes;
  ActionStore store{cursor, clock, boxes, MakeProbe};

  ActionList& Actions() { return store.Set().actions; }
  // Adds an action as the administration dialog does: next id, changed.
  Action& Add(const std::wstring& name) {
    auto action = NewAction(++store.Set().highestId, name);
    action->changedMark = true;
    Actions().push_back(std::move(action));
    return *Actions().back();
  }
  Action* Find(std::int32_t id) {
    for (auto& a : Actions()) {
      if (a->actionId == id) return a.get();
    }
    return nullptr;
  }
};

// What a fresh client would load from the dictionary: (id, name) pairs in stored order.
std::vector<std::pair<std::int32_t, std::wstring>> Stored(test::DictionaryVault& vault) {
  Client reader;
  EXPECT_TRUE(reader.store.Load(vault));
  std::vector<std::pair<std::int32_t, std::wstring>> out;
  for (const auto& a : reader.Actions()) out.emplace_back(a->actionId, a->name);
  return out;
}

class ActionStoreTest : public ::testing::Test {
 protected:
  test::MemoryDictionary& Dictionary() {
    if (!vault.dictionary) vault.dictionary = host::MakeRef<test::MemoryDictionary>();
    return *vault.dictionary;
  }
  // A vault whose stored set holds the given actions under counter `counter`.
  void Seed(ActionList actions, int counter) {
    Dictionary().values[kActionSetKey] = SetText(actions);
    Dictionary().values[kCounterKey] = std::to_wstring(counter);
  }

  test::DictionaryVault vault;
};

using Pair = std::pair<std::int32_t, std::wstring>;

TEST_F(ActionStoreTest, NoDictionaryFailsTheLoadQuietlyAndTheFirstSaveCreatesIt) {
  Client client;
  client.Add(L"kept");
  EXPECT_FALSE(client.store.Load(vault));
  EXPECT_FALSE(client.store.Loaded());
  EXPECT_FALSE(vault.dictionary) << "a load never creates the dictionary";
  EXPECT_THAT(client.boxes.shown, IsEmpty());
  ASSERT_EQ(client.Actions().size(), 1u);

  ASSERT_TRUE(client.store.Save(vault));
  ASSERT_TRUE(vault.dictionary);
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"1");
  EXPECT_FALSE(Dictionary().values.contains(kLockKey));
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{102, L"kept"}));
}

TEST_F(ActionStoreTest, MissingSetLoadsAndKeepsTheList) {
  Dictionary();
  Client client;
  client.Add(L"mine");
  EXPECT_TRUE(client.store.Load(vault));
  EXPECT_TRUE(client.store.Loaded());
  EXPECT_EQ(client.Actions().size(), 1u);
}

TEST_F(ActionStoreTest, LoadReadsTheSetTheCounterAndTheHighestId) {
  ActionList seed;
  seed.push_back(NewAction(110, L"b"));
  seed.push_back(NewAction(104, L"a"));
  Seed(std::move(seed), 7);
  Client client;
  client.Add(L"replaced");
  ASSERT_TRUE(client.store.Load(vault));
  ASSERT_EQ(client.Actions().size(), 2u);
  EXPECT_EQ(client.Actions()[0]->name, L"b");
  EXPECT_EQ(client.store.Set().highestId, 110);
  EXPECT_EQ(client.store.HighestIdAtLoad(), 110);
  EXPECT_EQ(client.store.CounterAtLoad(), 7);
  EXPECT_FALSE(client.store.LockHeld());
  EXPECT_FALSE(Dictionary().values.contains(kLockKey));
  EXPECT_EQ(client.cursor.shown, 1);
}

TEST_F(ActionStoreTest, DamagedSetFailsTheLoadAndChangesNothingStored) {
  for (const std::wstring damaged : {L"C0F9FFFF0", L"C0F9FFFF01000000", L"C0F9FFFFZZ000000"}) {
    Dictionary().values = {{kActionSetKey, damaged}, {kCounterKey, L"3"}};
    Client client;
    EXPECT_FALSE(client.store.Load(vault)) << damaged;
    EXPECT_FALSE(client.store.Loaded());
    EXPECT_EQ(Dictionary().values, (std::map<std::int32_t, std::wstring>{{kActionSetKey, damaged},
                                                                         {kCounterKey, L"3"}}));
  }
}

TEST_F(ActionStoreTest, SaveAfterADamagedLoadIsRefusedButAfterAVaultThatDidNotAnswerItMerges) {
  Dictionary().values = {{kActionSetKey, L"C0F9FFFF01000000"}, {kCounterKey, L"3"}};
  const auto damaged = Dictionary().values;
  Client client;
  EXPECT_FALSE(client.store.Load(vault));
  EXPECT_EQ(client.store.LastLoad(), ActionStore::Stored::kUnreadable);
  client.Add(L"would overwrite");
  EXPECT_FALSE(client.store.Save(vault));
  EXPECT_EQ(Dictionary().values, damaged);

  ActionList stored;
  stored.push_back(NewAction(102, L"theirs"));
  Seed(std::move(stored), 3);
  Dictionary().values[kLockKey] = kLockText;
  Dictionary().lockComesBack = true;
  Client held;
  EXPECT_FALSE(held.store.Load(vault));
  EXPECT_EQ(held.store.LastLoad(), ActionStore::Stored::kNotRead);
  held.Add(L"mine");
  EXPECT_FALSE(held.store.Save(vault)) << "still locked";
  Dictionary().lockComesBack = false;
  EXPECT_TRUE(held.store.Save(vault)) << "the vault answers again";
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{103, L"mine"}, Pair{104, L"theirs"}));
}

TEST_F(ActionStoreTest, NothingStoredYetIsToldApartAndMayBeSaved) {
  Client fresh;
  EXPECT_FALSE(fresh.store.Load(vault));
  EXPECT_EQ(fresh.store.LastLoad(), ActionStore::Stored::kNothing);
  Dictionary();
  Client empty;
  EXPECT_TRUE(empty.store.Load(vault));
  EXPECT_EQ(empty.store.LastLoad(), ActionStore::Stored::kNothing);
  empty.Add(L"first");
  EXPECT_TRUE(empty.store.Save(vault));
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{102, L"first"}));
}

TEST_F(ActionStoreTest, CounterIsTheLeadingNumberOfItsText) {
  Client client;
  auto& dict = Dictionary();
  EXPECT_EQ(client.store.ReadCounter(dict), 0);
  dict.values[kCounterKey] = L"12abc";
  EXPECT_EQ(client.store.ReadCounter(dict), 12);
  dict.values[kCounterKey] = L"abc";
  EXPECT_EQ(client.store.ReadCounter(dict), 0);
  dict.failRead.insert(kCounterKey);
  EXPECT_EQ(client.store.ReadCounter(dict), -1);
}

TEST_F(ActionStoreTest, UnreadableCounterFailsTheSaveWithoutWriting) {
  Seed({}, 0);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  client.Add(L"new");
  Dictionary().failRead.insert(kCounterKey);
  EXPECT_FALSE(client.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kActionSetKey), SetText({}));
  EXPECT_FALSE(Dictionary().values.contains(kLockKey));
}

TEST_F(ActionStoreTest, CounterWrapsToOneAfter268435456) {
  Seed({}, 268435456);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  ASSERT_TRUE(client.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"268435457");
  ASSERT_TRUE(client.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"1");
  EXPECT_EQ(client.store.CounterAtLoad(), 1);
}

TEST_F(ActionStoreTest, TwoClientsAddingBothKeepTheirActions) {
  Seed({}, 0);
  Client first, second;
  ASSERT_TRUE(first.store.Load(vault));
  ASSERT_TRUE(second.store.Load(vault));
  EXPECT_EQ(first.Add(L"from first").actionId, 102);
  EXPECT_EQ(second.Add(L"from second").actionId, 102);

  ASSERT_TRUE(first.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"1");
  ASSERT_TRUE(second.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"2");
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{103, L"from second"}, Pair{104, L"from first"}));
  EXPECT_EQ(second.store.Set().highestId, 104);
}

TEST_F(ActionStoreTest, UnchangedCopyTakesTheStoredVersionAndAChangedOneWins) {
  ActionList seed;
  seed.push_back(NewAction(105, L"five"));
  seed.push_back(NewAction(106, L"six"));
  Seed(std::move(seed), 1);
  Client stale, other;
  ASSERT_TRUE(stale.store.Load(vault));
  ASSERT_TRUE(other.store.Load(vault));
  stale.Find(106)->name = L"six mine";
  stale.Find(106)->changedMark = true;
  other.Find(105)->name = L"five theirs";
  AddProbe(*other.Find(105), ProbeCmd::kType, L"added step", 5);
  other.Find(106)->name = L"six theirs";
  ASSERT_TRUE(other.store.Save(vault));
  ASSERT_TRUE(stale.store.Save(vault));

  EXPECT_THAT(Stored(vault), ElementsAre(Pair{105, L"five theirs"}, Pair{106, L"six mine"}));
  ASSERT_EQ(stale.Find(105)->commands.size(), 1u);
  EXPECT_EQ(stale.Find(105)->commands[0]->Summary(), L"added step");
}

TEST_F(ActionStoreTest, LeftOverLockIsForcedAfterFiveSeconds) {
  Seed({}, 0);
  Dictionary().values[kLockKey] = kLockText;
  Client client;
  client.Add(L"late");
  ASSERT_TRUE(client.store.Save(vault));
  EXPECT_EQ(client.clock.slept, 5000u);
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{102, L"late"}));
  EXPECT_FALSE(Dictionary().values.contains(kLockKey));
}

TEST_F(ActionStoreTest, LockHeldAgainAfterForcingFailsAfterTenSeconds) {
  Seed({}, 0);
  const std::wstring before = Dictionary().values.at(kActionSetKey);
  Dictionary().values[kLockKey] = kLockText;
  Dictionary().lockComesBack = true;
  Client client;
  client.Add(L"never");
  EXPECT_FALSE(client.store.Save(vault));
  EXPECT_EQ(client.clock.slept, 10000u);
  EXPECT_FALSE(client.store.LockHeld());
  EXPECT_EQ(Dictionary().values.at(kActionSetKey), before);
  EXPECT_FALSE(client.store.Load(vault));
}

TEST_F(ActionStoreTest, FailingLockRequestFailsAtOnce) {
  Seed({}, 0);
  Dictionary().failSetIfAbsent = true;
  Client client;
  EXPECT_FALSE(client.store.Load(vault));
  EXPECT_FALSE(client.store.Save(vault));
  EXPECT_EQ(client.clock.slept, 0u);
}

TEST_F(ActionStoreTest, FailedSetWriteLeavesTheCounter) {
  Seed({}, 5);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  client.Add(L"x");
  Dictionary().failWrite.insert(kActionSetKey);
  EXPECT_FALSE(client.store.Save(vault));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"5");
  EXPECT_EQ(client.store.CounterAtLoad(), 5);
  EXPECT_FALSE(Dictionary().values.contains(kLockKey));
}

TEST_F(ActionStoreTest, UnwritableSetIsReportedAndLeavesTheVaultAlone) {
  Client client;
  AddProbe(client.Add(L"bad"), ProbeCmd::kUnwritableType, L"", 0);
  EXPECT_TRUE(client.store.Save(vault)) << "the save reports the error itself";
  ASSERT_EQ(client.boxes.shown.size(), 1u);
  EXPECT_EQ(client.boxes.shown[0].text, L"Error creating archive");
  EXPECT_EQ(client.boxes.shown[0].caption, L"Vendrel");
  EXPECT_EQ(client.boxes.shown[0].owner, 0u);
  EXPECT_EQ(client.boxes.shown[0].style, platform::mb::kOk);
  EXPECT_FALSE(vault.dictionary);
}

TEST_F(ActionStoreTest, UnwritableMergeResultIsReportedWithTheStoreUntouched) {
  Seed({}, 0);
  Client writer, merger;
  ASSERT_TRUE(writer.store.Load(vault));
  ASSERT_TRUE(merger.store.Load(vault));
  // Readable, but it cannot be stored again once adopted.
  AddProbe(writer.Add(L"poison"), ProbeCmd::kType, L"", 0);
  ASSERT_TRUE(writer.store.Save(vault));
  auto& dict = Dictionary();
  dict.values[kActionSetKey].replace(dict.values[kActionSetKey].find(L"0100000002000000FFFEFF00"),
                                     24, L"0100000003000000FFFEFF00");
  const auto before = dict.values;

  merger.Add(L"mine");
  EXPECT_TRUE(merger.store.Save(vault));
  ASSERT_EQ(merger.boxes.shown.size(), 1u);
  EXPECT_EQ(merger.boxes.shown[0].text, L"Error creating archive");
  EXPECT_EQ(dict.values, before);
}

TEST_F(ActionStoreTest, DamagedStoredSetFailsTheMergingSaveAndStaysAsItWas) {
  Seed({}, 0);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  client.Add(L"mine");
  for (const std::wstring damaged : {L"C0F9FFFF0", L"C0F9FFFF0100000001", L"C0F9FFFF01XX0000"}) {
    Dictionary().values[kActionSetKey] = damaged;
    Dictionary().values[kCounterKey] = L"9";
    const auto before = Dictionary().values;
    EXPECT_FALSE(client.store.Save(vault)) << damaged;
    EXPECT_EQ(Dictionary().values, before);
  }
}

TEST_F(ActionStoreTest, MergeWithNothingStoredKeepsTheList) {
  Seed({}, 0);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  client.Add(L"solo");
  Dictionary().values.erase(kActionSetKey);
  Dictionary().values[kCounterKey] = L"3";
  ASSERT_TRUE(client.store.Save(vault));
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{102, L"solo"}));
  EXPECT_EQ(Dictionary().values.at(kCounterKey), L"4");
}

TEST_F(ActionStoreTest, MergeReadsASetOfTheOldestLayout) {
  Seed({}, 0);
  Client client;
  ASSERT_TRUE(client.store.Load(vault));
  client.Add(L"mine");
  // Saved meanwhile by a release that wrote no marker: the count, then records of layout 1.
  Dictionary().values[kActionSetKey] =
      test::FileOf(test::Bytes{1, 0, 0, 0} + test::OldRecord(1)).ToText();
  Dictionary().values[kCounterKey] = L"1";
  ASSERT_TRUE(client.store.Save(vault));
  EXPECT_THAT(Stored(vault), ElementsAre(Pair{131, L"mine"}, Pair{132, L"old"}));
  const Action* old = client.Find(132);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->checkOutPath, L"out path");
  EXPECT_TRUE(old->stateChangeAfter);
  EXPECT_EQ(Probe(*old, 0).payload, 99);
}

}  // namespace
}  // namespace vendrel::actions
