// Labels, jumps, the two loops and the cancel command, run by the runner over fake documents.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionArchive.h"
#include "actions/HexStringFile.h"
#include "actions/Runner.h"
#include "commands/core/CmdCancel.h"
#include "commands/core/CmdConfigLoop.h"
#include "commands/core/CmdDocumentLoop.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CmdLabel.h"
#include "platform/ScriptedDialogs.h"
#include "tests/core/FlowEditors.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::commands {
namespace {

using ::testing::ElementsAre;

// Writes down the document and configuration it runs for.
class Probe final : public Cmd {
 public:
  Probe(std::wstring tag, std::vector<std::wstring>& log)
      : Cmd(3), tag_(std::move(tag)), log_(log) {}
  bool Edit(platform::Window) override { return false; }
  bool Execute(actions::ActionData& run) override {
    const std::wstring* name = run.CurrentDocumentName();
    std::wstring entry = tag_ + L":" + (name ? *name : L"-");
    if (!run.currentConfiguration.empty()) entry += L"/" + run.currentConfiguration;
    log_.push_back(entry);
    return true;
  }

 private:
  std::wstring tag_;
  std::vector<std::wstring>& log_;
};

class FlowTest : public ::testing::Test {
 protected:
  FlowTest() {
    fakes.services.dialogs = &dialogs;
    vault->AddFolder(10, L"\\Parts");
    AddDocument(20, L"a.prt");
    AddDocument(21, L"b.prt");
    run.ResetCursors();
  }

  void AddDocument(std::int32_t id, const std::wstring& name) {
    auto file = vault->AddFile(id, name, 10);
    file->configurations = {L"Default", L"Long"};
    lists.names.push_back(name);
    lists.ids.push_back(id);
    lists.selected.push_back(true);
    lists.folderIds.push_back(10);
  }

  template <class Kind>
  Kind& Add() {
    action.commands.push_back(std::make_unique<Kind>(&action));
    action.commands.back()->SetServices(&fakes.services);
    return static_cast<Kind&>(*action.commands.back());
  }
  void AddProbe(const std::wstring& tag) {
    action.commands.push_back(std::make_unique<Probe>(tag, log));
  }
  // Labels and jumps are made as the administrator makes them: in their editors.
  CmdLabel& AddLabel(const std::wstring& name) {
    auto& label = Add<CmdLabel>();
    testing::EditLabel(label, dialogs, name);
    return label;
  }
  CmdJump& AddJump(const JumpCondition& condition) {
    auto& jump = Add<CmdJump>();
    testing::EditJump(jump, dialogs, condition);
    return jump;
  }
  void Run() { actions::Run(action, run); }

  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
  testing::FakeServices fakes;
  testing::StrictDialogRunner dialogs;
  actions::DocumentLists lists;
  actions::ActionData run{0, vault, lists, &fakes.services};
  actions::Action action;
  std::vector<std::wstring> log;
};

TEST_F(FlowTest, NestedDocumentLoopsRunTheInnerLoopWholeForEachOuterDocument) {
  Add<CmdAllDocuments>();
  AddProbe(L"outer");
  Add<CmdAllDocuments>();
  AddProbe(L"inner");
  Add<CmdEndAllDocuments>();
  Add<CmdEndAllDocuments>();
  AddProbe(L"after");
  Run();
  EXPECT_THAT(log, ElementsAre(L"outer:a.prt", L"inner:a.prt", L"inner:b.prt", L"outer:b.prt",
                               L"inner:a.prt", L"inner:b.prt", L"after:a.prt"));
}

TEST_F(FlowTest, ADocumentLoopRunsAgainWhenTheActionRunsAgain) {
  Add<CmdAllDocuments>();
  AddProbe(L"body");
  Add<CmdEndAllDocuments>();
  Run();
  Run();
  EXPECT_THAT(log, ElementsAre(L"body:a.prt", L"body:b.prt", L"body:a.prt", L"body:b.prt"));
}

TEST_F(FlowTest, ADocumentLoopOverNoDocumentsSkipsItsBody) {
  lists = {};
  run.ResetCursors();
  Add<CmdAllDocuments>();
  AddProbe(L"body");
  Add<CmdEndAllDocuments>();
  AddProbe(L"after");
  Run();
  EXPECT_THAT(log, ElementsAre(L"after:-"));
}

TEST_F(FlowTest, AConfigurationLoopVisitsEachConfigurationAndRestoresTheOldOne) {
  run.currentConfiguration = L"Before";
  Add<CmdAllConfigs>();
  AddProbe(L"body");
  Add<CmdEndAllConfigs>();
  AddProbe(L"after");
  Run();
  EXPECT_THAT(log, ElementsAre(L"body:a.prt/Default", L"body:a.prt/Long", L"after:a.prt/Before"));
}

TEST_F(FlowTest, ConfigurationLoopsInsideADocumentLoopStartAfreshForEachDocument) {
  vault->files[21]->configurations = {L"Short"};
  Add<CmdAllDocuments>();
  Add<CmdAllConfigs>();
  AddProbe(L"body");
  Add<CmdEndAllConfigs>();
  Add<CmdEndAllDocuments>();
  Run();
  EXPECT_THAT(log, ElementsAre(L"body:a.prt/Default", L"body:a.prt/Long", L"body:b.prt/Short"));
}

TEST_F(FlowTest, AConfigurationLoopWithoutEndEndsTheRunAfterItsLastPass) {
  AddLabel(L"again");
  Add<CmdAllConfigs>();
  AddProbe(L"body");
  AddJump({L"", L"", L"again", JumpCondition::kAlways, true});
  Run();
  EXPECT_THAT(log, ElementsAre(L"body:a.prt/Default", L"body:a.prt/Long"));
  EXPECT_FALSE(run.nextCommand);
}

TEST_F(FlowTest, AConfigurationLoopOverADocumentTheVaultLacksRunsNoPass) {
  lists.ids = {99, 98};
  Add<CmdAllConfigs>();
  AddProbe(L"body");
  Add<CmdEndAllConfigs>();
  AddProbe(L"after");
  Run();
  EXPECT_THAT(log, ElementsAre(L"after:a.prt"));
}

TEST_F(FlowTest, AnEndOfConfigurationsWithoutStartLetsTheRunGoOn) {
  AddProbe(L"before");
  auto& end = Add<CmdEndAllConfigs>();
  AddProbe(L"after");
  Run();
  EXPECT_THAT(log, ElementsAre(L"before:a.prt", L"after:a.prt"));
  run.currentAction = &action;
  run.nextCommand = 2;
  EXPECT_FALSE(end.Execute(run));
  EXPECT_EQ(run.nextCommand, actions::Position(2));
}

TEST_F(FlowTest, AJumpGoesToTheFirstLabelOfItsNameAfterItWrappingAroundTheEnd) {
  AddLabel(L"L");                                                        // 0
  AddProbe(L"one");                                                      // 1
  auto& jump = AddJump({L"", L"", L"L", JumpCondition::kAlways, true});  // 2
  AddProbe(L"two");                                                      // 3
  AddLabel(L"L");                                                        // 4
  AddProbe(L"three");                                                    // 5
  run.currentAction = &action;
  run.nextCommand = 3;
  EXPECT_TRUE(jump.Execute(run));
  EXPECT_EQ(run.nextCommand, actions::Position(5)) << "the label after the jump comes first";

  action.commands.erase(action.commands.begin() + 4);  // only the label before the jump is left
  run.nextCommand = 3;
  EXPECT_TRUE(jump.Execute(run));
  EXPECT_EQ(run.nextCommand, actions::Position(1));
}

TEST_F(FlowTest, AJumpToAMissingLabelOrALabelOfOtherCaseStaysPut) {
  AddLabel(L"End");
  auto& jump = AddJump({L"", L"", L"end", JumpCondition::kAlways, true});
  AddProbe(L"after");
  run.currentAction = &action;
  run.nextCommand = 2;
  EXPECT_FALSE(jump.Execute(run));
  EXPECT_EQ(run.nextCommand, actions::Position(2));
}

TEST_F(FlowTest, ANeverEditedJumpNeverJumps) {
  AddProbe(L"one");
  Add<CmdJump>();
  AddProbe(L"two");
  Run();
  EXPECT_THAT(log, ElementsAre(L"one:a.prt", L"two:a.prt"));
}

struct Comparison {
  std::wstring left;
  std::int32_t op;
  std::wstring right;
  bool ignoreCase;
  bool jumps;
};

void PrintTo(const Comparison& c, std::ostream* os) {
  *os << ::testing::PrintToString(c.left) << " op " << c.op << " "
      << ::testing::PrintToString(c.right) << (c.ignoreCase ? " ignoring case" : "");
}

class JumpComparisonTest : public FlowTest, public ::testing::WithParamInterface<Comparison> {};

TEST_P(JumpComparisonTest, DecidesAsTheUserExpects) {
  const Comparison& c = GetParam();
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"Left", actions::Variable::kStaticText, c.left));
  AddJump({L"%Left%", c.right, L"skip", c.op, c.ignoreCase});
  AddProbe(L"skipped");
  AddLabel(L"skip");
  Run();
  EXPECT_EQ(log.empty(), c.jumps);
}

INSTANTIATE_TEST_SUITE_P(
    Comparisons, JumpComparisonTest,
    ::testing::Values(
        Comparison{L"10", JumpCondition::kGreater, L"9", true, true},
        Comparison{L"9", JumpCondition::kGreater, L"10", true, false},
        Comparison{L"2.5", JumpCondition::kGreaterOrEqual, L"2.50", true, true},
        Comparison{L"abc", JumpCondition::kGreaterOrEqual, L"0", true, true},
        Comparison{L"abc", JumpCondition::kEquals, L"ABC", true, true},
        Comparison{L"abc", JumpCondition::kEquals, L"ABC", false, false},
        Comparison{L"abc", JumpCondition::kNotEqual, L"ABC", false, true},
        Comparison{L"abc", JumpCondition::kNotEqual, L"ABC", true, false},
        Comparison{L"C:\\Vault\\Parts\\a.prt", JumpCondition::kExistsInVault, L"", true, true},
        Comparison{L"C:\\Vault\\Parts", JumpCondition::kExistsInVault, L"", true, true},
        Comparison{L"C:\\Vault\\Parts\\z.prt", JumpCondition::kExistsInVault, L"", true, false}));

TEST_F(FlowTest, CancelTogglesItsSettingAndSetsTheVetoMarkFromIt) {
  auto& cancel = Add<CmdCancel>();
  run.currentAction = &action;
  action.vetoMark = true;
  cancel.Execute(run);
  EXPECT_FALSE(action.vetoMark) << "a cancel never edited refuses nothing";
  EXPECT_TRUE(cancel.Edit(0));
  EXPECT_EQ(cancel.Summary(), L"TRUE");
  cancel.Execute(run);
  EXPECT_TRUE(action.vetoMark);
  cancel.Edit(0);
  EXPECT_EQ(cancel.Summary(), L"FALSE");
  cancel.Execute(run);
  EXPECT_FALSE(action.vetoMark);
  cancel.Edit(0);
  EXPECT_EQ(cancel.Summary(), L"TRUE");
}

TEST_F(FlowTest, BlockCommandsNameTheirEndsWithoutADialog) {
  EXPECT_TRUE(Add<CmdAllDocuments>().Edit(0));
  EXPECT_TRUE(Add<CmdEndAllDocuments>().Edit(0));
  EXPECT_TRUE(Add<CmdAllConfigs>().Edit(0));
  EXPECT_TRUE(Add<CmdEndAllConfigs>().Edit(0));
  std::vector<std::wstring> summaries;
  for (const auto& command : action.commands) summaries.push_back(command->Summary());
  EXPECT_THAT(summaries, ElementsAre(L"Block START", L"Block END", L"Block START", L"Block END"));
}

TEST_F(FlowTest, EveryFlowKindComesBackFromTheArchiveWithItsSettings) {
  AddLabel(L"Top");
  AddJump({L"%Size%", L"10", L"Top", JumpCondition::kGreaterOrEqual, false});
  AddJump({L"C:\\Out\\*.txt", L"", L"Top", JumpCondition::kExistsLocal, true});
  Add<CmdAllDocuments>().Edit(0);
  Add<CmdEndAllDocuments>().Edit(0);
  Add<CmdAllConfigs>().Edit(0);
  Add<CmdEndAllConfigs>().Edit(0);
  Add<CmdCancel>().Edit(0);
  Add<CmdCancel>();

  actions::HexStringFile file;
  actions::Archive out(file, actions::Archive::Mode::kStore);
  actions::WriteAction(out, action);
  file.Seek(0, actions::File::Origin::kBegin);
  actions::Archive in(file, actions::Archive::Mode::kLoad);
  actions::Action loaded;
  actions::ReadAction(in, loaded, actions::kArchiveVersion, CreateCmd);

  ASSERT_EQ(loaded.commands.size(), action.commands.size());
  for (std::size_t i = 0; i < action.commands.size(); ++i) {
    EXPECT_EQ(loaded.commands[i]->TypeId(), action.commands[i]->TypeId()) << i;
    EXPECT_EQ(loaded.commands[i]->Summary(), action.commands[i]->Summary()) << i;
    EXPECT_EQ(loaded.commands[i]->GetName(), action.commands[i]->GetName()) << i;
    EXPECT_EQ(loaded.commands[i]->Owner(), &loaded) << i;
  }
  EXPECT_EQ(loaded.commands[1]->Summary(), L"IF %Size% >= 10 THEN GOTO Top");
  EXPECT_EQ(loaded.commands[2]->Summary(),
            L"IF C:\\Out\\*.txt EXISTS AS FILE  NO_CASE THEN GOTO Top");
  EXPECT_EQ(loaded.commands[7]->Summary(), L"TRUE");
  EXPECT_EQ(loaded.commands[8]->Summary(), L"");
}

}  // namespace
}  // namespace vendrel::commands
