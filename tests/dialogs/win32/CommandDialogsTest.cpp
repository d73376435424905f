// The file and prompt editors and the run-time prompts in real windows from their templates.
#include <gtest/gtest.h>
#include <windows.h>

#include "actions/Action.h"
#include "actions/ActionData.h"
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
#include "commands/prompts/CComboBoxDlgRes.h"
#include "commands/prompts/CEditBoxDlgRes.h"
#include "commands/prompts/COKMsgBoxDlgRes.h"
#include "commands/prompts/CRunComboBoxDlgRes.h"
#include "commands/prompts/CRunEditBoxDlgRes.h"
#include "commands/prompts/CYesNoBoxDlgRes.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "platform/win32/Dialogs.h"
#include "tests/dialogs/win32/DialogDriver.h"
#include "tests/platform/win32/BoxPresser.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using testing::Checked;
using testing::DialogDriver;
using testing::Enabled;
using testing::ItemText;

std::wstring Shot(const wchar_t* name) {
  return platform::testing::ArtefactPath(name);
}

void Type(HWND dialog, int id, const wchar_t* text) {
  SetDlgItemTextW(dialog, id, text);
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
  // Edits `command` in its window: `steps` read and type, then OK is pressed.
  template <class Kind>
  bool Edit(Kind& command, const wchar_t* caption, DialogDriver::Steps steps, const wchar_t* shot) {
    DialogDriver driver(caption, std::move(steps), Shot(shot));
    const bool ok = command.Edit(0);
    EXPECT_TRUE(driver.Found()) << "no window \"" << std::string(caption, caption + 3) << "...\"";
    return ok;
  }

  testing::FakeServices fakes;
  platform::Win32DialogRunner runner{GetModuleHandleW(nullptr)};
  actions::Action action;
};

TEST_F(CommandDialogsTest, FileEditorsShowTheirPathsAndHandBackTheTypedOnes) {
  auto copy = Make<CmdCopyFile>();
  copy->Assign(L"%PathToSelectedFile%", L"C:\\Backup\\");
  std::wstring source, destination;
  EXPECT_TRUE(Edit(
      *copy, L"Copy file",
      [&](HWND window) {
        source = ItemText(window, IDC_COPY_FILE_SOURCE);
        destination = ItemText(window, IDC_COPY_FILE_DESTINATION);
        Type(window, IDC_COPY_FILE_DESTINATION, L"D:\\Out\\");
      },
      L"copy-file-dialog.bmp"));
  EXPECT_EQ(source, L"%PathToSelectedFile%");
  EXPECT_EQ(destination, L"C:\\Backup\\");
  EXPECT_EQ(copy->Summary(), L"%PathToSelectedFile% => D:\\Out\\");

  auto move = Make<CmdMoveFile>();
  move->Assign(L"C:\\a\\x.txt", L"y.txt");
  EXPECT_TRUE(Edit(
      *move, L"Move file",
      [&](HWND window) {
        source = ItemText(window, IDC_MOVE_FILE_SOURCE);
        Type(window, IDC_MOVE_FILE_NEW_NAME, L"z.txt");
      },
      L"move-file-dialog.bmp"));
  EXPECT_EQ(source, L"C:\\a\\x.txt");
  EXPECT_EQ(move->NewName(), L"z.txt");

  auto create = Make<CmdCreateFolder>();
  create->Assign(L"C:\\Vault\\%p%");
  EXPECT_TRUE(Edit(
      *create, L"Create folder",
      [&](HWND window) {
        source = ItemText(window, IDC_CREATE_FOLDER_PATH);
        Type(window, IDC_CREATE_FOLDER_PATH, L"C:\\Vault\\New");
      },
      L"create-folder-dialog.bmp"));
  EXPECT_EQ(source, L"C:\\Vault\\%p%");
  EXPECT_EQ(create->Path(), L"C:\\Vault\\New");

  auto moveFolder = Make<CmdMoveFolder>();
  moveFolder->Assign(L"C:\\old", L"C:\\new");
  EXPECT_TRUE(Edit(
      *moveFolder, L"Move folder",
      [&](HWND window) {
        source = ItemText(window, IDC_MOVE_FOLDER_OLD);
        destination = ItemText(window, IDC_MOVE_FOLDER_NEW);
        Type(window, IDC_MOVE_FOLDER_OLD, L"C:\\older");
      },
      L"move-folder-dialog.bmp"));
  EXPECT_EQ(source, L"C:\\old");
  EXPECT_EQ(destination, L"C:\\new");
  EXPECT_EQ(moveFolder->Summary(), L"C:\\older -> C:\\new");
}

TEST_F(CommandDialogsTest, TheDeleteEditorShowsAndTakesTheVaultCheckBox) {
  auto deletion = Make<CmdDeleteFile>();
  deletion->Assign(L"C:\\t.tmp", true);
  std::wstring path;
  bool checked = false;
  EXPECT_TRUE(Edit(
      *deletion, L"Delete file",
      [&](HWND window) {
        path = ItemText(window, IDC_DELETE_FILE_PATH);
        checked = Checked(window, IDC_DELETE_FILE_FROM_VAULT);
        CheckDlgButton(window, IDC_DELETE_FILE_FROM_VAULT, BST_UNCHECKED);
      },
      L"delete-file-dialog.bmp"));
  EXPECT_EQ(path, L"C:\\t.tmp");
  EXPECT_TRUE(checked);
  EXPECT_EQ(deletion->Summary(), L"DELETE C:\\t.tmp");
}

TEST_F(CommandDialogsTest, PromptEditorsShowTheirValuesAndTheRunTimeVariables) {
  auto message = Make<CmdOkMsgBox>();
  message->Assign(L"line 1\r\nline 2");
  std::wstring shown, variable, yes;
  EXPECT_TRUE(Edit(
      *message, L"MessageBox string",
      [&](HWND window) {
        shown = ItemText(window, IDC_OK_MSG_BOX_TEXT);
        Type(window, IDC_OK_MSG_BOX_TEXT, L"Done");
      },
      L"ok-message-box-dialog.bmp"));
  EXPECT_EQ(shown, L"line 1\r\nline 2");
  EXPECT_EQ(message->Message(), L"Done");

  auto yesNo = Make<CmdYesNoBox>();
  yesNo->Assign({L"beta", L"Sure?", L"1", L"0"});
  EXPECT_TRUE(Edit(
      *yesNo, L"Yes-No MessageBox",
      [&](HWND window) {
        shown = ItemText(window, IDC_YES_NO_BOX_PROMPT);
        variable = ItemText(window, IDC_YES_NO_BOX_VARIABLE);
        yes = ItemText(window, IDC_YES_NO_BOX_YES);
        SendDlgItemMessageW(window, IDC_YES_NO_BOX_VARIABLE, CB_SELECTSTRING, -1,
                            reinterpret_cast<LPARAM>(L"Answer"));
        Type(window, IDC_YES_NO_BOX_NO, L"no");
      },
      L"yes-no-box-dialog.bmp"));
  EXPECT_EQ(shown, L"Sure?");
  EXPECT_EQ(variable, L"Beta");
  EXPECT_EQ(yes, L"1");
  EXPECT_EQ(yesNo->Values(), (CmdYesNoBox::Fields{L"Answer", L"Sure?", L"1", L"no"}));

  auto combo = Make<CmdComboBox>();
  combo->Assign({L"Answer", L"Which?", {L"A", L"B"}});
  EXPECT_TRUE(Edit(
      *combo, L"ComboBox",
      [&](HWND window) {
        shown = ItemText(window, IDC_COMBO_BOX_CHOICES);
        variable = ItemText(window, IDC_COMBO_BOX_VARIABLE);
        Type(window, IDC_COMBO_BOX_CHOICES, L"A\r\n\r\nC");
      },
      L"combo-box-dialog.bmp"));
  EXPECT_EQ(shown, L"A\r\nB");
  EXPECT_EQ(variable, L"Answer");
  EXPECT_EQ(combo->Summary(), L"Answer = A | C | ");
}

TEST_F(CommandDialogsTest, WithoutRunTimeVariablesTheEditBoxEditorSaysSo) {
  action.variables.clear();
  auto edit = Make<CmdEditBox>();
  edit->Assign({L"", L"Name?"});
  std::wstring variable;
  bool enabled = true;
  EXPECT_TRUE(Edit(
      *edit, L"Edit box",
      [&](HWND window) {
        variable = ItemText(window, IDC_EDIT_BOX_VARIABLE);
        enabled = Enabled(window, IDC_EDIT_BOX_VARIABLE);
      },
      L"edit-box-dialog.bmp"));
  EXPECT_EQ(variable, L"There are no run-time variables to show.");
  EXPECT_FALSE(enabled);
  EXPECT_EQ(edit->Values(), (CmdEditBox::Fields{L"", L"Name?"}));
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
        L"Vendrel",
        [&](HWND window) {
          prompt = ItemText(window, IDC_RUN_EDIT_BOX_PROMPT);
          Type(window, IDC_RUN_EDIT_BOX_ANSWER, L"Droopy");
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
        L"Vendrel", [&](HWND window) { chosen = ItemText(window, IDC_RUN_COMBO_BOX_CHOICES); },
        Shot(L"run-combo-box-dialog.bmp"));
    EXPECT_TRUE(combo.Execute(run));
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(chosen, L"apple") << "sorted, the first chosen";
  EXPECT_EQ(action.variables[0]->value, L"apple");
}

}  // namespace
}  // namespace vendrel::commands
