// The file commands' editors: they show the stored texts, and OK hands back what was typed.
#include <gtest/gtest.h>

#include "actions/Action.h"
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
#include "tests/support/Commands.h"

namespace vendrel::commands {
namespace {

using platform::ScriptedSurface;

using FileEditorsTest = testing::ScriptedEditorTest;

TEST_F(FileEditorsTest, CopyFileShowsBothPathsAndOkTakesTheTypedOnes) {
  auto copy = Make<CmdCopyFile>();
  copy->Assign({L"%PathToSelectedFile%", L"C:\\Backup\\"});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Owner(), 0x42u);
    EXPECT_EQ(ui.Text(IDC_COPY_FILE_SOURCE), L"%PathToSelectedFile%");
    EXPECT_EQ(ui.Text(IDC_COPY_FILE_DESTINATION), L"C:\\Backup\\");
    ui.Type(IDC_COPY_FILE_DESTINATION, L"D:\\Out\\b.txt");
    ui.Ok();
  });
  EXPECT_TRUE(copy->Edit(0x42));
  EXPECT_EQ(copy->Values().destination, L"D:\\Out\\b.txt");
  EXPECT_EQ(copy->Summary(), L"%PathToSelectedFile% => D:\\Out\\b.txt");
}

// Each "->" button inserts into the edit beside it, at the caret.
TEST_F(FileEditorsTest, TheArrowButtonsInsertVariablesIntoTheirOwnField) {
  auto copy = Make<CmdCopyFile>();
  copy->Assign({L"C:\\a.txt", L"C:\\Out\\"});
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.SetSelection(IDC_COPY_FILE_DESTINATION, {8, 8});
    ui.AnswerMenu(actions::Variable::kSelectedFileName);
    ui.Click(IDC_COPY_FILE_DESTINATION_MENU);
    ASSERT_EQ(ui.Menus().size(), 1u);
    EXPECT_EQ(ui.Menus()[0].anchor, IDC_COPY_FILE_DESTINATION_MENU);
    ui.Ok();
  });
  EXPECT_TRUE(copy->Edit(0));
  EXPECT_EQ(copy->Values().source, L"C:\\a.txt");
  EXPECT_EQ(copy->Values().destination, L"C:\\Out\\%NameOfSelectedFile%");
}

TEST_F(FileEditorsTest, CancelLeavesFieldsAndSummaryAlone) {
  auto move = Make<CmdMoveFile>();
  move->Assign({L"a", L"b"});
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_MOVE_FILE_SOURCE, L"changed");
    ui.Cancel();
  });
  EXPECT_FALSE(move->Edit(0));
  EXPECT_EQ(move->Values().source, L"a");
  EXPECT_EQ(move->Summary(), L"a -> b");
}

TEST_F(FileEditorsTest, EachEditorHandsBackItsOwnControls) {
  auto move = Make<CmdMoveFile>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_MOVE_FILE_SOURCE, L"C:\\a\\x.txt");
    ui.Type(IDC_MOVE_FILE_NEW_NAME, L"y.txt");
    ui.Ok();
  });
  EXPECT_TRUE(move->Edit(0));
  EXPECT_EQ(move->Summary(), L"C:\\a\\x.txt -> y.txt");

  auto create = Make<CmdCreateFolder>();
  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Type(IDC_CREATE_FOLDER_PATH, L"C:\\Vault\\%p%");
    ui.Ok();
  });
  EXPECT_TRUE(create->Edit(0));
  EXPECT_EQ(create->Values().path, L"C:\\Vault\\%p%");
  EXPECT_EQ(create->Summary(), L"C:\\Vault\\%p%");

  auto moveFolder = Make<CmdMoveFolder>();
  moveFolder->Assign({L"C:\\old", L""});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_MOVE_FOLDER_OLD), L"C:\\old");
    ui.Type(IDC_MOVE_FOLDER_NEW, L"C:\\new");
    ui.Ok();
  });
  EXPECT_TRUE(moveFolder->Edit(0));
  EXPECT_EQ(moveFolder->Summary(), L"C:\\old -> C:\\new");
}

TEST_F(FileEditorsTest, DeleteFileShowsAndTakesTheVaultCheckBox) {
  auto deletion = Make<CmdDeleteFile>();
  deletion->Assign({L"C:\\t.tmp", true});
  dialogs.Queue([](ScriptedSurface& ui) {
    EXPECT_EQ(ui.Text(IDC_DELETE_FILE_PATH), L"C:\\t.tmp");
    EXPECT_TRUE(ui.IsChecked(IDC_DELETE_FILE_FROM_VAULT));
    ui.Check(IDC_DELETE_FILE_FROM_VAULT, false);
    ui.Ok();
  });
  EXPECT_TRUE(deletion->Edit(0));
  EXPECT_FALSE(deletion->Values().fromVault);
  EXPECT_EQ(deletion->Summary(), L"DELETE C:\\t.tmp");

  dialogs.Queue([](ScriptedSurface& ui) {
    ui.Check(IDC_DELETE_FILE_FROM_VAULT, true);
    ui.Ok();
  });
  EXPECT_TRUE(deletion->Edit(0));
  EXPECT_EQ(deletion->Summary(), L"DELETE C:\\t.tmp FROM_VAULT");
}

TEST_F(FileEditorsTest, WithoutADialogRunnerNothingChanges) {
  CmdCopyFile copy(&action);
  copy.Assign({L"a", L"b"});
  EXPECT_FALSE(copy.Edit(0));
  EXPECT_EQ(copy.Summary(), L"a => b");
}

}  // namespace
}  // namespace vendrel::commands
