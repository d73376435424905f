// The vault commands' editors: what they show, what OK hands back, and the file dialogs behind
// the generate editor's "->" buttons.
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "commands/vault/CGetFileDlgRes.h"
#include "commands/vault/CmdGenerateFile.h"
#include "commands/vault/CmdGetFile.h"
#include "commands/vault/CmdLockFile.h"
#include "commands/vault/CmdUnlockFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/posix/Answerers.h"
#include "platform/posix/Ui.h"
#include "tests/support/Commands.h"

namespace vendrel::commands {
namespace {

using platform::ScriptedSurface;

class VaultEditorsTest : public testing::ScriptedEditorTest {
 protected:
  VaultEditorsTest() { fakes.services.fileDialogs = &fileDialogs; }

  platform::RecordingAnswerer answerer;
  platform::AnsweredFileDialogs fileDialogs{answerer};
};

TEST_F(VaultEditorsTest, CheckOutAndCheckInTakeTheirTextsAndShowThePathAsSummary) {
  auto lock = Make<CmdLockFile>();
  lock->Assign({L"%RootFolderPath%\\a.txt"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.TemplateId(), 237);
    EXPECT_EQ(ui.Text(398), L"%RootFolderPath%\\a.txt");
    ui.Type(398, L"C:\\Vault\\b.txt");
    ui.Ok();
  });
  EXPECT_TRUE(lock->Edit(0));
  EXPECT_EQ(lock->Summary(), L"C:\\Vault\\b.txt");

  auto unlock = Make<CmdUnlockFile>();
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.TemplateId(), 238);
    ui.Type(404, L"C:\\Vault\\b.txt");
    ui.SetSelection(405, {0, 0});
    ui.AnswerMenu(101);
    ui.Click(306);
    ui.Ok();
  });
  EXPECT_TRUE(unlock->Edit(0));
  EXPECT_EQ(unlock->Values().comment, L"%NameOfLoggedInUser%");
  EXPECT_EQ(unlock->Summary(), L"C:\\Vault\\b.txt");
}

TEST_F(VaultEditorsTest, GetFileShowsItsFlagAsTheRadioIndex) {
  auto get = Make<CmdGetFile>();
  get->Assign({L"C:\\Vault\\a.txt", false});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.TemplateId(), IDD_GET_FILE);
    EXPECT_TRUE(ui.IsChecked(IDC_GET_FILE_IF_MISSING));
    EXPECT_FALSE(ui.IsChecked(IDC_GET_FILE_IF_EARLIER));
    ui.Check(IDC_GET_FILE_IF_EARLIER, true);
    ui.Ok();
  });
  EXPECT_TRUE(get->Edit(0));
  EXPECT_TRUE(get->Values().alsoIfEarlier);
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_TRUE(ui.IsChecked(IDC_GET_FILE_IF_EARLIER));
    ui.Cancel();
  });
  EXPECT_FALSE(get->Edit(0));
  EXPECT_TRUE(get->Values().alsoIfEarlier);
}

TEST_F(VaultEditorsTest, GenerateTakesPathsFlagsAndTheVariableAndBuildsTheSummary) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"out", actions::Variable::kRuntime));
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"fixed", actions::Variable::kStaticText));
  auto generate = Make<CmdGenerateFile>();
  generate->Assign({.outputFile = L"C:\\o.txt",
                    .templateFile = L"C:\\t.tpl",
                    .assignTo = L"",
                    .useCounter = 0,
                    .append = 7});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.TemplateId(), 221);
    EXPECT_EQ(ui.Text(288), L"C:\\t.tpl");
    EXPECT_EQ(ui.Text(286), L"C:\\o.txt");
    EXPECT_FALSE(ui.IsChecked(291));
    EXPECT_TRUE(ui.IsChecked(351)) << "any stored value but 0 is true";
    EXPECT_EQ(ui.Items(299), std::vector<std::wstring>{L"out"});
    EXPECT_EQ(ui.SelectedItem(299), -1);
    ui.Type(286, L"%DirOfSelectedFile%\\p.txt");
    ui.Check(291, true);
    ui.Check(351, false);
    ui.Choose(299, L"out");
    ui.Ok();
  });
  EXPECT_TRUE(generate->Edit(0));
  const CmdGenerateFile::Fields expected{.outputFile = L"%DirOfSelectedFile%\\p.txt",
                                         .templateFile = L"C:\\t.tpl",
                                         .assignTo = L"out",
                                         .useCounter = 1,
                                         .append = 0};
  EXPECT_EQ(generate->Values(), expected);
  EXPECT_EQ(generate->Summary(), L"C:\\t.tpl -> %DirOfSelectedFile%\\p.txt");
}

TEST_F(VaultEditorsTest, TheGenerateFileButtonsAskForAFileAndPutItBesideThem) {
  auto generate = Make<CmdGenerateFile>();
  generate->Assign({.outputFile = L"C:\\o.txt",
                    .templateFile = L"C:\\t.tpl",
                    .assignTo = L"",
                    .useCounter = 0,
                    .append = 0});
  answerer.QueueFile(L"D:\\Templates\\new.tpl");
  answerer.QueueFile(std::nullopt);
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Click(332);
    ui.Click(333);
    EXPECT_EQ(ui.Text(288), L"D:\\Templates\\new.tpl");
    EXPECT_EQ(ui.Text(286), L"C:\\o.txt") << "a cancelled dialog changes nothing";
    ui.Ok();
  });
  EXPECT_TRUE(generate->Edit(0x77));
  EXPECT_EQ(generate->Values().templateFile, L"D:\\Templates\\new.tpl");
  const auto& asked = answerer.FileDialogs();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].kind, platform::FileDialogKind::kOpen);
  EXPECT_EQ(asked[0].flags, 0x1006u);
  EXPECT_EQ(asked[1].flags, 0x1004u);
  EXPECT_EQ(asked[0].filter, L"All files (*.*) | *.*||");
  EXPECT_EQ(asked[0].defaultExtension, L"acn");
  EXPECT_NE(asked[0].owner, 0u) << "owned by the editor";
}

}  // namespace
}  // namespace vendrel::commands
