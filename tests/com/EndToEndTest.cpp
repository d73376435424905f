// The product, bin/vendrel.dll, as the host's client meets it: registered with regsvr32, created
// by ProgID, loaded with the actions stored in a simulated vault, and notified through COM; the
// actions' effects are read back from the vault and the disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "commands/core/CmdCancel.h"
#include "commands/core/CmdDocumentLoop.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/system/CmdRegistry.h"
#include "commands/system/CmdShell.h"
#include "commands/vault/CmdGenerateFile.h"
#include "commands/vault/CmdLockFile.h"
#include "commands/vault/CmdSendMsg.h"
#include "commands/vault/CmdSetCardVar.h"
#include "commands/vault/CmdUnlockFile.h"
#include "platform/win32/Services.h"
#include "tests/com/EndToEnd.h"

namespace vendrel::com {
namespace {

using ::testing::ElementsAre;

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ProductInstallation);

class ProductTest : public EndToEndTest {
 protected:
  // For every selected document: create the folder, copy the document to the destination.
  actions::Action& CopyingAction(const std::wstring& menuText, const std::wstring& folder,
                                 const std::wstring& destination) {
    actions::Action& action = NewAction(menuText);
    Add<commands::CmdAllDocuments>(action);
    Add<commands::CmdCreateFolder>(action).Assign({folder});
    Add<commands::CmdCopyFile>(action).Assign({L"%PathToSelectedFile%", destination});
    Add<commands::CmdEndAllDocuments>(action);
    return action;
  }
  // Refuses a check out of a file that matches `pattern`.
  actions::Action& GuardingAction(const std::wstring& pattern) {
    actions::Action& action = NewAction(L"Guard");
    action.activationKinds = actions::kActivateOnCheckOut;
    action.checkOutKind = actions::kCheckOut;
    action.checkOutAfter = false;
    action.checkOutPath = pattern;
    EXPECT_TRUE(Add<commands::CmdCancel>(action).Edit(0));
    return action;
  }
  host::HostNotification Menu(const actions::Action& action,
                              std::vector<host::HostNotificationItem> items) const {
    host::HostNotification n = Notification(1, std::move(items));
    n.commandId = action.actionId;
    return n;
  }
};

TEST_F(ProductTest, GetAddInInfoRegistersTheStoredMenuActionsAndTheirHooksInTheHostsOrder) {
  const actions::Action& backUp = CopyingAction(L"Back up", Local(L"Backup"), Local(L"Backup\\"));
  const actions::Action& archive =
      CopyingAction(L"Archive", InVault(L"Archive"), InVault(L"Archive\\%NameOfSelectedFile%"));
  GuardingAction(L"%.txt");  // check out only: no menu command
  actions::Action& stamp = NewAction(L"Stamp");
  stamp.activationKinds = actions::kActivateOnStateChange;
  stamp.stateChangeAfter = true;
  SaveActions();

  LoadAddIn();
  EXPECT_EQ(info.name, L"Vendrel");
  EXPECT_EQ(info.description, L"Version 2016, SP0, Build 826");
  EXPECT_EQ(info.version, 2016000826);

  using Command = RecordingRegistrar::Command;
  const std::wstring admin = L"\u00a7(8,TS,Vorn)Administrate Actions...";
  const std::wstring adminTip = L"\u00a7(9,TS,Vorn)Administrate Actions";
  // Menu texts without a group come in descending order; hooks in the order of the host's
  // table, where after state change precedes before check out.
  EXPECT_THAT(registrar.commands,
              ElementsAre(Command{100, 0x20040, 0, 0, admin, adminTip, L""},
                          Command{100, 0x200, 0, 0, admin, adminTip, L""},
                          Command{backUp.actionId, 0x4000, 0, 0, L"Back up", L"", L""},
                          Command{archive.actionId, 0x4000, 0, 0, L"Archive", L"", L""}));
  EXPECT_THAT(registrar.hooks, ElementsAre(std::pair{10, 0}, std::pair{3, 0}));
}

TEST_F(ProductTest, MenuCommandArchivesTheSelectedDocumentsIntoTheVaultAndAsksForARefresh) {
  const actions::Action& archive =
      CopyingAction(L"Archive", InVault(L"Archive"), InVault(L"Archive\\%NameOfSelectedFile%"));
  SaveActions();
  LoadAddIn();

  host::HostNotification n = Menu(archive, {MenuItem(docs[0]), MenuItem(docs[1])});
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(n.refreshFlags, 1);
  EXPECT_EQ(n.veto, 0);

  // Added to the vault through the host, so the vault knows them and they lie on disk.
  host::Ref<host::VaultFolder> folder;
  EXPECT_EQ(session->GetFolderFromPath(InVault(L"Archive"), folder), host::kOk);
  EXPECT_TRUE(VaultHasFile(InVault(L"Archive\\a.txt")));
  EXPECT_TRUE(VaultHasFile(InVault(L"Archive\\b.txt")));
  EXPECT_FALSE(VaultHasFile(InVault(L"Archive\\c.prt")));
  EXPECT_EQ(Content(InVault(L"Archive\\a.txt")), "alpha");
  EXPECT_EQ(Content(InVault(L"Archive\\b.txt")), "beta");
}

TEST_F(ProductTest, MenuCommandSetsACardValueOfTheSelectedFileAndSendsAMessage) {
  vault->AddVariable(L"Description", 1);
  vault->AddUser(L"bob");
  vault->AddGroup(L"Design");
  vault->AddMember(L"Design", L"bob");
  host::Ref<host::VaultFolder> folder;
  ASSERT_EQ(session->GetFolderFromPath(InVault(L"Docs"), folder), host::kOk);
  host::Ref<host::VaultFile> file;
  ASSERT_EQ(session->GetFileFromPath(docs[0].path, file, folder), host::kOk);
  ASSERT_EQ(file->CheckOut(docs[0].folderId, 0, 0), host::kOk);

  actions::Action& release = NewAction(L"Release");
  Add<commands::CmdSetCardVar>(release).Assign({.value = L"%NameOfSelectedFile% released",
                                                .variableName = L"Description",
                                                .variableType = 1});
  Add<commands::CmdSendMsg>(release).Assign(
      {.groups = {L"Design"}, .subject = L"Released", .message = L"%NameOfSelectedFile%"});
  SaveActions();
  LoadAddIn();

  host::HostNotification n = Menu(release, {MenuItem(docs[0])});
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(vault->CardValue(sim::CardOwner::kFile, docs[0].fileId, L"Description", L""),
            host::Value(L"a.txt released"));
  const std::vector<sim::InboxMessage> inbox = vault->Inbox(L"bob");
  ASSERT_EQ(inbox.size(), 1u);
  EXPECT_EQ(inbox[0].sender, kUser);
  EXPECT_EQ(inbox[0].group, L"Design");
  EXPECT_EQ(inbox[0].subject, L"Released");
  EXPECT_EQ(inbox[0].text, L"%NameOfSelectedFile%") << "messages go out as typed";
}

TEST_F(ProductTest, MenuCommandBacksUpTheSelectedDocumentsIntoALocalFolder) {
  const actions::Action& backUp = CopyingAction(L"Back up", Local(L"%NameOfSelectedFile%.old"),
                                                Local(L"%NameOfSelectedFile%.old\\"));
  SaveActions();
  LoadAddIn();

  host::HostNotification n = Menu(backUp, {MenuItem(docs[1]), MenuItem(docs[2])});
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(n.refreshFlags, 1);
  EXPECT_EQ(Content(Local(L"b.txt.old\\b.txt")), "beta");
  EXPECT_EQ(Content(Local(L"c.prt.old\\c.prt")), "part");
  EXPECT_FALSE(std::filesystem::exists(Local(L"a.txt.old")));
}

TEST_F(ProductTest, ACancelCommandRefusesOnlyTheCheckOutOfAMatchingFile) {
  GuardingAction(L"%.txt");
  SaveActions();
  LoadAddIn();

  host::HostNotification text = Notification(3, {CheckOutItem(docs[0])});
  ASSERT_EQ(addIn->OnCommand(text), host::kOk);
  EXPECT_EQ(text.veto, 1);

  host::HostNotification part = Notification(3, {CheckOutItem(docs[2])});
  ASSERT_EQ(addIn->OnCommand(part), host::kOk);
  EXPECT_EQ(part.veto, 0);

  // After the check out there is nothing left to refuse.
  host::HostNotification after = Notification(4, {CheckOutItem(docs[0])});
  ASSERT_EQ(addIn->OnCommand(after), host::kOk);
  EXPECT_EQ(after.veto, 0);
}

TEST_F(ProductTest, MenuCommandChecksOutGeneratesIntoAndChecksInAVaultFile) {
  std::ofstream(std::filesystem::path(Local(L"param.tpl")), std::ios::binary)
      << "file=%NameOfSelectedFile%\nuser=%NameOfLoggedInUser%\n";
  actions::Action& action = NewAction(L"Parameters");
  Add<commands::CmdLockFile>(action).Assign({L"%PathToSelectedFile%"});
  Add<commands::CmdGenerateFile>(action).Assign({.outputFile = L"%PathToSelectedFile%",
                                                 .templateFile = Local(L"param.tpl"),
                                                 .assignTo = L"",
                                                 .useCounter = 0,
                                                 .append = 0});
  Add<commands::CmdUnlockFile>(action).Assign(
      {L"%PathToSelectedFile%", L"Parameters of %NameOfSelectedFile%"});
  SaveActions();
  LoadAddIn();

  host::HostNotification n = Menu(action, {MenuItem(docs[0])});
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(n.refreshFlags, 1);
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  ASSERT_EQ(session->GetFileFromPath(docs[0].path, file, folder), host::kOk);
  std::vector<host::VersionInfo> versions;
  ASSERT_EQ(file->VersionHistory(versions), host::kOk);
  ASSERT_EQ(versions.size(), 2u);
  EXPECT_EQ(versions[1].comment, L"Parameters of a.txt");
  host::CheckOutInfo holder;
  ASSERT_EQ(file->CheckOutState(holder), host::kOk);
  EXPECT_EQ(holder.userId, 0) << "checked in again";
  EXPECT_EQ(Content(docs[0].path), "file=a.txt\r\nuser=Chief\r\n");
}

TEST_F(ProductTest, MenuCommandOnASelectedFolderRunsOverEveryFileBelowIt) {
  const actions::Action& backUp = CopyingAction(L"Back up", Local(L"Backup"), Local(L"Backup\\"));
  SaveActions();
  host::Ref<host::VaultFolder> folder, sub;
  ASSERT_EQ(session->GetFolderFromPath(InVault(L"Docs"), folder), host::kOk);
  ASSERT_EQ(folder->AddFolder(0, L"Sub", 0, sub), host::kOk);
  AddDocument(*sub, L"d.txt", "delta");
  LoadAddIn();

  // A folder item: first integer below 2, the folder's id second. The add-in walks the folder
  // and its sub-folders through the host's COM objects.
  host::HostNotification n = Menu(backUp, {{1, docs[0].folderId, 0, InVault(L"Docs"), L"", 0}});
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(Content(Local(L"Backup\\a.txt")), "alpha");
  EXPECT_EQ(Content(Local(L"Backup\\b.txt")), "beta");
  EXPECT_EQ(Content(Local(L"Backup\\c.prt")), "part");
  EXPECT_EQ(Content(Local(L"Backup\\d.txt")), "delta");
}

// What the host's object holds now: one more reference, taken and given back.
std::uint32_t References(host::Counted& object) {
  object.AddRef();
  return object.Release();
}

TEST_F(ProductTest, TheProductCanUnloadOnceItsLastObjectIsReleasedAndKeepsNoHostObject) {
  const actions::Action& backUp = CopyingAction(L"Back up", Local(L"Backup"), Local(L"Backup\\"));
  SaveActions();
  const std::uint32_t before = References(*session);
  LoadAddIn();
  {
    host::HostNotification n = Menu(backUp, {MenuItem(docs[0])});
    ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  }

  const HMODULE product = GetModuleHandleW(L"vendrel.dll");
  ASSERT_NE(product, nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(product, path, MAX_PATH);
  EXPECT_EQ(CompareStringOrdinal(path, -1, ProductPath().c_str(), -1, TRUE), CSTR_EQUAL) << path;
  const auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(product, "DllCanUnloadNow")));
  ASSERT_TRUE(canUnloadNow);

  EXPECT_EQ(canUnloadNow(), S_FALSE);
  addIn.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_EQ(References(*session), before) << "the add-in kept a reference to the host's vault";
}

TEST_F(ProductTest, AnActionWritesTheRegistryAndWaitsForTheCommandLineItStarts) {
  const std::wstring key = L"Software\\VendrelEndToEnd";
  platform::Win32Registry registry;
  registry.DeleteTree(platform::RegistryRoot::kCurrentUser, key);
  const std::wstring made = (scratch / L"made.txt").wstring();
  actions::Action& action = NewAction(L"Machine");
  using commands::CmdRegistry;
  Add<CmdRegistry>(action).Assign(
      {L"hkey_current_user\\" + key + L"\\Count", L" 42", CmdRegistry::kDword});
  Add<commands::CmdShell>(action).Assign({L"Open", L"C:\\windows\\system32\\cmd.exe",
                                          L"/c echo made> \"" + made + L"\"", 1,
                                          commands::CmdShell::kCommandLineMode});
  // Only a halted run finds the file at once.
  AddJump(action, {made, L"", L"found", commands::JumpCondition::kExistsLocal});
  AddJump(action, {L"", L"", L"end", commands::JumpCondition::kAlways});
  AddLabel(action, L"found");
  Add<CmdRegistry>(action).Assign(
      {L"HKEY_CURRENT_USER\\" + key + L"\\Found", L"yes", CmdRegistry::kString});
  AddLabel(action, L"end");
  SaveActions();
  LoadAddIn();

  host::HostNotification menu = Notification(1, {MenuItem(docs[0])});
  menu.commandId = action.actionId;
  EXPECT_EQ(addIn->OnCommand(menu), host::kOk);
  EXPECT_EQ(registry.Read(platform::RegistryRoot::kCurrentUser, key, L"Count"),
            platform::RegistryData(std::uint32_t{42}));
  EXPECT_EQ(registry.Read(platform::RegistryRoot::kCurrentUser, key, L"Found"),
            platform::RegistryData(L"yes"));
  EXPECT_EQ(Content(made).substr(0, 4), "made");
  registry.DeleteTree(platform::RegistryRoot::kCurrentUser, key);
}

TEST_F(ProductTest, UnregisteringRemovesTheKeysAndRegisteringAgainPointsCreationAtTheProduct) {
  ASSERT_EQ(RunRegsvr32(L"/u", ProductPath()), 0u);
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsid;
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Vorn.VornAddIn.1"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Vorn.VornAddIn"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, classKey));
  CLSID clsid{};
  EXPECT_NE(CLSIDFromProgID(L"Vorn.VornAddIn.1", &clsid), S_OK);
  ComPtr<IZemAddIn5> none;
  EXPECT_EQ(CoCreateInstance(CLSID_VornAddIn, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IZemAddIn5),
                             reinterpret_cast<void**>(none.Put())),
            REGDB_E_CLASSNOTREG);

  ASSERT_EQ(RunRegsvr32(L"", ProductPath()), 0u);
  const auto server = ReadText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr);
  ASSERT_TRUE(server);
  EXPECT_EQ(CompareStringOrdinal(server->c_str(), -1, ProductPath().c_str(), -1, TRUE), CSTR_EQUAL)
      << *server;
  LoadAddIn();
  EXPECT_EQ(info.name, L"Vendrel");
}

}  // namespace
}  // namespace vendrel::com
