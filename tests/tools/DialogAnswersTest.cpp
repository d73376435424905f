// The reference host's answer lines applied to the run-time dialogs of actions.
#include "tools/vendrel/DialogAnswers.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "admin/CSelectCmdDlg.h"
#include "admin/CSelectCmdDlgRes.h"
#include "commands/prompts/CRunComboBoxDlg.h"
#include "commands/prompts/CRunEditBoxDlg.h"

namespace vendrel::tools {
namespace {

class DialogAnswersTest : public ::testing::Test {
 protected:
  // Answers from `lines`, as a file (retry false) or a person (retry true) gives them.
  void Answer(std::deque<std::string> lines, bool retry) {
    lines_ = std::move(lines);
    answers_ = std::make_unique<DialogAnswers>(
        [this](const std::string& asked,
               const std::string& controls) -> std::optional<std::string> {
          asked_.push_back(asked);
          controls_ = controls;
          if (lines_.empty()) return std::nullopt;
          std::string line = lines_.front();
          lines_.pop_front();
          return line;
        },
        retry, notes_, trace_);
  }

  std::int32_t Run(platform::Dialog& dialog) {
    platform::ScriptedDialogRunner runner(
        nullptr, [this](platform::ScriptedSurface& surface) { answers_->Answer(surface); });
    return runner.Run(dialog, 0);
  }

  std::deque<std::string> lines_;
  std::vector<std::string> asked_;
  std::string controls_;
  std::ostringstream notes_;
  Trace trace_{nullptr};
  std::unique_ptr<DialogAnswers> answers_;
};

TEST_F(DialogAnswersTest, APlainLineIsTheAnswerAndStepsFillInAnyControl) {
  Answer({"Bob Smith", "C", "text 273 typed", "text 273 ok", "ok", "cancel"}, false);
  commands::CRunEditBoxDlg name(L"Your name?");
  EXPECT_EQ(Run(name), platform::kIdOk);
  EXPECT_EQ(name.Answer(), L"Bob Smith");
  commands::CRunComboBoxDlg pick(L"Which?", {L"C", L"A", L"B"});
  EXPECT_EQ(Run(pick), platform::kIdOk);
  EXPECT_EQ(pick.Answer(), L"C");
  EXPECT_EQ(asked_.back(), "\"Which?\" choices: A | B | C");
  // A word that is a step keyword goes in through the step form.
  commands::CRunEditBoxDlg word(L"Word?");
  EXPECT_EQ(Run(word), platform::kIdOk);
  EXPECT_EQ(word.Answer(), L"ok");
  commands::CRunEditBoxDlg cancelled(L"Again?");
  EXPECT_EQ(Run(cancelled), platform::kIdCancel);
  EXPECT_EQ(cancelled.Answer(), L"");
  EXPECT_EQ(notes_.str(), "");
}

TEST_F(DialogAnswersTest, OtherDialogsAreNamedByTheirCaptionsAndListTheirControls) {
  const std::string kChoose = "choose " + std::to_string(IDC_SELECT_CMD_KINDS) + " Label";
  std::ostringstream live;
  Trace trace(&live);
  answers_ = std::make_unique<DialogAnswers>(
      [this, &kChoose](const std::string& asked,
                       const std::string& controls) -> std::optional<std::string> {
        asked_.push_back(asked);
        controls_ = controls;
        return asked_.size() == 1 ? kChoose : "";
      },
      true, notes_, trace);
  admin::CSelectCmdDlg select;
  EXPECT_EQ(Run(select), platform::kIdOk);
  EXPECT_EQ(asked_.front(), "\"Select command\"");
  const std::string kinds = "   " + std::to_string(IDC_SELECT_CMD_KINDS) + " drop-down list\n";
  EXPECT_NE(controls_.find(kinds), std::string::npos) << controls_;
  EXPECT_NE(controls_.find("   1 button \"OK\"\n"), std::string::npos) << controls_;
  EXPECT_EQ(live.str(),
            "  dialog \"Select command\" -> " + kChoose + "\n  dialog \"Select command\" -> ok\n");
}

TEST_F(DialogAnswersTest, AnEmptyLinePressesOkAsTheDialogOpened) {
  Answer({""}, true);
  commands::CRunComboBoxDlg pick(L"Which?", {L"B", L"A"});
  EXPECT_EQ(Run(pick), platform::kIdOk);
  EXPECT_EQ(pick.Answer(), L"A");  // the first in sorted order is chosen on opening
}

TEST_F(DialogAnswersTest, ALineThatDoesNotFitCancelsAFileButAsksAPersonAgain) {
  Answer({"D", "B"}, false);
  commands::CRunComboBoxDlg fromFile(L"Which?", {L"A", L"B"});
  EXPECT_EQ(Run(fromFile), platform::kIdCancel);
  EXPECT_EQ(notes_.str(), "answer \"D\" does not fit the \"Which?\" choices: A | B; cancelled\n");
  // The line was used up: the next dialog takes the next one.
  commands::CRunComboBoxDlg next(L"Which?", {L"A", L"B"});
  EXPECT_EQ(Run(next), platform::kIdOk);
  EXPECT_EQ(next.Answer(), L"B");

  notes_.str("");
  Answer({"D", "B"}, true);
  commands::CRunComboBoxDlg fromPerson(L"Which?", {L"A", L"B"});
  EXPECT_EQ(Run(fromPerson), platform::kIdOk);
  EXPECT_EQ(fromPerson.Answer(), L"B");
  EXPECT_EQ(notes_.str(), "\"D\" does not fit this dialog; try again\n");
}

TEST_F(DialogAnswersTest, WithoutAnswersTheDialogIsCancelledWithANote) {
  Answer({}, false);
  commands::CRunEditBoxDlg name(L"Your name?");
  EXPECT_EQ(Run(name), platform::kIdCancel);
  EXPECT_EQ(notes_.str(), "no answer for the \"Your name?\"; cancelled\n");
}

class MissingControlTest : public DialogAnswersTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingControlTest, AStepNamingAControlTheDialogLacksDoesNotFit) {
  Answer({GetParam()}, false);
  admin::CSelectCmdDlg select;
  EXPECT_EQ(Run(select), platform::kIdCancel);
  EXPECT_EQ(answers_->Misfits(), 1u);
  EXPECT_EQ(notes_.str(), "answer \"" + std::string(GetParam()) +
                              "\" names control 999, which the dialog \"Select command\" lacks "
                              "(vendrel dialogs 302 lists its controls); cancelled\n");
}

INSTANTIATE_TEST_SUITE_P(EachStepKind, MissingControlTest,
                         ::testing::Values("click 999", "text 999 x", "check 999", "uncheck 999",
                                           "choose 999 x", "row 999 0", "rows 999", "select 999 x",
                                           "double 999 0"));

}  // namespace
}  // namespace vendrel::tools
