// The file commands against the simulated vault and the posix file system over mapped drives.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "actions/Runner.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "platform/posix/FileSystem.h"
#include "sim/SimVault.h"
#include "tests/support/FakeServices.h"

namespace vendrel::commands {
namespace {

namespace fs = std::filesystem;

// A drive C: in a temporary folder, the vault's local view at C:\Vault, and the folders
// C:\Vault\Docs and C:\Backup. The simulated host finds files outside the vault through the
// platform's drive mapping, which VENDREL_DRIVES points at the same folder.
class VaultFilesTest : public ::testing::Test {
 protected:
  VaultFilesTest()
      : drives_(fs::temp_directory_path() /
                ("vendrel-files-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)))),
        disk_(platform::posix::DriveMap(drives_)) {
    if (const char* previous = std::getenv("VENDREL_DRIVES")) previousDrives_ = previous;
    setenv("VENDREL_DRIVES", drives_.c_str(), 1);
    fs::create_directories(drives_ / "c" / "Backup");
    sim::VaultSettings settings;
    settings.localFolder = drives_ / "c" / "Vault";
    vault_ = sim::SimVault::CreateInMemory(settings);
    vault_->AddUser(L"alice");
    EXPECT_EQ(vault_->Login(L"alice", L"PC1", session_), host::kOk);
    host::Ref<host::VaultFolder> root;
    EXPECT_EQ(session_->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
    EXPECT_EQ(root->AddFolder(0, L"Docs", 0, docs_), host::kOk);
    fakes_.services.files = &disk_;
    run_ = std::make_unique<actions::ActionData>(0x10, session_, lists_, &fakes_.services);
    run_->currentAction = &action_;
  }
  ~VaultFilesTest() override {
    run_.reset();
    vault_.reset();
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(drives_, ec))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(drives_, ec);
    if (previousDrives_)
      setenv("VENDREL_DRIVES", previousDrives_->c_str(), 1);
    else
      unsetenv("VENDREL_DRIVES");
  }

  fs::path Native(const std::wstring& windowsPath) const {
    return platform::posix::DriveMap(drives_).ToNative(windowsPath);
  }
  void Write(const std::wstring& windowsPath, const std::string& content) {
    fs::create_directories(Native(windowsPath).parent_path());
    std::ofstream(Native(windowsPath), std::ios::binary) << content;
  }
  std::string Read(const std::wstring& windowsPath) const {
    std::ifstream in(Native(windowsPath), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Adds a file to Docs from a local file outside the vault.
  void AddToDocs(const std::wstring& name, const std::string& content) {
    Write(L"C:\\In\\" + name, content);
    host::Ref<host::VaultFile> file;
    ASSERT_EQ(docs_->AddFile(0, L"C:\\In\\" + name, name, 1, file), host::kOk);
  }
  bool InVault(const std::wstring& path) {
    host::Ref<host::VaultFile> file;
    host::Ref<host::VaultFolder> folder;
    return session_->GetFileFromPath(path, file, folder) == host::kOk;
  }
  std::vector<platform::MessageBoxRequest>& Messages() { return fakes_.messageBoxes.shown; }

  fs::path drives_;
  std::optional<std::string> previousDrives_;
  platform::posix::PosixFileSystem disk_;
  std::unique_ptr<sim::SimVault> vault_;
  host::Ref<host::VaultSession> session_;
  host::Ref<host::VaultFolder> docs_;
  testing::FakeServices fakes_;
  actions::DocumentLists lists_;
  std::unique_ptr<actions::ActionData> run_;
  actions::Action action_;
};

TEST_F(VaultFilesTest, CopyFetchesAVaultFileThatIsNotOnDiskAndOverwritesTheTarget) {
  AddToDocs(L"a.txt", "from the vault");
  ASSERT_TRUE(disk_.MakeWritable(L"C:\\Vault\\Docs\\a.txt"));
  ASSERT_TRUE(disk_.DeleteFile(L"C:\\Vault\\Docs\\a.txt"));
  Write(L"C:\\Backup\\a.txt", "old");

  CmdCopyFile copy(&action_);
  copy.Assign(L"C:\\Vault\\Docs\\a.txt", L"C:\\Backup\\");
  EXPECT_TRUE(copy.Execute(*run_));
  EXPECT_EQ(Read(L"C:\\Backup\\a.txt"), "from the vault");
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\a.txt"), "from the vault");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, CopyIntoTheVaultAddsTheFileUnderItsNewName) {
  Write(L"C:\\Backup\\n.txt", "new");
  CmdCopyFile copy(&action_);
  copy.Assign(L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\renamed.txt");
  EXPECT_TRUE(copy.Execute(*run_));
  EXPECT_TRUE(InVault(L"C:\\Vault\\Docs\\renamed.txt"));
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\renamed.txt"), "new");

  // The host refuses the empty name that a destination ending in a backslash gives.
  copy.Assign(L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\");
  EXPECT_FALSE(copy.Execute(*run_));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].text.starts_with(L"Error copying file\n")) << Messages()[0].text;
}

TEST_F(VaultFilesTest, DeleteTakesTheReadOnlyLocalCopyOrTheVaultFile) {
  AddToDocs(L"a.txt", "a");
  AddToDocs(L"b.txt", "b");
  CmdDeleteFile deletion(&action_);
  deletion.Assign(L"C:\\Vault\\Docs\\a.txt", false);
  EXPECT_TRUE(deletion.Execute(*run_));
  EXPECT_FALSE(disk_.Attributes(L"C:\\Vault\\Docs\\a.txt"));
  EXPECT_TRUE(InVault(L"C:\\Vault\\Docs\\a.txt"));

  deletion.Assign(L"C:\\Vault\\Docs\\b.txt", true);
  EXPECT_TRUE(deletion.Execute(*run_));
  EXPECT_FALSE(InVault(L"C:\\Vault\\Docs\\b.txt"));
  EXPECT_FALSE(deletion.Execute(*run_));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, CreateFolderInsideAndOutsideTheVault) {
  CmdCreateFolder create(&action_);
  create.Assign(L"C:\\Vault\\Docs\\New");
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(create.Execute(*run_));
  host::Ref<host::VaultFolder> added;
  EXPECT_EQ(session_->GetFolderFromPath(L"C:\\Vault\\Docs\\New", added), host::kOk);
  EXPECT_TRUE(fs::is_directory(Native(L"C:\\Vault\\Docs\\New")));

  create.Assign(L"C:\\Backup\\Local");
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(create.Execute(*run_));
  EXPECT_TRUE(fs::is_directory(Native(L"C:\\Backup\\Local")));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VaultFilesTest, MoveFileRenamesTheVaultFileInItsFolder) {
  AddToDocs(L"x.txt", "x");
  CmdMoveFile move(&action_);
  move.Assign(L"C:\\Vault\\Docs\\x.txt", L"D:\\elsewhere\\y.txt");
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
  create->Assign(L"C:\\Backup\\%NameOfSelectedFile%.old");
  auto copy = std::make_unique<CmdCopyFile>(&action_);
  copy->Assign(L"%PathToSelectedFile%", L"C:\\Backup\\%NameOfSelectedFile%.old\\");
  action_.commands.push_back(std::move(create));
  action_.commands.push_back(std::move(copy));

  EXPECT_TRUE(actions::Run(action_, *run_));
  EXPECT_EQ(Read(L"C:\\Backup\\part.prt.old\\part.prt"), "part");
  EXPECT_TRUE(action_.refreshMark);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace vendrel::commands
