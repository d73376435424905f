// The prompt editors: stored values shown, the run-time variable list, and OK handing back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::ScriptedSurface;
using ::testing::ElementsAre;

constexpr std::int32_t kPrompt = 240;
constexpr std::int32_t kEditVariables = 295;
constexpr wchar_t kNoVariables[] = L"There are no run-time variables to show.";

class PromptEditorsTest : public ::testing::Test {
 protected:
  PromptEditorsTest() { fakes.services.dialogs = &dialogs; }

  void Define(const std::wstring& name, Variable::VariableType type) {
    action.variables.push_back(std::make_unique<Variable>(name, type));
  }
  template <class Kind>
  std::unique_ptr<Kind> Make() {
    return testing::MakeCommand<Kind>(action, fakes.services);
  }

  platform::ScriptedDialogRunner dialogs;
  testing::FakeServices fakes;
  actions::Action action;
};

TEST_F(PromptEditorsTest, TheYesNoEditorOffersOnlyRunTimeVariablesSorted) {
  Define(L"zeta", Variable::kRuntime);
  Define(L"text", Variable::kStaticText);
  Define(L"Alpha", Variable::kRuntime);
  auto command = Make<CmdYesNoBox>();
  command->Assign({L"ZETA", L"Sure?", L"1", L"0"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(kPrompt), L"Sure?");
    EXPECT_THAT(ui.Items(299), ElementsAre(L"Alpha", L"zeta"));
    EXPECT_EQ(ui.ItemText(299, ui.SelectedItem(299)), L"zeta") << "found ignoring case";
    EXPECT_EQ(ui.Text(251), L"1");
    EXPECT_EQ(ui.Text(252), L"0");
    ui.Choose(299, L"Alpha");
    ui.Type(251, L"%yes%");
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
    EXPECT_THAT(ui.Items(297), ElementsAre(L"gone", L"kept"));
    EXPECT_EQ(ui.ItemText(297, ui.SelectedItem(297)), L"gone");
    ui.Type(kPrompt, L"Your name?");
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
    EXPECT_THAT(ui.Items(294), ElementsAre(kNoVariables));
    EXPECT_EQ(ui.SelectedItem(294), 0);
    EXPECT_FALSE(ui.IsEnabled(294));
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
    EXPECT_EQ(ui.Text(426), L"A\r\nB");
    ui.Type(426, L"A\r\n\r\n  \r\nB ");
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
    ui.Type(426, L"X");
    ui.Type(kPrompt, L"changed");
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
    EXPECT_FALSE(ui.IsEnabled(297));
    ui.Click(kEditVariables);
    EXPECT_THAT(ui.Items(297), ElementsAre(L"Answer"));
    EXPECT_TRUE(ui.IsEnabled(297));
    ui.Choose(297, L"Answer");
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
  command->Assign(L"a\r\nb");
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(kPrompt), L"a\r\nb");
    ui.Type(kPrompt, L"Done: %NameOfSelectedFile%");
    ui.Ok();
  });
  EXPECT_TRUE(command->Edit(0));
  EXPECT_EQ(command->Message(), L"Done: %NameOfSelectedFile%");
  EXPECT_EQ(command->Summary(), L"Done: %NameOfSelectedFile%");
}

}  // namespace
}  // namespace vendrel::commands
