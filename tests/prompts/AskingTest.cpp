// The edit box and the combo box at run time, answered and cancelled through scripted dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Runner.h"
#include "commands/prompts/CmdComboBox.h"
#include "commands/prompts/CmdEditBox.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::ScriptedSurface;
using ::testing::ElementsAre;

constexpr std::int32_t kPrompt = 238;
constexpr std::int32_t kAnswerEdit = 273;
constexpr std::int32_t kChoiceList = 308;

class AskingTest : public ::testing::Test {
 protected:
  AskingTest() {
    fakes.services.dialogs = &dialogs;
    run.currentAction = &action;
    action.variables.push_back(
        std::make_unique<Variable>(L"who", Variable::kStaticText, L"Tom & Jerry"));
    action.variables.push_back(std::make_unique<Variable>(L"Answer", Variable::kRuntime, L"old"));
  }

  const std::wstring& Answer() const { return action.variables[1]->value; }
  bool AskText(const std::wstring& prompt) {
    CmdEditBox command(&action);
    command.Assign({L"Answer", prompt});
    return command.Execute(run);
  }
  bool AskChoice(const std::wstring& prompt, std::vector<std::wstring> choices) {
    CmdComboBox command(&action);
    command.Assign({L"Answer", prompt, std::move(choices)});
    return command.Execute(run);
  }

  testing::StrictDialogRunner dialogs;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0x55, vault, lists, &fakes.services};
  actions::Action action;
};

TEST_F(AskingTest, TheEditBoxStoresWhatWasTypedWithItsPromptAmpersandsDoubled) {
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Owner(), 0x55u);
    EXPECT_EQ(ui.Text(kPrompt), L"Name of Tom && Jerry:");
    EXPECT_EQ(ui.Text(kAnswerEdit), L"");
    ui.Type(kAnswerEdit, L"Spike & Tyke");
    ui.Ok();
  });
  EXPECT_TRUE(AskText(L"Name of %who%:"));
  EXPECT_EQ(Answer(), L"Spike & Tyke");
  EXPECT_EQ(dialogs.Opened(), 1u);
}

TEST_F(AskingTest, CancellingTheEditBoxStoresTheEmptyText) {
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(kAnswerEdit, L"typed");
    ui.Cancel();
  });
  EXPECT_TRUE(AskText(L"?"));
  EXPECT_EQ(Answer(), L"");
}

TEST_F(AskingTest, TheComboBoxOffersTheExpandedChoicesSortedWithTheFirstChosen) {
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(kPrompt), L"Pick for Tom && Jerry");
    EXPECT_THAT(ui.Items(kChoiceList), ElementsAre(L"apple", L"Pear", L"Tom & Jerry"));
    EXPECT_EQ(ui.SelectedItem(kChoiceList), 0);
    ui.Ok();
  });
  EXPECT_TRUE(AskChoice(L"Pick for %who%", {L"Pear", L"%who%", L"apple"}));
  EXPECT_EQ(Answer(), L"apple");

  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Choose(kChoiceList, L"Tom & Jerry");
    ui.Ok();
  });
  EXPECT_TRUE(AskChoice(L"", {L"Pear", L"%who%", L"apple"}));
  EXPECT_EQ(Answer(), L"Tom & Jerry") << "choices keep their single ampersand";
}

TEST_F(AskingTest, CancelOrNoChoicesStoreTheEmptyText) {
  dialogs.Queue([](ScriptedSurface& ui) { ui.Cancel(); });
  EXPECT_TRUE(AskChoice(L"", {L"a", L"b"}));
  EXPECT_EQ(Answer(), L"");

  action.variables[1]->value = L"old";
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.Items(kChoiceList).empty());
    ui.Ok();
  });
  EXPECT_TRUE(AskChoice(L"", {}));
  EXPECT_EQ(Answer(), L"");
}

TEST_F(AskingTest, WithoutADialogRunnerTheAnswerIsEmpty) {
  fakes.services.dialogs = nullptr;
  EXPECT_TRUE(AskText(L"?"));
  EXPECT_EQ(Answer(), L"");
  action.variables[1]->value = L"old";
  EXPECT_TRUE(AskChoice(L"?", {L"a"}));
  EXPECT_EQ(Answer(), L"");
}

// The answer of one command is what the next one reads.
TEST_F(AskingTest, LaterCommandsOfTheRunSeeTheAnswer) {
  auto ask = std::make_unique<CmdEditBox>(&action);
  ask->Assign({L"Answer", L"Who?"});
  auto show = std::make_unique<CmdOkMsgBox>(&action);
  show->Assign({L"Hello %Answer%"});
  action.commands.push_back(std::move(ask));
  action.commands.push_back(std::move(show));
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(kAnswerEdit, L"Droopy");
    ui.Ok();
  });
  EXPECT_TRUE(actions::Run(action, run));
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].text, L"Hello Droopy");
}

}  // namespace
}  // namespace vendrel::commands
