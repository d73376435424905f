// Storage on the simulated vault: the merge rules between two administrators, damaged texts.
#include <gtest/gtest.h>

#include "tests/actions/StorageClients.h"

namespace vendrel::actions {
namespace {

using test::SimClient;

class StorageSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vault = sim::SimVault::CreateInMemory();
    vault->AddUser(L"alice");
    vault->AddUser(L"bob");
  }
  std::unique_ptr<sim::SimVault> vault;
};

TEST_F(StorageSimTest, RemovalsAndEditsOfOthersAreMerged) {
  SimClient alice(*vault, L"alice"), bob(*vault, L"bob");
  for (const wchar_t* name : {L"edited by bob", L"removed by bob", L"changed by alice"}) {
    alice.Add(name);
  }
  ASSERT_TRUE(alice.Save());
  ASSERT_TRUE(alice.Load());
  ASSERT_TRUE(bob.Load());

  auto& bobs = bob.store.Set().actions;
  bobs[0]->description = L"bob's description";
  bobs[2]->description = L"bob's other description";
  bobs.erase(bobs.begin() + 1);
  ASSERT_TRUE(bob.Save());

  auto& alices = alice.store.Set().actions;
  alices[1]->changedMark = true;
  alices[2]->description = L"alice's description";
  alices[2]->changedMark = true;
  ASSERT_TRUE(alice.Save());

  ASSERT_TRUE(bob.Load());
  ASSERT_EQ(bobs.size(), 2u);
  EXPECT_EQ(bobs[0]->name, L"edited by bob");
  EXPECT_EQ(bobs[0]->description, L"bob's description");
  EXPECT_EQ(bobs[1]->name, L"changed by alice");
  EXPECT_EQ(bobs[1]->description, L"alice's description");
  EXPECT_EQ(bob.Value(kCounterKey), L"3");
}

TEST_F(StorageSimTest, DamagedStoredTextIsNeverOverwritten) {
  SimClient alice(*vault, L"alice"), bob(*vault, L"bob");
  alice.Add(L"first");
  ASSERT_TRUE(alice.Save());
  ASSERT_TRUE(bob.Load());
  const std::wstring damaged = alice.Value(kActionSetKey).substr(0, 51);
  ASSERT_EQ(alice.Dictionary()->Write(kActionSetKey, damaged), host::kOk);
  ASSERT_EQ(alice.Dictionary()->Write(kCounterKey, L"5"), host::kOk);

  EXPECT_FALSE(alice.Load());
  bob.Add(L"second");
  EXPECT_FALSE(bob.Save());
  EXPECT_EQ(bob.Value(kActionSetKey), damaged);
  EXPECT_EQ(bob.Value(kCounterKey), L"5");
  EXPECT_EQ(bob.Value(kLockKey), L"(absent)");
}

}  // namespace
}  // namespace vendrel::actions
