// The prompt editors: stored values shown, the run-time variable list, and OK handing back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "commands/prompts/CComboBoxDlgRes.h"
#include "commands/prompts/CEditBoxDlgRes.h"
#include "commands/prompts/COKMsgBoxDlgRes.h"
#include "commands/prompts/CYesNoBoxDlgRes.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "tests/support/Commands.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::ScriptedSurface;
using ::testing::ElementsAre;

constexpr wchar_t kNoVariables[] = L"There are no run-time variables to show.";

using PromptEditorsTest = testing::ScriptedEditorTest;

TEST_F(PromptEditorsTest, TheYesNoEditorOffersOnlyRunTimeVariablesSorted) {
  Define(L"zeta", Variable::kRuntime);
  Define(L"text", Variable::kStaticText);
  Define(L"Alpha", Variable::kRuntime);
  auto command = Make<CmdYesNoBox>();
  command->Assign({L"ZETA", L"Sure?", L"1", L"0"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_YES_NO_BOX_PROMPT), L"Sure?");
    EXPECT_THAT(ui.Items(IDC_YES_NO_BOX_VARIABLE), ElementsAre(L"Alpha", L"zeta"));
    EXPECT_EQ(ui.ItemText(IDC_YES_NO_BOX_VARIABLE, ui.SelectedItem(IDC_YES_NO_BOX_VARIABLE)),
              L"zeta")
        << "found ignoring case";
    EXPECT_EQ(ui.Text(IDC_YES_NO_BOX_YES), L"1");
    EXPECT_EQ(ui.Text(IDC_YES_NO_BOX_NO), L"0");
    ui.Choose(IDC_YES_NO_BOX_VARIABLE, L"Alpha");
    ui.Type(IDC_YES_NO_BOX_YES, L"%yes%");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdYesNoBox::Fields{L"Alpha", L"Sure?", L"%yes%", L"0"}));
  EXPECT_EQ(command->Summary(), L"Alpha = %yes% || 0");
}

TEST_F(PromptEditorsTest, AVariableThatNoLongerExistsStaysChosen) {
  Define(L"kept", Variable::kRuntime);
  auto command = Make<CmdEditBox>();
  command->Assign({L"gone", L"Name?"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(IDC_EDIT_BOX_VARIABLE), ElementsAre(L"gone", L"kept"));
    EXPECT_EQ(ui.ItemText(IDC_EDIT_BOX_VARIABLE, ui.SelectedItem(IDC_EDIT_BOX_VARIABLE)), L"gone");
    ui.Type(IDC_EDIT_BOX_PROMPT, L"Your name?");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdEditBox::Fields{L"gone", L"Your name?"}));
  EXPECT_EQ(command->Summary(), L"gone");
}

TEST_F(PromptEditorsTest, WithoutRunTimeVariablesTheListSaysSoAndOkStoresNoName) {
  Define(L"text", Variable::kStaticText);
  auto command = Make<CmdComboBox>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_THAT(ui.Items(IDC_COMBO_BOX_VARIABLE), ElementsAre(kNoVariables));
    EXPECT_EQ(ui.SelectedItem(IDC_COMBO_BOX_VARIABLE), 0);
    EXPECT_FALSE(ui.IsEnabled(IDC_COMBO_BOX_VARIABLE));
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values().variable, L"");
  EXPECT_EQ(command->Summary(), L" = ");
}

TEST_F(PromptEditorsTest, TheComboEditorShowsChoicesAsLinesAndTakesTheNonBlankOnes) {
  Define(L"Pick", Variable::kRuntime);
  auto command = Make<CmdComboBox>();
  command->Assign({L"Pick", L"Which?", {L"A", L"B"}});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_COMBO_BOX_CHOICES), L"A\r\nB");
    ui.Type(IDC_COMBO_BOX_CHOICES, L"A\r\n\r\n  \r\nB ");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values().choices, (std::vector<std::wstring>{L"A", L"B "}));
  EXPECT_EQ(command->Summary(), L"Pick = A | B  | ");
}

TEST_F(PromptEditorsTest, CancelChangesNothing) {
  Define(L"Pick", Variable::kRuntime);
  auto command = Make<CmdComboBox>();
  command->Assign({L"Pick", L"Which?", {L"A"}});
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_COMBO_BOX_CHOICES, L"X");
    ui.Type(IDC_COMBO_BOX_PROMPT, L"changed");
    ui.Cancel();
  });
  EXPECT_FALSE(command->Edit(0));
  EXPECT_EQ(command->Values(), (CmdComboBox::Fields{L"Pick", L"Which?", {L"A"}}));
  EXPECT_EQ(command->Summary(), L"Pick = A | ");
}

// The button beside the list opens the variable editor; the list shows what it left.
TEST_F(PromptEditorsTest, EditingTheVariablesRefillsTheList) {
  auto command = Make<CmdEditBox>();
  dialogs.Queue([&](ScriptedSurface& ui) {
    EXPECT_FALSE(ui.IsEnabled(IDC_EDIT_BOX_VARIABLE));
    ui.Click(IDC_EDIT_BOX_EDIT_VARIABLES);
    EXPECT_THAT(ui.Items(IDC_EDIT_BOX_VARIABLE), ElementsAre(L"Answer"));
    EXPECT_TRUE(ui.IsEnabled(IDC_EDIT_BOX_VARIABLE));
    ui.Choose(IDC_EDIT_BOX_VARIABLE, L"Answer");
    ui.Ok();
  });
  dialogs.Queue([&](ScriptedSurface& ui) {
    Define(L"Answer", Variable::kRuntime);
    ui.Cancel();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(dialogs.Opened(), 2u);
  EXPECT_EQ(command->Values().variable, L"Answer");
}

TEST_F(PromptEditorsTest, TheMessageEditorShowsAndTakesTheText) {
  auto command = Make<CmdOkMsgBox>();
  command->Assign({L"a\r\nb"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_OK_MSG_BOX_TEXT), L"a\r\nb");
    ui.Type(IDC_OK_MSG_BOX_TEXT, L"Done: %NameOfSelectedFile%");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Values().message, L"Done: %NameOfSelectedFile%");
  EXPECT_EQ(command->Summary(), L"Done: %NameOfSelectedFile%");
}

}  // namespace
}  // namespace vendrel::commands
