// The file commands against the simulated vault and the posix file system over mapped drives.
#include <gtest/gtest.h>

#include <filesystem>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Runner.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "tests/support/DriveVault.h"

namespace vendrel::commands {
namespace {

namespace fs = std::filesystem;

class VaultFilesTest : public testing::DriveVaultTest {};

TEST_F(VaultFilesTest, CopyFetchesAVaultFileThatIsNotOnDiskAndOverwritesTheTarget) {
  AddToDocs(L"a.txt", "from the vault");
  ASSERT_TRUE(disk_.MakeWritable(L"C:\\Vault\\Docs\\a.txt"));
  ASSERT_TRUE(disk_.DeleteFile(L"C:\\Vault\\Docs\\a.txt"));
  Write(L"C:\\Backup\\a.txt", "old");

  CmdCopyFile copy(&action_);
  copy.Assign({L"C:\\Vault\\Docs\\a.txt", L"C:\\Backup\\"});
  EXPECT_TRUE(copy.Execute(*run_));
  EXPECT_EQ(Read(L"C:\\Backup\\a.txt"), "from the vault");
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\a.txt"), "from the vault");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, CopyIntoTheVaultAddsTheFileUnderItsNewName) {
  Write(L"C:\\Backup\\n.txt", "new");
  CmdCopyFile copy(&action_);
  copy.Assign({L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\renamed.txt"});
  EXPECT_TRUE(copy.Execute(*run_));
  EXPECT_TRUE(InVault(L"C:\\Vault\\Docs\\renamed.txt"));
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\renamed.txt"), "new");

  // The host refuses the empty name that a destination ending in a backslash gives.
  copy.Assign({L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\"});
  EXPECT_FALSE(copy.Execute(*run_));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].text.starts_with(L"Error copying file\n")) << Messages()[0].text;
}

TEST_F(VaultFilesTest, DeleteTakesTheReadOnlyLocalCopyOrTheVaultFile) {
  AddToDocs(L"a.txt", "a");
  AddToDocs(L"b.txt", "b");
  CmdDeleteFile deletion(&action_);
  deletion.Assign({L"C:\\Vault\\Docs\\a.txt", false});
  EXPECT_TRUE(deletion.Execute(*run_));
  EXPECT_FALSE(disk_.Attributes(L"C:\\Vault\\Docs\\a.txt"));
  EXPECT_TRUE(InVault(L"C:\\Vault\\Docs\\a.txt"));

  deletion.Assign({L"C:\\Vault\\Docs\\b.txt", true});
  EXPECT_TRUE(deletion.Execute(*run_));
  EXPECT_FALSE(InVault(L"C:\\Vault\\Docs\\b.txt"));
  EXPECT_FALSE(deletion.Execute(*run_));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, CreateFolderInsideAndOutsideTheVault) {
  CmdCreateFolder create(&action_);
  create.Assign({L"C:\\Vault\\Docs\\New"});
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(create.Execute(*run_));
  host::Ref<host::VaultFolder> added;
  EXPECT_EQ(session_->GetFolderFromPath(L"C:\\Vault\\Docs\\New", added), host::kOk);
  EXPECT_TRUE(fs::is_directory(Native(L"C:\\Vault\\Docs\\New")));

  create.Assign({L"C:\\Backup\\Local"});
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(fs::is_directory(Native(L"C:\\Backup\\Local")));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, MoveFileRenamesTheVaultFileInItsFolder) {
  AddToDocs(L"x.txt", "x");
  CmdMoveFile move(&action_);
  move.Assign({L"C:\\Vault\\Docs\\x.txt", L"D:\\elsewhere\\y.txt"});
  EXPECT_TRUE(move.Execute(*run_));
  EXPECT_TRUE(InVault(L"C:\\Vault\\Docs\\y.txt"));
  EXPECT_FALSE(InVault(L"C:\\Vault\\Docs\\x.txt"));
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\y.txt"), "x");
}

// One action backs up the selected file into a folder named after it and asks the host to
// refresh.
TEST_F(VaultFilesTest, AnActionRunsTheFileCommandsOnTheCurrentDocument) {
  AddToDocs(L"part.prt", "part");
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  ASSERT_EQ(session_->GetFileFromPath(L"C:\\Vault\\Docs\\part.prt", file, folder), host::kOk);
  std::int32_t fileId = 0;
  std::int32_t folderId = 0;
  file->Id(fileId);
  folder->Id(folderId);
  lists_.names = {L"part.prt"};
  lists_.ids = {fileId};
  lists_.selected = {true};
  lists_.folderIds = {folderId};
  run_->ResetCursors();

  auto create = std::make_unique<CmdCreateFolder>(&action_);
  create->Assign({L"C:\\Backup\\%NameOfSelectedFile%.old"});
  auto copy = std::make_unique<CmdCopyFile>(&action_);
  copy->Assign({L"%PathToSelectedFile%", L"C:\\Backup\\%NameOfSelectedFile%.old\\"});
  action_.commands.push_back(std::move(create));
  action_.commands.push_back(std::move(copy));

  EXPECT_TRUE(actions::Run(action_, *run_));
  EXPECT_EQ(Read(L"C:\\Backup\\part.prt.old\\part.prt"), "part");
  EXPECT_TRUE(action_.refreshMark);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace vendrel::commands
