// The label, jump and variable editors in real windows from their templates, driven by messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "actions/Action.h"
#include "commands/core/CJumpDlg.h"
#include "commands/core/CJumpDlgRes.h"
#include "commands/core/CLabelDlg.h"
#include "commands/core/CLabelDlgRes.h"
#include "commands/core/CSetVariablesDlg.h"
#include "commands/core/CSetVariablesDlgRes.h"
#include "commands/core/LabelList.h"
#include "platform/win32/Dialogs.h"
#include "tests/dialogs/win32/DialogDriver.h"
#include "tests/platform/win32/BoxPresser.h"
#include "tests/support/FakeServices.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using testing::Checked;
using testing::DialogDriver;
using testing::Enabled;
using testing::ItemText;
using testing::Press;

class FlowDialogsTest : public ::testing::Test {
 protected:
  FlowDialogsTest() { fakes.services.dialogs = &runner; }

  testing::FakeServices fakes;
  platform::Win32DialogRunner runner{GetModuleHandleW(nullptr)};
};

TEST_F(FlowDialogsTest, TheLabelEditorKeepsItsNameAndHelpIsTheFrameworksCommand) {
  CLabelDlg dialog(L"Retry");
  std::wstring help;
  DialogDriver driver(
      L"Label", [&](HWND window) { help = ItemText(window, ID_HELP_COMMAND); },
      platform::testing::ArtefactPath(L"label-dialog.bmp"));
  EXPECT_EQ(runner.Run(dialog, 0), platform::kIdOk);
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(help, L"Help");
  EXPECT_EQ(dialog.Name(), L"Retry");
  EXPECT_TRUE(driver.ScreenshotSaved() || platform::testing::ArtefactPath(L"x").empty());
}

TEST_F(FlowDialogsTest, TheJumpEditorsRadioButtonsReachItsPresenterByClicks) {
  LabelList labels;
  labels.Add(L"Start");
  labels.Add(L"End");
  actions::Action action;
  const JumpCondition shown{L"%Size%", L"10", L"End", JumpCondition::kGreaterOrEqual, false};
  CJumpDlg untouched(shown, &labels, &action, nullptr, &fakes.services);
  DialogDriver look(L"Conditional jump dialog", {},
                    platform::testing::ArtefactPath(L"jump-dialog.bmp"));
  EXPECT_EQ(runner.Run(untouched, 0), platform::kIdOk);
  ASSERT_TRUE(look.Found());
  EXPECT_EQ(untouched.Condition(), shown);

  CJumpDlg dialog(shown, &labels, &action, nullptr, &fakes.services);
  bool valueOffForVault = true, valueOnAgain = false;
  DialogDriver driver(L"Conditional jump dialog",
                      [&](HWND window) {
                        Press(window, IDC_JUMP_VAULT);
                        valueOffForVault = Enabled(window, IDC_JUMP_VALUE) ||
                                           Checked(window, IDC_JUMP_GREATER_EQUAL);
                        Press(window, IDC_JUMP_EQUALS);
                        valueOnAgain =
                            Enabled(window, IDC_JUMP_VALUE) && !Checked(window, IDC_JUMP_VAULT);
                      },
                      {});
  EXPECT_EQ(runner.Run(dialog, 0), platform::kIdOk);
  ASSERT_TRUE(driver.Found());
  EXPECT_FALSE(valueOffForVault);
  EXPECT_TRUE(valueOnAgain);
  EXPECT_EQ(dialog.Condition().op, JumpCondition::kEquals);
}

TEST_F(FlowDialogsTest, TheArrowButtonsMenuReplacesTheSelectionWithTheChosenVariable) {
  actions::Action action;
  CJumpDlg dialog({L"%Size%", L"", L"End", JumpCondition::kEquals, true}, nullptr, &action, nullptr,
                  &fakes.services);
  bool menuShown = false;
  std::wstring variable;
  DialogDriver driver(L"Conditional jump dialog",
                      [&](HWND window) {
                        SendDlgItemMessageW(window, IDC_JUMP_VARIABLE, EM_SETSEL, 1, 5);
                        // The menu runs its own loop on the dialog's thread: post, never send.
                        PostMessageW(GetDlgItem(window, IDC_JUMP_VARIABLE_MENU), BM_CLICK, 0, 0);
                        HWND menu = nullptr;
                        for (int i = 0; i < 100 && !(menu = FindWindowW(L"#32768", nullptr)); ++i)
                          Sleep(50);
                        menuShown = menu != nullptr;
                        // Past the two function submenus, the user variables and the selected-file
                        // entries.
                        for (int i = 0; i < 5; ++i) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
                        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
                        for (int i = 0; i < 100 && menu && IsWindowVisible(menu); ++i) Sleep(50);
                        variable = ItemText(window, IDC_JUMP_VARIABLE);
                      },
                      {});
  EXPECT_EQ(runner.Run(dialog, 0), platform::kIdOk);
  ASSERT_TRUE(driver.Found());
  EXPECT_TRUE(menuShown);
  EXPECT_EQ(variable, L"%%RootFolderPath%%");
  EXPECT_EQ(dialog.Condition().variable, L"%%RootFolderPath%%");
}

TEST_F(FlowDialogsTest, TheVariableEditorListsTheVariablesFillsFromARowAndFollowsItsSize) {
  VariableList variables;
  variables.push_back(std::make_unique<Variable>(L"Size", Variable::kStaticText, L"10"));
  variables.push_back(std::make_unique<Variable>(L"Temp", Variable::kEnvironment, L"TEMP"));
  TypeTextMap texts{{Variable::kStaticText, L"Static string"},
                    {Variable::kEnvironment, L"Value of environment variable"}};
  CSetVariablesDlg dialog(texts, variables, nullptr, &fakes.services);
  int rows = 0;
  std::wstring name, valueLabel;
  RECT client{}, add{}, ok{};
  DialogDriver driver(
      L"Set variables",
      [&](HWND window) {
        const HWND list = GetDlgItem(window, IDC_SETVAR_LIST);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        LVITEMW select{};
        select.stateMask = LVIS_SELECTED;
        select.state = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
        name = ItemText(window, IDC_SETVAR_NAME);
        valueLabel = ItemText(window, IDC_SETVAR_VALUE_LABEL);
        SetDlgItemTextW(window, IDC_SETVAR_NAME, L"Scratch");
        RECT frame{};
        GetWindowRect(window, &frame);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 120,
                     frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(window, &client);
        add = testing::ItemRect(window, IDC_SETVAR_ADD);
        ok = testing::ItemRect(window, IDOK);
      },
      platform::testing::ArtefactPath(L"set-variables-dialog.bmp"));
  EXPECT_EQ(runner.Run(dialog, 0), platform::kIdOk);
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(name, L"Temp");
  EXPECT_EQ(valueLabel, L"Environment variable :");
  EXPECT_EQ(add.right, client.right - 10);
  EXPECT_EQ(ok.bottom, client.bottom - 60);
  ASSERT_EQ(variables.size(), 2u);
  EXPECT_EQ(variables[1]->name, L"Scratch");
  EXPECT_EQ(variables[1]->type, Variable::kEnvironment);
  EXPECT_EQ(variables[0]->value, L"10");
}

}  // namespace
}  // namespace vendrel::commands
