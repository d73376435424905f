// The file and prompt editors and the run-time prompts in real windows from their templates. What
// the editors do is tested through the scripted surface; here every field must reach its real
// control and come back unchanged, and each window leaves a screenshot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/files/CCopyFileDlgRes.h"
#include "commands/files/CCreateFolderDlgRes.h"
#include "commands/files/CDeleteFileDlgRes.h"
#include "commands/files/CMoveFileDlgRes.h"
#include "commands/files/CMoveFolderDlgRes.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "commands/files/CmdMoveFolder.h"
#include "commands/prompts/COKMsgBoxDlgRes.h"
#include "commands/prompts/CRunComboBoxDlgRes.h"
#include "commands/prompts/CRunEditBoxDlgRes.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "commands/system/CRegistryDlgRes.h"
#include "commands/system/CRunWaitDlgRes.h"
#include "commands/system/CShellDlgRes.h"
#include "commands/system/CWaitDlgRes.h"
#include "commands/system/CmdRegistry.h"
#include "commands/system/CmdShell.h"
#include "commands/system/CmdWait.h"
#include "platform/win32/Dialogs.h"
#include "platform/win32/Services.h"
#include "platform/win32/Shell.h"
#include "tests/dialogs/win32/DialogDriver.h"
#include "tests/platform/win32/BoxPresser.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using testing::DialogDriver;
using testing::ItemText;

std::wstring Shot(const wchar_t* name) {
  return platform::testing::ArtefactPath(name);
}

// The command as an action file would store it.
std::wstring Stored(Cmd& command) {
  actions::HexStringFile file;
  actions::Archive archive(file, actions::Archive::Mode::kStore);
  command.Serialize(archive);
  return file.ToText();
}

class CommandDialogsTest : public ::testing::Test {
 protected:
  CommandDialogsTest() {
    fakes.services.dialogs = &runner;
    action.variables.push_back(std::make_unique<Variable>(L"Answer", Variable::kRuntime));
    action.variables.push_back(std::make_unique<Variable>(L"Beta", Variable::kRuntime));
  }

  template <class Kind>
  std::unique_ptr<Kind> Make() {
    return testing::MakeCommand<Kind>(action, fakes.services);
  }

  // Opens the editor, and OK without a change must store the command exactly as before. The
  // arrow buttons beside the text fields must be in the template too.
  void ExpectOkKeepsEveryField(Cmd& command, const wchar_t* caption, const wchar_t* shot,
                               std::initializer_list<int> arrowButtons = {}) {
    const std::wstring before = Stored(command);
    std::vector<int> missing;
    DialogDriver driver(
        caption,
        [&](HWND window) {
          for (int id : arrowButtons) {
            if (GetDlgItem(window, id) == nullptr) missing.push_back(id);
          }
        },
        Shot(shot));
    const std::string name(caption, caption + std::wcslen(caption));
    EXPECT_TRUE(command.Edit(0)) << name;
    EXPECT_TRUE(driver.Found()) << "no window " << name;
    EXPECT_THAT(missing, ::testing::IsEmpty()) << name;
    EXPECT_EQ(Stored(command), before) << name;
  }

  // Opens the editor, runs `steps` in its window, then OK: whether both happened.
  bool Edit(Cmd& command, const wchar_t* caption, DialogDriver::Steps steps, const wchar_t* shot) {
    DialogDriver driver(caption, std::move(steps), Shot(shot));
    const bool ok = command.Edit(0);
    return driver.Found() && ok;
  }

  testing::FakeServices fakes;
  platform::Win32DialogRunner runner{GetModuleHandleW(nullptr)};
  actions::Action action;
};

TEST_F(CommandDialogsTest, FileEditorsShowEveryFieldInTheirControlsAndHandItBack) {
  auto copy = Make<CmdCopyFile>();
  copy->Assign({L"%PathToSelectedFile%", L"C:\\Backup\\"});
  ExpectOkKeepsEveryField(*copy, L"Copy file", L"copy-file-dialog.bmp",
                          {IDC_COPY_FILE_SOURCE_MENU, IDC_COPY_FILE_DESTINATION_MENU});
  auto move = Make<CmdMoveFile>();
  move->Assign({L"C:\\a\\x.txt", L"y.txt"});
  ExpectOkKeepsEveryField(*move, L"Move file", L"move-file-dialog.bmp",
                          {IDC_MOVE_FILE_SOURCE_MENU, IDC_MOVE_FILE_NEW_NAME_MENU});
  auto create = Make<CmdCreateFolder>();
  create->Assign({L"C:\\Vault\\%p%"});
  ExpectOkKeepsEveryField(*create, L"Create folder", L"create-folder-dialog.bmp",
                          {IDC_CREATE_FOLDER_PATH_MENU});
  auto moveFolder = Make<CmdMoveFolder>();
  moveFolder->Assign({L"C:\\old", L"C:\\new"});
  ExpectOkKeepsEveryField(*moveFolder, L"Move folder", L"move-folder-dialog.bmp",
                          {IDC_MOVE_FOLDER_OLD_MENU, IDC_MOVE_FOLDER_NEW_MENU});
  for (bool fromVault : {true, false}) {
    auto deletion = Make<CmdDeleteFile>();
    deletion->Assign({L"C:\\t.tmp", fromVault});
    ExpectOkKeepsEveryField(*deletion, L"Delete file", L"delete-file-dialog.bmp",
                            {IDC_DELETE_FILE_PATH_MENU});
  }
}

TEST_F(CommandDialogsTest, PromptEditorsShowEveryFieldInTheirControlsAndHandItBack) {
  auto message = Make<CmdOkMsgBox>();
  message->Assign({L"line 1\r\nline 2"});
  ExpectOkKeepsEveryField(*message, L"MessageBox string", L"ok-message-box-dialog.bmp",
                          {IDC_OK_MSG_BOX_TEXT_MENU});
  auto yesNo = Make<CmdYesNoBox>();
  yesNo->Assign({L"Beta", L"Sure?", L"1", L"0"});
  ExpectOkKeepsEveryField(*yesNo, L"Yes-No MessageBox", L"yes-no-box-dialog.bmp");
  auto edit = Make<CmdEditBox>();
  edit->Assign({L"Answer", L"Name?"});
  ExpectOkKeepsEveryField(*edit, L"Edit box", L"edit-box-dialog.bmp");
  auto combo = Make<CmdComboBox>();
  combo->Assign({L"Answer", L"Which?", {L"A", L"B"}});
  ExpectOkKeepsEveryField(*combo, L"ComboBox", L"combo-box-dialog.bmp");
}

TEST_F(CommandDialogsTest, TheRunTimePromptsTakeTheAnswer) {
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  run.currentAction = &action;
  action.variables.push_back(
      std::make_unique<Variable>(L"who", Variable::kStaticText, L"Tom & Jerry"));

  CmdEditBox edit(&action);
  edit.Assign({L"Answer", L"Your name, %who%?"});
  std::wstring prompt;
  {
    DialogDriver driver(
        L"EditBox",
        [&](HWND window) {
          prompt = ItemText(window, IDC_RUN_EDIT_BOX_PROMPT);
          SetDlgItemTextW(window, IDC_RUN_EDIT_BOX_ANSWER, L"Droopy");
        },
        Shot(L"run-edit-box-dialog.bmp"));
    EXPECT_TRUE(edit.Execute(run));
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(prompt, L"Your name, Tom && Jerry?");
  EXPECT_EQ(action.variables[0]->value, L"Droopy");

  CmdComboBox combo(&action);
  combo.Assign({L"Answer", L"Pick one", {L"pear", L"apple"}});
  std::wstring chosen;
  {
    DialogDriver driver(
        L"RunCombo", [&](HWND window) { chosen = ItemText(window, IDC_RUN_COMBO_BOX_CHOICES); },
        Shot(L"run-combo-box-dialog.bmp"));
    EXPECT_TRUE(combo.Execute(run));
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(chosen, L"apple") << "sorted, the first chosen";
  EXPECT_EQ(action.variables[0]->value, L"apple");
}

TEST_F(CommandDialogsTest, SystemEditorsMapTheirButtonsAndListsFromTheTemplates) {
  auto registry = Make<CmdRegistry>();
  bool binaryShown = true;
  EXPECT_TRUE(Edit(
      *registry, L"Write Registry Value",
      [&](HWND window) {
        binaryShown = IsWindowVisible(GetDlgItem(window, IDC_REGISTRY_BINARY)) != FALSE;
        SetDlgItemTextW(window, IDC_REGISTRY_KEY, L"HKEY_CURRENT_USER\\Count");
        testing::Press(window, IDC_REGISTRY_DWORD);
      },
      L"registry-dialog.bmp"));
  EXPECT_FALSE(binaryShown);
  EXPECT_EQ(registry->Values().kind, CmdRegistry::kDword);

  auto wait = Make<CmdWait>();
  std::wstring label;
  EXPECT_TRUE(Edit(
      *wait, L"Wait",
      [&](HWND window) {
        SendDlgItemMessageW(window, IDC_WAIT_CONDITION, CB_SETCURSEL, 2, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_WAIT_CONDITION, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_WAIT_CONDITION)));
        label = ItemText(window, IDC_WAIT_PATH_LABEL);
      },
      L"wait-dialog.bmp"));
  EXPECT_EQ(label, L"Registry value:");
  EXPECT_EQ(wait->Values().condition, kRegistryValueSet);

  platform::Win32Shell shell;
  fakes.services.shell = &shell;
  auto command = Make<CmdShell>();
  command->Assign(
      {L"Open", L"C:\\windows\\system32\\cmd.exe", L"/c dir", 0, CmdShell::kCommandLineMode});
  std::wstring line;
  bool fileEnabledBefore = true;
  EXPECT_TRUE(Edit(
      *command, L"Shell Execute",
      [&](HWND window) {
        line = ItemText(window, IDC_SHELL_COMMAND_LINE);
        fileEnabledBefore = testing::Enabled(window, IDC_SHELL_FILE);
        testing::Press(window, IDC_SHELL_SHELL_MODE);
        SetDlgItemTextW(window, IDC_SHELL_FILE, L"C:\\a.txt");
      },
      L"shell-dialog.bmp"));
  EXPECT_EQ(line, L"dir");
  EXPECT_FALSE(fileEnabledBefore);
  EXPECT_EQ(command->Values().mode, CmdShell::kShellMode);
  EXPECT_EQ(command->Values().file, L"C:\\a.txt");
}

// The modeless window reacts only while the wait delivers its messages.
TEST_F(CommandDialogsTest, TheWaitingWindowShowsWhatItWaitsForAndItsCancelEndsTheWait) {
  platform::Win32FileSystem files;
  platform::Win32Clock clock;
  fakes.services.files = &files;
  fakes.services.clock = &clock;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  run.currentAction = &action;
  CmdWait wait(&action);
  wait.Assign({L"C:\\nowhere\\*.done", kFileCreated});

  std::wstring text;
  bool saved = false;
  DialogDriver driver(
      L"Waiting...",
      [&](HWND window) {
        text = ItemText(window, IDC_RUN_WAIT_TEXT);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(200);
        saved = platform::testing::SaveScreenshot(window, Shot(L"run-wait-dialog.bmp"));
        testing::Press(window, IDCANCEL);
      },
      L"");
  EXPECT_FALSE(wait.Execute(run));
  EXPECT_TRUE(driver.Found());
  EXPECT_TRUE(saved);
  EXPECT_EQ(text, L"Waiting for C:\\nowhere\\*.done to be created");
}

}  // namespace
}  // namespace vendrel::commands
