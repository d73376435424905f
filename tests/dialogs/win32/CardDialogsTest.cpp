// The send-message, set-card-variables and error report dialogs in real windows: what Win32
// adds to their presenters (the multi-selection list box, the image drop-down list, the rich-edit
// fields and the templates), with a screenshot of each.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "actions/Action.h"
#include "commands/vault/CDisplayErrorsDlg.h"
#include "commands/vault/CDisplayErrorsDlgRes.h"
#include "commands/vault/CSetCardVariablesDlgRes.h"
#include "commands/vault/CmdSendMsg.h"
#include "commands/vault/CmdSetCardVar.h"
#include "commands/vault/SendMsgDlgRes.h"
#include "platform/win32/Dialogs.h"
#include "sim/SimVault.h"
#include "tests/dialogs/win32/DialogDriver.h"
#include "tests/platform/win32/BoxPresser.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"
#include "tests/uilibs/win32/HostFolder.h"

namespace vendrel::commands {
namespace {

using testing::DialogDriver;
using testing::Enabled;
using testing::ItemText;

// The pattern control and the variable icon come from the host's libraries.
const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new uilibs::testing::HostFolderEnvironment);

std::wstring ListText(HWND list, int index) {
  wchar_t text[256] = {};
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring ImageComboText(HWND combo, int index) {
  wchar_t text[256] = {};
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

class CardDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fakes.services.dialogs = &runner;
    vault = sim::SimVault::CreateInMemory();
    vault->AddUser(L"alice");
    vault->AddUser(L"bob");
    vault->AddUser(L"carol");
    vault->AddGroup(L"Design");
    vault->AddVariable(L"Description", 1);
    vault->AddVariable(L"Teeth", 2);
    vault->AddVariable(L"Due", 5);
    ASSERT_EQ(vault->Login(L"alice", L"PC1", session), host::kOk);
  }
  template <class Kind>
  std::unique_ptr<Kind> Make() {
    auto command = vendrel::testing::MakeCommand<Kind>(action, fakes.services);
    command->SetVault(session.Get());
    return command;
  }

  vendrel::testing::FakeServices fakes;
  platform::Win32DialogRunner runner{GetModuleHandleW(nullptr)};
  actions::Action action;
  std::unique_ptr<sim::SimVault> vault;
  host::Ref<host::VaultSession> session;
};

TEST_F(CardDialogsTest, SendMessageSelectsSeveralSortedEntries) {
  auto command = Make<CmdSendMsg>();
  command->Assign({.users = {L"carol"},
                   .groups = {L"Design"},
                   .subject = L"Release",
                   .message = L"Drawings are\r\nready."});
  DialogDriver driver(
      L"Send message",
      [](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_SEND_MSG_TO);
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
        EXPECT_EQ(ListText(list, 0), L"Group:Design");
        EXPECT_EQ(ListText(list, 3), L"User:carol");
        EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
        EXPECT_EQ(ItemText(dialog, IDC_SEND_MSG_MESSAGE), L"Drawings are\r\nready.");
        // A control-click on bob, as the list box reports it.
        SendMessageW(list, LB_SETSEL, TRUE, 2);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEND_MSG_TO, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        EXPECT_TRUE(Enabled(dialog, IDOK));
      },
      platform::testing::ArtefactPath(L"send-message.bmp"));
  EXPECT_TRUE(command->Edit(0));
  EXPECT_TRUE(driver.Found());
  EXPECT_EQ(command->Values().users, (std::vector<std::wstring>{L"bob", L"carol"}));
  EXPECT_EQ(command->Values().groups, (std::vector<std::wstring>{L"Design"}));
}

TEST_F(CardDialogsTest, SetCardVariablesShowsTheVariablesWithTheirIconAndRichEditFields) {
  auto command = Make<CmdSetCardVar>();
  command->Assign({.itemKind = CmdSetCardVar::kFileWithPath,
                   .filePath = L"C:\\Vault\\gear.txt",
                   .configurations = {L"Default", L"Large"},
                   .value = L"%NameOfLoggedInUser% approved",
                   .variableName = L"Description",
                   .variableType = 1});
  DialogDriver driver(
      L"Set variables",
      [](HWND dialog) {
        const HWND combo = GetDlgItem(dialog, IDC_SET_CARD_VARIABLE);
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(ImageComboText(combo, 2), L"Due");
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
        EXPECT_NE(SendMessageW(combo, CBEM_GETIMAGELIST, 0, 0), 0) << "no icon for the entries";
        EXPECT_EQ(ItemText(dialog, IDC_SET_CARD_FILE_PATH), L"C:\\Vault\\gear.txt");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SET_CARD_VALUE, EM_GETLIMITTEXT, 0, 0), 260);
        EXPECT_EQ(ItemText(dialog, IDC_SET_CARD_CONFIGURATIONS), L"Default\r\nLarge");
        EXPECT_FALSE(Enabled(dialog, IDC_SET_CARD_FOLDER_PATH));
        // Choosing "Due" from the list, as the list reports it.
        SendMessageW(combo, CB_SETCURSEL, 2, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_CARD_VARIABLE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        SetDlgItemTextW(dialog, IDC_SET_CARD_VALUE, L"3/5/2024");
      },
      platform::testing::ArtefactPath(L"set-card-variables.bmp"));
  EXPECT_TRUE(command->Edit(0));
  EXPECT_TRUE(driver.Found());
  EXPECT_EQ(command->Values().variableName, L"Due");
  EXPECT_EQ(command->Values().variableType, 5);
  EXPECT_EQ(command->Values().value, L"3/5/2024");
}

TEST_F(CardDialogsTest, TheErrorReportListsEveryMessage) {
  const std::vector<std::wstring> messages{
      L"Cannot set card variables for file gear.txt, you must check out the file before this "
      L"command will run.",
      L"Error setting variable for folder Parts. The folder could not be found."};
  CDisplayErrorsDlg report(messages, L"Release", L"Description");
  DialogDriver driver(
      L"Vendrel Errors",
      [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_DISPLAY_ERRORS_COMMAND), L"Set Variables");
        EXPECT_EQ(ItemText(dialog, IDC_DISPLAY_ERRORS_ACTION), L"Release");
        EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, IDC_DISPLAY_ERRORS_MESSAGES), GWL_STYLE) &
                      ES_READONLY,
                  0);
      },
      platform::testing::ArtefactPath(L"error-report.bmp"));
  EXPECT_EQ(runner.Run(report, 0), platform::kIdOk);
  EXPECT_TRUE(driver.Found());
}

}  // namespace
}  // namespace vendrel::commands
