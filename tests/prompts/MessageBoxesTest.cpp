// The OK and yes/no message boxes at run time: expansion, owner, and the stored answer.
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/prompts/CmdOkMsgBox.h"
#include "commands/prompts/CmdYesNoBox.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using platform::Answer;

class MessageBoxesTest : public ::testing::Test {
 protected:
  MessageBoxesTest() {
    run.currentAction = &action;
    action.variables.push_back(
        std::make_unique<Variable>(L"who", Variable::kStaticText, L"Tom & Jerry"));
    action.variables.push_back(std::make_unique<Variable>(L"Answer", Variable::kRuntime));
  }

  const std::wstring& Answer() const { return action.variables[1]->value; }
  bool AskYesNo(platform::Answer reply, CmdYesNoBox::Fields fields) {
    fakes.messageBoxes.answers = {reply};
    CmdYesNoBox command(&action);
    command.Assign(std::move(fields));
    return command.Execute(run);
  }

  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{0x77, vault, lists, &fakes.services};
  actions::Action action;
};

TEST_F(MessageBoxesTest, TheOkBoxShowsTheExpandedTextWithItsAmpersandAsItIs) {
  CmdOkMsgBox command(&action);
  command.Assign({L"Hello %who%\r\nbye"});
  EXPECT_TRUE(command.Execute(run));
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  const platform::MessageBoxRequest& box = fakes.messageBoxes.shown[0];
  EXPECT_EQ(box.owner, 0x77u);
  EXPECT_EQ(box.text, L"Hello Tom & Jerry\r\nbye");
  EXPECT_EQ(box.caption, L"Vendrel");
  EXPECT_EQ(box.style, platform::mb::kOk);
}

TEST_F(MessageBoxesTest, YesAndNoStoreTheirValuesAsWritten) {
  EXPECT_TRUE(AskYesNo(Answer::kYes, {L"Answer", L"Copy %who%?", L"%who%", L"no"}));
  EXPECT_EQ(Answer(), L"%who%") << "answers are not expanded";
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  const platform::MessageBoxRequest& box = fakes.messageBoxes.shown[0];
  EXPECT_EQ(box.text, L"Copy Tom & Jerry?");
  EXPECT_EQ(box.owner, 0x77u);
  EXPECT_EQ(box.caption, L"Vendrel");
  EXPECT_EQ(box.style, platform::mb::kYesNo);

  EXPECT_TRUE(AskYesNo(Answer::kNo, {L"Answer", L"", L"y", L"n"}));
  EXPECT_EQ(Answer(), L"n");
  // Whatever else closes the box counts as no.
  EXPECT_TRUE(AskYesNo(Answer::kCancel, {L"Answer", L"", L"y", L"n2"}));
  EXPECT_EQ(Answer(), L"n2");
}

TEST_F(MessageBoxesTest, WithNobodyToAskTheAnswerIsNo) {
  fakes.services.messageBoxes = nullptr;
  EXPECT_TRUE(AskYesNo(Answer::kYes, {L"Answer", L"?", L"y", L"n"}));
  EXPECT_EQ(Answer(), L"n");
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
}

TEST_F(MessageBoxesTest, WithoutALiveOwnerTheQuestionIsSystemModal) {
  run.ownerWindow = 0;
  EXPECT_TRUE(AskYesNo(Answer::kYes, {L"Answer", L"?", L"y", L"n"}));
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].owner, 0u);
  EXPECT_EQ(fakes.messageBoxes.shown[0].style, platform::mb::kYesNo | platform::mb::kSystemModal);
  EXPECT_EQ(Answer(), L"y");
}

TEST_F(MessageBoxesTest, AnAnswerForAVariableTheActionLacksIsDropped) {
  EXPECT_TRUE(AskYesNo(Answer::kYes, {L"answer", L"?", L"y", L"n"}));
  EXPECT_EQ(Answer(), L"") << "names match case-sensitively";
  EXPECT_EQ(action.variables[0]->value, L"Tom & Jerry");
}

}  // namespace
}  // namespace vendrel::commands
