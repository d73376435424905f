// On command: documents of the run, selection of actions by kind, veto and refresh answers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "addin/CVornAddIn.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"
#include "tests/strings/LanguageFolder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::addin {
namespace {

using actions::Action;
using host::HostNotificationItem;

// What one command saw of its run.
struct Visit {
  std::int32_t actionId = 0;
  std::vector<std::wstring> names;
  std::vector<std::int32_t> ids;
  std::vector<bool> selected;
  std::vector<std::int32_t> folderIds;
  std::vector<std::int32_t> selectedFolders;
  std::int32_t notificationFolderId = 0;
  platform::Window owner = 0;
};

class VisitCmd : public commands::Cmd {
 public:
  using Step = std::function<void(actions::ActionData&)>;
  VisitCmd(std::vector<Visit>& visits, Step step, std::int32_t typeId = 3)
      : Cmd(typeId), visits_(visits), step_(std::move(step)) {}

  bool Edit(platform::Window) override { return false; }
  bool Execute(actions::ActionData& run) override {
    visits_.push_back({run.currentAction->actionId, run.documentNames, run.documentIds,
                       run.documentSelected, run.documentFolderIds, run.selectedFolders,
                       run.notificationFolderId, run.ownerWindow});
    if (step_) step_(run);
    return true;
  }

 private:
  std::vector<Visit>& visits_;
  Step step_;
};

const VisitCmd::Step kVeto = [](actions::ActionData& run) { run.currentAction->vetoMark = true; };
const VisitCmd::Step kRefresh = [](actions::ActionData& run) {
  run.currentAction->refreshMark = true;
};

class NotificationTest : public ::testing::Test {
 protected:
  NotificationTest() {
    // C:\Vault\A holds a1, a2 and the subfolders B (b1, and D with d1) and C (c1).
    auto a = vault->AddFolder(2, L"\\A");
    auto b = vault->AddFolder(3, L"\\A\\B");
    auto c = vault->AddFolder(4, L"\\A\\C");
    auto d = vault->AddFolder(5, L"\\A\\B\\D");
    a->subFolders = {b, c};
    b->subFolders = {d};
    vault->AddFile(10, L"a1.txt", 2);
    vault->AddFile(11, L"a2.txt", 2);
    vault->AddFile(12, L"b1.txt", 3);
    vault->AddFile(13, L"d1.txt", 5);
    vault->AddFile(14, L"c1.txt", 4);
  }

  Action& AddAction(std::int32_t id, VisitCmd::Step step = {}) {
    auto action = std::make_unique<Action>();
    action->actionId = id;
    action->commands.push_back(std::make_unique<VisitCmd>(visits, std::move(step)));
    addIn.Store().Set().actions.push_back(std::move(action));
    return *addIn.Store().Set().actions.back();
  }
  Action& AddCheckOutAction(std::int32_t id, bool after, VisitCmd::Step step = {}) {
    Action& action = AddAction(id, std::move(step));
    action.activationKinds = actions::kActivateOnCheckOut;
    action.checkOutKind = actions::kCheckOut;
    action.checkOutAfter = after;
    action.checkOutPath = L"%.txt";
    return action;
  }
  Action& AddStateAction(std::int32_t id, std::int32_t stateId, VisitCmd::Step step = {}) {
    Action& action = AddAction(id, std::move(step));
    action.activationKinds = actions::kActivateOnStateChange;
    action.stateChangeAfter = false;
    action.stateId = stateId;
    return action;
  }

  host::HostNotification Notification(std::int32_t kind, std::vector<HostNotificationItem> items) {
    host::HostNotification n;
    n.kind = kind;
    n.parentWindow = 77;
    n.folderId = 9;
    n.vault = vault;
    n.items = std::move(items);
    n.refreshFlags = -5;  // untouched unless an answer is due
    n.veto = 3;
    return n;
  }

  testing::FakeServices fakes;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  CVornAddIn addIn{fakes.services};
  std::vector<Visit> visits;
};

HostNotificationItem FileItem(std::int32_t id, std::int32_t folder, const std::wstring& path) {
  return {id, folder, 0, path, L"", 0};
}

TEST_F(NotificationTest, MenuOnAFolderRunsOverItsTreeDepthFirst) {
  AddAction(102);
  auto n = Notification(kMenuCommand,
                        {{1, 2, 0, L"", L"", 0}, {10, 0, 2, L"C:\\Vault\\A\\a1.txt", L"", 0}});
  n.commandId = 102;

  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  const Visit& v = visits[0];
  EXPECT_EQ(v.names, (std::vector<std::wstring>{L"a1.txt", L"a2.txt", L"b1.txt", L"d1.txt",
                                                L"c1.txt", L"a1.txt"}));
  EXPECT_EQ(v.ids, (std::vector<std::int32_t>{10, 11, 12, 13, 14, 10}));
  EXPECT_EQ(v.folderIds, (std::vector<std::int32_t>{2, 2, 3, 5, 4, 2}));
  EXPECT_EQ(v.selected, (std::vector<bool>{false, false, false, false, false, true}));
  EXPECT_EQ(v.selectedFolders, std::vector<std::int32_t>{2});
  EXPECT_EQ(v.notificationFolderId, 9);
  EXPECT_EQ(v.owner, 77u);
  EXPECT_EQ(n.veto, 0);
  EXPECT_EQ(n.refreshFlags, -5);
}

TEST_F(NotificationTest, TheParentWindowIsSignExtendedAsWindowsDoes) {
  AddAction(102);
  auto n = Notification(kMenuCommand, {FileItem(10, 2, L"C:\\Vault\\A\\a1.txt")});
  n.commandId = 102;
  n.parentWindow = static_cast<host::HostWindow>(0x80001234u);

  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].owner, static_cast<platform::Window>(0xFFFFFFFF80001234u));
}

TEST_F(NotificationTest, MenuRunsTheChosenActionAndAsksForARefresh) {
  AddAction(102);
  AddAction(103, kRefresh);
  auto n = Notification(kMenuCommand, {});
  n.commandId = 103;
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].actionId, 103);
  EXPECT_EQ(n.refreshFlags, 1);

  auto unknown = Notification(kMenuCommand, {});
  unknown.commandId = 150;
  EXPECT_EQ(addIn.OnCommand(unknown), host::kOk);
  EXPECT_EQ(visits.size(), 1u);
  EXPECT_EQ(unknown.veto, 0);
  EXPECT_EQ(unknown.refreshFlags, -5);
}

TEST_F(NotificationTest, BeforeCheckOutTheLastActionDecides) {
  AddCheckOutAction(102, false, kVeto);
  AddCheckOutAction(103, false);
  auto n = Notification(kBeforeCheckOut, {FileItem(10, 2, L"C:\\Vault\\A\\a1.txt")});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  EXPECT_EQ(visits.size(), 2u);
  EXPECT_EQ(n.veto, 0);

  // The other way round the last one refuses.
  std::swap(addIn.Store().Set().actions[0], addIn.Store().Set().actions[1]);
  auto again = Notification(kBeforeCheckOut, {FileItem(10, 2, L"C:\\Vault\\A\\a1.txt")});
  EXPECT_EQ(addIn.OnCommand(again), host::kOk);
  EXPECT_EQ(again.veto, 1);
}

TEST_F(NotificationTest, AfterCheckOutNeverRefuses) {
  AddCheckOutAction(102, true, kVeto);
  AddCheckOutAction(103, false, kVeto);  // waits for the before-notification
  auto n = Notification(kAfterCheckOut, {FileItem(10, 2, L"C:\\Vault\\A\\a1.txt")});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].actionId, 102);
  EXPECT_EQ(n.veto, 0);
}

TEST_F(NotificationTest, CheckOutFamilyKnowsTheFolderOfTheLastItem) {
  AddCheckOutAction(102, false).checkOutKind = actions::kUndoCheckOut;
  auto n = Notification(kBeforeUndoCheckOut, {FileItem(13, 5, L"C:\\Vault\\A\\B\\D\\d1.txt"),
                                              FileItem(12, 3, L"C:\\Vault\\A\\B\\b1.txt")});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].notificationFolderId, 3);
  EXPECT_EQ(visits[0].ids, (std::vector<std::int32_t>{13, 12}));
  EXPECT_EQ(visits[0].folderIds, (std::vector<std::int32_t>{5, 3}));

  // A folder the vault does not know gives 0; the kind of the pair must match too.
  auto unknown = Notification(kBeforeUndoCheckOut, {FileItem(20, 8, L"C:\\Vault\\Z\\z.txt")});
  EXPECT_EQ(addIn.OnCommand(unknown), host::kOk);
  ASSERT_EQ(visits.size(), 2u);
  EXPECT_EQ(visits[1].notificationFolderId, 0);
  auto checkIn = Notification(kBeforeCheckIn, {FileItem(20, 8, L"C:\\Vault\\Z\\z.txt")});
  EXPECT_EQ(addIn.OnCommand(checkIn), host::kOk);
  EXPECT_EQ(visits.size(), 2u);
}

TEST_F(NotificationTest, BeforeStateChangeAnyVetoRefuses) {
  AddStateAction(102, 5, kVeto);
  AddStateAction(103, 5);
  auto n = Notification(kBeforeStateChange, {{10, 2, 0, L"C:\\Vault\\A\\a1.txt", L"", 5}});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  EXPECT_EQ(visits.size(), 2u);
  EXPECT_EQ(n.veto, 1);
}

TEST_F(NotificationTest, StateChangeRunsEachActionOnceOverItsItems) {
  AddStateAction(102, 5);
  AddStateAction(103, 6);
  auto n = Notification(kBeforeStateChange, {{10, 2, 0, L"C:\\Vault\\A\\a1.txt", L"", 5},
                                             {12, 3, 0, L"C:\\Vault\\A\\B\\b1.txt", L"", 7},
                                             {14, 4, 0, L"C:\\Vault\\A\\C\\c1.txt", L"", 5}});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  const Visit& v = visits[0];
  EXPECT_EQ(v.actionId, 102);
  EXPECT_EQ(v.names, (std::vector<std::wstring>{L"a1.txt", L"c1.txt"}));
  EXPECT_EQ(v.ids, (std::vector<std::int32_t>{10, 14}));
  EXPECT_EQ(v.folderIds, (std::vector<std::int32_t>{2, 4}));
  EXPECT_TRUE(v.selected.empty());
  EXPECT_EQ(v.notificationFolderId, 4);  // from the last item it matched
  EXPECT_EQ(v.owner, 77u);
  EXPECT_EQ(n.veto, 0);
}

TEST_F(NotificationTest, AddsTakeIdsAndFoldersFromTheirOwnFields) {
  Action& action = AddAction(102);
  action.activationKinds = actions::kActivateOnAdd;
  action.addPath = L"C:\\Vault\\A\\%";
  // Kind 11 and 12 items: folder id first, file id second.
  auto n = Notification(kAfterAdd, {{2, 11, 0, L"C:\\Vault\\A\\a2.txt", L"", 0}});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].ids, std::vector<std::int32_t>{11});
  EXPECT_EQ(visits[0].folderIds, std::vector<std::int32_t>{2});
  EXPECT_EQ(visits[0].notificationFolderId, 2);

  // The second form names the file by the second text; the vault gives its id.
  auto byPath = Notification(kAfterAddByPath, {{3, 0, 0, L"", L"C:\\Vault\\A\\B\\b1.txt", 0}});
  EXPECT_EQ(addIn.OnCommand(byPath), host::kOk);
  ASSERT_EQ(visits.size(), 2u);
  EXPECT_EQ(visits[1].ids, std::vector<std::int32_t>{12});
  EXPECT_EQ(visits[1].names, std::vector<std::wstring>{L"b1.txt"});
  EXPECT_EQ(visits[1].notificationFolderId, 3);

  // Paths outside the pattern run nothing and refuse nothing.
  auto outside = Notification(kBeforeAdd, {{4, 14, 0, L"C:\\Other\\c1.txt", L"", 0}});
  action.addAfter = false;
  EXPECT_EQ(addIn.OnCommand(outside), host::kOk);
  EXPECT_EQ(visits.size(), 2u);
  EXPECT_EQ(outside.veto, 0);
}

// A vault that finds nothing by path and says nothing about it.
class SilentVault : public testing::FakeVault {
 public:
  host::HResult GetFileFromPath(const std::wstring&, host::Ref<host::VaultFile>&,
                                host::Ref<host::VaultFolder>&) override {
    return host::kFalse;
  }
};

TEST_F(NotificationTest, AddByAnUnknownPathEndsTheCallBeforeAnyRun) {
  Action& action = AddAction(102);
  action.activationKinds = actions::kActivateOnAdd;
  action.addAfter = false;
  for (const std::int32_t kind : {kBeforeAddByPath, kAfterAddByPath}) {
    auto n = Notification(kind, {{2, 0, 0, L"", L"C:\\Vault\\A\\a1.txt", 0},
                                 {2, 0, 0, L"", L"C:\\Vault\\A\\nothere.txt", 0}});
    EXPECT_EQ(addIn.OnCommand(n), host::kFileNotFound);
    EXPECT_EQ(n.veto, 3);
  }
  auto n = Notification(kBeforeAddByPath, {{2, 0, 0, L"", L"C:\\Vault\\A\\a1.txt", 0}});
  n.vault = host::MakeRef<SilentVault>();
  EXPECT_EQ(addIn.OnCommand(n), host::kInvalidArg);
  EXPECT_TRUE(visits.empty());
  EXPECT_FALSE(addIn.NotificationInProgress());
}

TEST_F(NotificationTest, ANotificationDuringAnotherDoesNothing) {
  host::HostNotification inner = Notification(kMenuCommand, {});
  inner.commandId = 103;
  host::HResult innerResult = -1;
  AddAction(102, [&](actions::ActionData&) { innerResult = addIn.OnCommand(inner); });
  AddAction(103);
  auto outer = Notification(kMenuCommand, {});
  outer.commandId = 102;

  EXPECT_EQ(addIn.OnCommand(outer), host::kOk);
  EXPECT_EQ(innerResult, host::kOk);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(inner.veto, 3);  // not even answered

  // Once the first is done, the next one runs.
  EXPECT_EQ(addIn.OnCommand(inner), host::kOk);
  ASSERT_EQ(visits.size(), 2u);
  EXPECT_EQ(visits[1].actionId, 103);
}

TEST_F(NotificationTest, MissingVaultOrItems) {
  AddAction(102);
  auto n = Notification(kMenuCommand, {});
  n.commandId = 102;
  n.vault = nullptr;
  EXPECT_EQ(addIn.OnCommand(n), host::kFail);
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  const auto& box = fakes.messageBoxes.shown[0];
  EXPECT_EQ(box.text, L"The command failed because this Add-In could not find the vault");
  EXPECT_EQ(box.caption, L"Vendrel");
  EXPECT_EQ(box.style & platform::mb::kIconMask, platform::mb::kIconError);
  EXPECT_EQ(box.owner, 77u);

  auto noItems = Notification(kMenuCommand, {});
  noItems.commandId = 102;
  noItems.items.reset();
  EXPECT_EQ(addIn.OnCommand(noItems), host::kPointer);
  EXPECT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_TRUE(visits.empty());
}

TEST_F(NotificationTest, OtherKindsRunNothingAndSucceed) {
  AddCheckOutAction(102, false, kVeto);
  auto n = Notification(2, {FileItem(10, 2, L"C:\\Vault\\A\\a1.txt")});
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  EXPECT_TRUE(visits.empty());
  EXPECT_EQ(n.veto, 0);
}

class RecordingAdmin : public AdminCommand {
 public:
  void Administrate(const AdminRequest& request) override {
    ++calls;
    loadedThisCall = request.loadedThisCall;
    request.notification.refreshFlags = 6;
  }
  int calls = 0;
  bool loadedThisCall = true;
};

TEST_F(NotificationTest, TheAdministrationCommandGoesToItsPlugIn) {
  AddAction(100);  // no action ever runs for the administration command
  auto n = Notification(kMenuCommand, {});
  n.commandId = 100;
  EXPECT_EQ(addIn.OnCommand(n), host::kOk);
  EXPECT_EQ(n.refreshFlags, -5);
  EXPECT_EQ(n.veto, 0);

  RecordingAdmin admin;
  addIn.SetAdminCommand(&admin);
  auto again = Notification(kMenuCommand, {});
  again.commandId = 100;
  EXPECT_EQ(addIn.OnCommand(again), host::kOk);
  EXPECT_EQ(admin.calls, 1);
  EXPECT_FALSE(admin.loadedThisCall);  // the vault has no dictionary
  EXPECT_EQ(again.refreshFlags, 6);
  EXPECT_TRUE(visits.empty());
}

// The add-in's messages come from its own string file "Vorn", in the host's language.
TEST_F(NotificationTest, MessagesComeTranslatedFromTheAddInsStringFile) {
  lexicor_test::LanguageFolder folder;
  folder.Write(L"D", L"Vorn", "[TS]\n10 = \"Kein Tresor\"\n157 = \"Blöcke: %d zu %d\"\n");
  strings::Initialize(L"D", folder.Path());

  auto lost = Notification(kMenuCommand, {});
  lost.vault = nullptr;
  EXPECT_EQ(addIn.OnCommand(lost), host::kFail);

  Action& unbalanced = AddAction(102);
  unbalanced.commands.push_back(
      std::make_unique<VisitCmd>(visits, nullptr, commands::kAllDocumentsType));
  auto menu = Notification(kMenuCommand, {});
  menu.commandId = 102;
  EXPECT_EQ(addIn.OnCommand(menu), host::kOk);
  strings::Initialize(L"", L"");

  ASSERT_EQ(fakes.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"Kein Tresor");
  EXPECT_EQ(fakes.messageBoxes.shown[1].text, L"Blöcke: 1 zu 0");
  EXPECT_TRUE(visits.empty()) << "an unbalanced action runs nothing";
}

}  // namespace
}  // namespace vendrel::addin
