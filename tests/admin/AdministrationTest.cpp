// The administration command: the actions list over the add-in's actions, stored on OK.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/ActionStore.h"
#include "addin/CVornAddIn.h"
#include "admin/CAdministrateActionsDlgRes.h"
#include "admin/CEditActionDlgRes.h"
#include "tests/admin/AdminFixture.h"
#include "tests/support/Steps.h"

namespace vendrel::addin {
namespace {

using platform::ScriptedSurface;
using ::testing::ElementsAre;

class AdministrationTest : public admin::testing::AdminTest {
 protected:
  host::HostNotification Administer(CVornAddIn& addIn) {
    host::HostNotification n;
    n.kind = kMenuCommand;
    n.commandId = actions::kAdminCommandId;
    n.vault = session;
    n.items.emplace();
    n.refreshFlags = -5;
    EXPECT_EQ(addIn.OnCommand(n), host::kOk);
    return n;
  }
  // The stored change counter; empty when nothing was ever saved.
  std::wstring StoredCounter() {
    host::Ref<host::AddInDictionary> dictionary;
    session->GetDictionary(actions::kDictionaryName, false, dictionary);
    std::wstring text;
    bool exists = false;
    if (dictionary) dictionary->Read(actions::kCounterKey, text, exists);
    return text;
  }
  // Another administrator's client saves one action named `name`.
  void SaveElsewhere(const std::wstring& name) {
    CVornAddIn other(fakes.services);
    actions::ActionStore& store = other.Store();
    store.Load(*session);
    auto action = std::make_unique<actions::Action>();
    action->name = name;
    action->actionId = ++store.Set().highestId;
    store.Set().actions.push_back(std::move(action));
    ASSERT_TRUE(store.Save(*session));
  }

  CVornAddIn addIn{fakes.services};
};

TEST_F(AdministrationTest, OkSavesEvenAnUnchangedListAndAsksForTheRefresh) {
  dialogs.QueueLines({L"ok"});
  EXPECT_EQ(Administer(addIn).refreshFlags, kRefreshAfterAdministration);
  EXPECT_EQ(StoredCounter(), L"1");
  dialogs.QueueLines({L"ok"});
  Administer(addIn);
  EXPECT_EQ(StoredCounter(), L"2");
}

TEST_F(AdministrationTest, CancelStoresNothingAndAnswersNothing) {
  dialogs.QueueLines({vendrel::testing::Step(L"click", IDC_ADMIN_ADD), L"cancel"});
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, L"Abandoned"), L"ok"});
  EXPECT_EQ(Administer(addIn).refreshFlags, -5);
  EXPECT_EQ(StoredCounter(), L"");
}

TEST_F(AdministrationTest, TheListStartsFromTheVaultAndItsNewIdsFollowTheStoredOnes) {
  SaveElsewhere(L"Theirs");
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Cell(IDC_ADMIN_LIST, 0, 0), L"Theirs");
    ui.Click(IDC_ADMIN_ADD);
    ui.Ok();
  });
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, L"Mine"), L"ok"});
  Administer(addIn);
  SaveElsewhere(L"Later");
  dialogs.QueueLines({L"ok"});
  Administer(addIn);
  const auto& stored = addIn.Store().Set().actions;
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0]->name, L"Theirs");
  EXPECT_EQ(stored[1]->name, L"Mine");
  EXPECT_EQ(stored[1]->actionId, 103);
  EXPECT_EQ(stored[2]->name, L"Later");
  EXPECT_EQ(stored[2]->actionId, 104);
}

TEST_F(AdministrationTest, TwoAdministratorsSavingAtOnceKeepBothChanges) {
  dialogs.Queue([&](ScriptedSurface& ui) {
    SaveElsewhere(L"Theirs");
    ui.Click(IDC_ADMIN_ADD);
    ui.Ok();
  });
  dialogs.QueueLines({vendrel::testing::Step(L"text", IDC_EDIT_ACTION_NAME, L"Mine"), L"ok"});
  EXPECT_EQ(Administer(addIn).refreshFlags, kRefreshAfterAdministration);
  CVornAddIn reader(fakes.services);
  ASSERT_TRUE(reader.Store().Load(*session));
  std::vector<std::wstring> names;
  for (const auto& action : reader.Store().Set().actions) names.push_back(action->name);
  EXPECT_THAT(names, ElementsAre(L"Mine", L"Theirs"));
  EXPECT_EQ(reader.Store().Set().highestId, 104) << "the later saver renumbers both";
}

TEST_F(AdministrationTest, ASecondRequestWhileTheListIsOpenOnlyBringsItToTheFront) {
  CVornAddIn second(fakes.services);
  dialogs.Queue([&](ScriptedSurface& ui) {
    const host::HostNotification again = Administer(second);
    EXPECT_EQ(again.refreshFlags, -5);
    EXPECT_EQ(ui.Activations(), 1);
    ui.Ok();
  });
  EXPECT_EQ(Administer(addIn).refreshFlags, kRefreshAfterAdministration);
  EXPECT_EQ(dialogs.Opened(), 1u);

  dialogs.QueueLines({L"cancel"});
  Administer(second);
  EXPECT_EQ(dialogs.Opened(), 2u) << "the list opens again once closed";
}

}  // namespace
}  // namespace vendrel::addin
