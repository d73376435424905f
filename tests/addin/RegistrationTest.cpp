// Get add-in info: the info record, the administration commands, menu commands and hooks.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "actions/ActionArchive.h"
#include "actions/HexStringFile.h"
#include "addin/CVornAddIn.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "tests/actions/StorageFakes.h"
#include "tests/support/FakeServices.h"

namespace vendrel::addin {
namespace {

using actions::Action;

struct MenuCommand {
  std::int32_t id;
  std::wstring text;
  std::int32_t flags;
  std::wstring text2;
  std::wstring text3;
  friend bool operator==(const MenuCommand&, const MenuCommand&) = default;
  friend void PrintTo(const MenuCommand& m, std::ostream* os) {
    *os << m.id << " flags " << m.flags << " text length " << m.text.size();
  }
};

class RecordingRegistrar : public host::HostRegistrar {
 public:
  host::HResult AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                               std::int32_t flags, const std::wstring& text2,
                               const std::wstring& text3, std::int32_t int1,
                               std::int32_t int2) override {
    menus.push_back({commandId, menuText, flags, text2, text3});
    zeroInts = zeroInts && int1 == 0 && int2 == 0;
    return host::kOk;
  }
  host::HResult AddHook(std::int32_t kind, std::int32_t arg) override {
    hooks.push_back(kind);
    zeroInts = zeroInts && arg == 0;
    return host::kOk;
  }

  std::vector<MenuCommand> menus;
  std::vector<std::int32_t> hooks;
  bool zeroInts = true;
};

const MenuCommand kChiefAdmin{100, L"\u00a7(8,TS,Vorn)Administrate Actions...", 0x20040,
                              L"\u00a7(9,TS,Vorn)Administrate Actions", L""};
const MenuCommand kEveryoneAdmin{100, L"\u00a7(8,TS,Vorn)Administrate Actions...", 0x200,
                                 L"\u00a7(9,TS,Vorn)Administrate Actions", L""};

std::unique_ptr<Action> MenuAction(std::int32_t id, const std::wstring& menuText) {
  auto action = std::make_unique<Action>();
  action->actionId = id;
  action->name = L"action " + std::to_wstring(id);
  action->menuText = menuText;
  action->activationKinds = actions::kActivateByMenu;
  return action;
}

std::unique_ptr<Action> HookAction(std::int32_t id, std::int32_t kinds, bool after,
                                   std::int32_t checkOutKind = actions::kCheckOut) {
  auto action = std::make_unique<Action>();
  action->actionId = id;
  action->activationKinds = kinds;
  action->checkOutKind = checkOutKind;
  action->stateChangeAfter = action->checkOutAfter = action->addAfter = after;
  return action;
}

class RegistrationTest : public ::testing::Test {
 protected:
  RegistrationTest() { vault->users->loggedIn = host::MakeRef<testing::FakeUser>(L"Chief"); }

  void Store(const actions::ActionList& stored) {
    actions::HexStringFile file;
    actions::Archive archive(file, actions::Archive::Mode::kStore);
    actions::WriteActionSet(archive, stored);
    vault->dictionary = host::MakeRef<test::MemoryDictionary>();
    vault->dictionary->values[actions::kActionSetKey] = file.ToText();
  }

  host::HResult Register() { return addIn.GetAddInInfo(&info, vault.Get(), &registrar); }

  std::vector<std::int32_t> MenuIds() const {
    std::vector<std::int32_t> ids;
    for (const auto& menu : registrar.menus) ids.push_back(menu.id);
    return ids;
  }

  testing::FakeServices fakes;
  host::Ref<test::DictionaryVault> vault = host::MakeRef<test::DictionaryVault>();
  CVornAddIn addIn{fakes.services};
  host::AddInInfo info;
  RecordingRegistrar registrar;
};

TEST_F(RegistrationTest, FillsTheInfoRecord) {
  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(info.name, L"Vendrel");
  EXPECT_EQ(info.company, L"Zentrik Corporation");
  EXPECT_EQ(info.description, L"Version 2016, SP0, Build 826");
  EXPECT_EQ(info.version, 2016000826);
  EXPECT_EQ(info.field5, 16);
  EXPECT_EQ(info.field6, 0);
}

TEST_F(RegistrationTest, MissingArgumentsAnswerPointerErrors) {
  EXPECT_EQ(addIn.GetAddInInfo(nullptr, vault.Get(), &registrar), host::kPointer);
  EXPECT_TRUE(registrar.menus.empty());

  EXPECT_EQ(addIn.GetAddInInfo(&info, vault.Get(), nullptr), host::kPointer);
  EXPECT_EQ(info.name, L"Vendrel");  // filled before the registrar is looked at
  EXPECT_FALSE(addIn.Store().Loaded());
}

TEST_F(RegistrationTest, FreshVaultGivesChiefTheAdministrationOnly) {
  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(registrar.menus, std::vector<MenuCommand>{kChiefAdmin});
  EXPECT_TRUE(registrar.hooks.empty());
  EXPECT_TRUE(registrar.zeroInts);
  EXPECT_FALSE(addIn.Store().Loaded());
}

TEST_F(RegistrationTest, ChiefIsMatchedWithItsCase) {
  for (const wchar_t* name : {L"chief", L"CHIEF", L"Chief ", L"Chie"}) {
    RecordingRegistrar other;
    vault->users->loggedIn->name = name;
    EXPECT_EQ(addIn.GetAddInInfo(&info, vault.Get(), &other), host::kOk);
    EXPECT_TRUE(other.menus.empty()) << name;
  }
  vault->users->loggedIn = nullptr;  // no user: "N/A"
  EXPECT_EQ(Register(), host::kOk);
  EXPECT_TRUE(registrar.menus.empty());
}

TEST_F(RegistrationTest, HostsFromVersionSixFourGiveEveryoneTheAdministration) {
  vault->users->loggedIn->name = L"anna";
  struct Case {
    std::int32_t major, minor;
    bool registered;
  };
  for (const Case c : {Case{6, 3, false}, Case{6, 4, true}, Case{6, 9, true}, Case{7, 0, true},
                       Case{5, 9, false}}) {
    RecordingRegistrar other;
    vault->hostMajor = c.major;
    vault->hostMinor = c.minor;
    EXPECT_EQ(addIn.GetAddInInfo(&info, vault.Get(), &other), host::kOk);
    EXPECT_EQ(other.menus,
              c.registered ? std::vector<MenuCommand>{kEveryoneAdmin} : std::vector<MenuCommand>{})
        << c.major << "." << c.minor;
  }
  vault->users->loggedIn->name = L"Chief";
  vault->hostMajor = 7;
  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(registrar.menus, (std::vector<MenuCommand>{kChiefAdmin, kEveryoneAdmin}));
}

TEST_F(RegistrationTest, MenuCommandsFollowTheMenuTextOrder) {
  actions::ActionList stored;
  stored.push_back(MenuAction(102, L"b"));
  stored.push_back(MenuAction(103, L"x\\2"));
  stored.push_back(MenuAction(104, L"a"));
  stored.push_back(MenuAction(105, L"y\\1"));
  stored.push_back(MenuAction(106, L"x\\1"));
  stored.push_back(HookAction(107, actions::kActivateOnAdd, true));  // no menu kind
  stored.push_back(MenuAction(108, L"b"));                           // same text, own id
  stored.push_back(MenuAction(109, L""));
  Store(stored);

  EXPECT_EQ(Register(), host::kOk);
  ASSERT_EQ(registrar.menus.size(), 8u);
  EXPECT_EQ(registrar.menus[0], kChiefAdmin);
  const std::vector<std::int32_t> ids = MenuIds();
  // y\1, x\1, x\2, then b twice in either order, a, the empty text last.
  EXPECT_EQ(std::vector<std::int32_t>(ids.begin() + 1, ids.begin() + 4),
            (std::vector<std::int32_t>{105, 106, 103}));
  EXPECT_TRUE((ids[4] == 102 && ids[5] == 108) || (ids[4] == 108 && ids[5] == 102));
  EXPECT_EQ(ids[6], 104);
  EXPECT_EQ(registrar.menus[7], (MenuCommand{109, L"", 0x4000, L"", L""}));
  EXPECT_EQ(registrar.menus[1], (MenuCommand{105, L"y\\1", 0x4000, L"", L""}));

  // The list stays in that order for the notifications.
  const auto& list = addIn.Store().Set().actions;
  EXPECT_EQ(list.front()->actionId, 105);
  EXPECT_TRUE(addIn.Store().Loaded());
}

TEST_F(RegistrationTest, EveryHookOnceInTheTableOrder) {
  actions::ActionList stored;
  // Added in reverse order of the table, some twice.
  stored.push_back(HookAction(102, actions::kActivateOnAdd, true));
  stored.push_back(HookAction(103, actions::kActivateOnAdd, false));
  stored.push_back(HookAction(104, actions::kActivateOnCheckOut, false, actions::kUndoCheckOut));
  stored.push_back(HookAction(105, actions::kActivateOnCheckOut, false, actions::kCheckIn));
  stored.push_back(HookAction(106, actions::kActivateOnCheckOut, false, actions::kCheckOut));
  stored.push_back(HookAction(107, actions::kActivateOnStateChange, false));
  stored.push_back(HookAction(108, actions::kActivateOnCheckOut, true, actions::kUndoCheckOut));
  stored.push_back(HookAction(109, actions::kActivateOnCheckOut, true, actions::kCheckIn));
  stored.push_back(HookAction(110, actions::kActivateOnCheckOut, true, actions::kCheckOut));
  stored.push_back(HookAction(111, actions::kActivateOnStateChange, true));
  stored.push_back(
      HookAction(112, actions::kActivateOnStateChange | actions::kActivateOnAdd, true));
  Store(stored);

  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(registrar.hooks, (std::vector<std::int32_t>{10, 4, 6, 8, 9, 3, 5, 7, 11, 19, 12, 20}));
  EXPECT_TRUE(registrar.zeroInts);
}

TEST_F(RegistrationTest, HooksFollowOnlyWhatTheActionsNeed) {
  actions::ActionList stored;
  stored.push_back(HookAction(102, actions::kActivateOnStateChange, false));
  stored.push_back(HookAction(103, actions::kActivateOnCheckOut, false, actions::kCheckOut));
  // A check-out condition without a kind and a kind without the condition need nothing.
  stored.push_back(HookAction(104, actions::kActivateOnCheckOut, true, actions::kCheckOutNone));
  stored.push_back(HookAction(105, actions::kActivateByMenu, true, actions::kCheckIn));
  Store(stored);

  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(registrar.hooks, (std::vector<std::int32_t>{9, 3}));
}

TEST_F(RegistrationTest, ADamagedStoreRegistersTheAdministrationOnly) {
  actions::ActionList stored;
  stored.push_back(MenuAction(102, L"a"));
  stored.push_back(HookAction(103, actions::kActivateOnAdd, true));
  Store(stored);
  std::wstring& text = vault->dictionary->values[actions::kActionSetKey];
  text.resize(text.size() - 8);

  EXPECT_EQ(Register(), host::kOk);
  EXPECT_EQ(registrar.menus, std::vector<MenuCommand>{kChiefAdmin});
  EXPECT_TRUE(registrar.hooks.empty());
}

// A host may send a notification to an add-in object it never asked for its info.
TEST_F(RegistrationTest, WithoutRegistrationTheFirstNotificationLoadsTheActionsOnce) {
  actions::ActionList stored;
  stored.push_back(MenuAction(102, L"a"));
  auto box = std::make_unique<commands::CmdOkMsgBox>(stored.back().get());
  box->Assign({L"ran"});
  stored.back()->commands.push_back(std::move(box));
  Store(stored);

  host::HostNotification menu;
  menu.kind = kMenuCommand;
  menu.commandId = 102;
  menu.vault = vault;
  menu.items.emplace();
  EXPECT_EQ(addIn.OnCommand(menu), host::kOk);
  EXPECT_TRUE(addIn.Store().Loaded());
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"ran");

  // Kept in memory: a later notification does not read the vault again.
  vault->dictionary->values.clear();
  EXPECT_EQ(addIn.OnCommand(menu), host::kOk);
  EXPECT_EQ(fakes.messageBoxes.shown.size(), 2u);
}

}  // namespace
}  // namespace vendrel::addin
