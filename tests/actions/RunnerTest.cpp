// The runner: block check with message 157, the prepare pass, and the next-command position.
#include "actions/Runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/RunObserver.h"
#include "commands/core/Cmd.h"
#include "tests/support/FakeServices.h"

namespace vendrel::actions {
namespace {

// A command kind for tests: records its calls and may move the next-command position.
class ScriptedCmd : public commands::Cmd {
 public:
  using Step = std::function<void(ActionData&)>;
  ScriptedCmd(std::int32_t typeId, std::wstring tag, std::vector<std::wstring>& log, Step step)
      : Cmd(typeId), tag_(std::move(tag)), log_(log), step_(std::move(step)) {}

  bool Edit(platform::Window) override { return false; }
  bool Execute(ActionData& run) override {
    log_.push_back(L"run " + tag_);
    if (step_) step_(run);
    return true;
  }
  void PrepareRun() override { log_.push_back(L"prepare " + tag_); }

 private:
  std::wstring tag_;
  std::vector<std::wstring>& log_;
  Step step_;
};

constexpr std::int32_t kPlain = 3;
constexpr std::int32_t kStart = 4;
constexpr std::int32_t kEnd = 5;

class RunnerTest : public ::testing::Test {
 protected:
  void Add(std::int32_t typeId, const wchar_t* tag, ScriptedCmd::Step step = {}) {
    action.commands.push_back(std::make_unique<ScriptedCmd>(typeId, tag, log, std::move(step)));
  }

  testing::FakeServices fakes;
  DocumentLists lists;
  ActionData run{42, nullptr, lists, &fakes.services};
  Action action;
  std::vector<std::wstring> log;
};

TEST_F(RunnerTest, AnEmptyActionPassesAndRunsNothing) {
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
  EXPECT_EQ(run.currentAction, &action);
}

TEST_F(RunnerTest, AnEndBeforeAnyStartFailsAtOnceWithItsCounts) {
  Add(kEnd, L"end");
  Add(kStart, L"start");
  EXPECT_FALSE(actions::Run(action, run));
  EXPECT_TRUE(log.empty());
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  const auto& box = fakes.messageBoxes.shown[0];
  EXPECT_EQ(box.text,
            L"Mismatch error.\n There are 0 start blocks and 1 end blocks in this action.");
  EXPECT_EQ(box.caption, L"Vendrel");
  EXPECT_EQ(box.style, platform::mb::kOk | platform::mb::kIconExclamation);
  EXPECT_EQ(box.owner, 42u);
}

TEST_F(RunnerTest, MissingEndsAreCountedOverTheWholeList) {
  Add(kStart, L"s1");
  Add(kStart, L"s2");
  Add(kEnd, L"e1");
  EXPECT_FALSE(BlockCheck(action, run));
  ASSERT_EQ(fakes.messageBoxes.shown.size(), 1u);
  EXPECT_NE(fakes.messageBoxes.shown[0].text.find(L"There are 2 start blocks and 1 end blocks"),
            std::wstring::npos);
}

TEST_F(RunnerTest, AllConfigurationBlocksTakeNoPartInTheCheck) {
  Add(20, L"configs");
  Add(kStart, L"s");
  Add(kEnd, L"e");
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
  EXPECT_EQ(log, (std::vector<std::wstring>{L"prepare configs", L"prepare s", L"prepare e",
                                            L"run configs", L"run s", L"run e"}));
}

TEST_F(RunnerTest, EveryCommandIsPreparedOnceBeforeAnyRunsEvenWhenSkipped) {
  Add(kPlain, L"a", [](ActionData& r) { r.nextCommand = 2; });
  Add(kPlain, L"skipped");
  Add(kPlain, L"c");
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"prepare a", L"prepare skipped", L"prepare c",
                                            L"run a", L"run c"}));
}

TEST_F(RunnerTest, ACommandThatKeepsItsOwnPositionRunsUntilItMovesOn) {
  int passes = 0;
  Add(kPlain, L"loop", [&passes](ActionData& r) {
    EXPECT_EQ(r.nextCommand, Position(1));  // already past this command
    if (++passes < 5) r.nextCommand = 0;
  });
  Add(kPlain, L"after");
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(passes, 5);
  EXPECT_EQ(log.back(), L"run after");
  EXPECT_EQ(std::count(log.begin(), log.end(), L"prepare loop"), 1);
}

TEST_F(RunnerTest, ClearingThePositionEndsTheRun) {
  Add(kPlain, L"stop", [](ActionData& r) { r.nextCommand.reset(); });
  Add(kPlain, L"never");
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(log.back(), L"run stop");
}

TEST_F(RunnerTest, AJumpBackwardsRepeatsTheCommandsInBetween) {
  int round = 0;
  Add(kPlain, L"first");
  Add(kPlain, L"second", [&round](ActionData& r) {
    if (++round < 2) r.nextCommand = 0;
  });
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"prepare first", L"prepare second", L"run first",
                                            L"run second", L"run first", L"run second"}));
}

TEST_F(RunnerTest, EachRunPreparesAgain) {
  Add(kPlain, L"a");
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(std::count(log.begin(), log.end(), L"prepare a"), 2);
}

// Writes what it hears as lines.
class LogObserver : public RunObserver {
 public:
  explicit LogObserver(std::vector<std::wstring>& log) : log_(log) {}
  void RunStarted(const Action& action, const ActionData&) override {
    log_.push_back(L"start " + action.name);
  }
  void RunEnded(const Action&, const ActionData&, bool ran) override {
    log_.push_back(ran ? L"ended" : L"refused");
  }
  void CommandStarted(const commands::Cmd&, std::size_t index, const ActionData&) override {
    log_.push_back(L"command " + std::to_wstring(index));
  }
  void CommandEnded(const commands::Cmd&, std::size_t index, bool, const ActionData&) override {
    log_.push_back(L"done " + std::to_wstring(index));
  }
  void TextExpanded(const std::wstring&, const std::wstring&) override {}
  void MarkSet(ActionMark mark, const Action&, std::size_t index) override {
    log_.push_back((mark == ActionMark::kVeto ? L"veto at " : L"refresh at ") +
                   std::to_wstring(index));
  }

 private:
  std::vector<std::wstring>& log_;
};

TEST_F(RunnerTest, AnObserverHearsCommandsInRunOrderAndEachMarkWhenItIsSet) {
  LogObserver observer(log);
  run.observer = &observer;
  action.name = L"backup";
  Add(kPlain, L"a", [](ActionData& r) { r.currentAction->refreshMark = true; });
  Add(kPlain, L"b", [](ActionData& r) {
    r.currentAction->refreshMark = true;  // already set: not news
    r.currentAction->vetoMark = true;
    if (r.runCounter++ == 0) r.nextCommand = 0;
  });
  EXPECT_TRUE(actions::Run(action, run));
  EXPECT_EQ(log,
            (std::vector<std::wstring>{L"start backup", L"prepare a", L"prepare b", L"command 0",
                                       L"run a", L"refresh at 0", L"done 0", L"command 1", L"run b",
                                       L"veto at 1", L"done 1", L"command 0", L"run a", L"done 0",
                                       L"command 1", L"run b", L"done 1", L"ended"}));
}

TEST_F(RunnerTest, AnObserverHearsARefusedRun) {
  LogObserver observer(log);
  run.observer = &observer;
  Add(kEnd, L"end");
  EXPECT_FALSE(actions::Run(action, run));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"start ", L"refused"}));
}

}  // namespace
}  // namespace vendrel::actions
