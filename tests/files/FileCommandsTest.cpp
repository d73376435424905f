// The five file commands against an in-memory disk and a vault that records what it is asked.
#include <gtest/gtest.h>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/files/CmdCopyFile.h"
#include "commands/files/CmdCreateFolder.h"
#include "commands/files/CmdDeleteFile.h"
#include "commands/files/CmdMoveFile.h"
#include "commands/files/CmdMoveFolder.h"
#include "tests/files/FileFakes.h"
#include "tests/support/FakeServices.h"

namespace vendrel::commands {
namespace {

using actions::Variable;
using testing::MemoryFileSystem;

constexpr platform::Window kOwner = 0x1234;
constexpr host::HostWindow kHostOwner = 0x1234;

std::wstring HostText(host::HResult code) {
  return L"host text " + std::to_wstring(static_cast<std::uint32_t>(code));
}

// The vault lies at C:\Vault with the folders Docs (id 2, the notification's folder) and
// Docs\Sub (id 3); Docs holds a.txt (id 20), present on disk. C:\Backup is a local folder.
class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() {
    fakes.services.files = &disk;
    root = vault->AddRecordingFolder(1, L"");
    docs = vault->AddRecordingFolder(2, L"\\Docs");
    sub = vault->AddRecordingFolder(3, L"\\Docs\\Sub");
    docs->subFolders.push_back(sub);
    file = vault->AddRecordingFile(20, L"a.txt", 2);
    for (const wchar_t* folder :
         {L"C:\\Vault", L"C:\\Vault\\Docs", L"C:\\Vault\\Docs\\Sub", L"C:\\Backup", L"C:\\Work"}) {
      disk.AddDirectory(folder);
    }
    disk.AddFile(L"C:\\Vault\\Docs\\a.txt", L"vault copy");
    run.notificationFolderId = 2;
    run.currentAction = &action;
    action.variables.push_back(
        std::make_unique<Variable>(L"backup", Variable::kStaticText, L"C:\\Backup"));
  }

  // The one message box shown, with the caption and icon every file command uses.
  std::wstring OnlyMessage() const {
    const auto& shown = fakes.messageBoxes.shown;
    if (shown.size() != 1) return L"<" + std::to_wstring(shown.size()) + L" messages>";
    EXPECT_EQ(shown[0].owner, kOwner);
    EXPECT_EQ(shown[0].caption, L"Vendrel");
    EXPECT_EQ(shown[0].style, 0x30u);
    return shown[0].text;
  }
  std::wstring Content(const std::wstring& path) const {
    const MemoryFileSystem::Entry* entry = disk.Find(path);
    return entry == nullptr ? L"<missing>" : entry->content;
  }

  host::Ref<testing::RecordingVault> vault = host::MakeRef<testing::RecordingVault>();
  host::Ref<testing::RecordingFolder> root, docs, sub;
  host::Ref<testing::RecordingFile> file;
  MemoryFileSystem disk;
  testing::FakeServices fakes;
  actions::DocumentLists lists;
  actions::ActionData run{kOwner, vault, lists, &fakes.services};
  actions::Action action;
};

bool Copy(actions::ActionData& run, const std::wstring& source, const std::wstring& destination) {
  CmdCopyFile command(run.currentAction);
  command.Assign({source, destination});
  return command.Execute(run);
}

TEST_F(FileCommandsTest, CopyIntoALocalFolderEndingInABackslashKeepsTheFileName) {
  EXPECT_TRUE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"%backup%\\"));
  EXPECT_EQ(Content(L"C:\\Backup\\a.txt"), L"vault copy");
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
  EXPECT_TRUE(action.refreshMark);
  EXPECT_TRUE(file->localCopies.empty()) << "the file was on disk already";
}

TEST_F(FileCommandsTest, CopyOverwritesAnExistingLocalFile) {
  disk.AddFile(L"C:\\Backup\\old.txt", L"old");
  EXPECT_TRUE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"C:\\Backup\\OLD.txt"));
  EXPECT_EQ(Content(L"C:\\Backup\\old.txt"), L"vault copy");
}

TEST_F(FileCommandsTest, CopyOfAVaultFileMissingOnDiskFetchesALocalCopyFirst) {
  disk.DeleteFile(L"C:\\Vault\\Docs\\a.txt");
  file->fetchInto = &disk;
  EXPECT_TRUE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"C:\\Backup\\b.txt"));
  ASSERT_EQ(file->localCopies.size(), 1u);
  const auto& request = file->localCopies[0];
  EXPECT_EQ(request.window, kHostOwner);
  EXPECT_EQ(host::KindOf(request.version), host::ValueKind::kEmpty);
  EXPECT_EQ(request.where, host::Value(std::wstring(L"C:\\Vault\\Docs\\a.txt")));
  EXPECT_EQ(request.flags, 1);
  EXPECT_EQ(request.text, L"");
  EXPECT_EQ(Content(L"C:\\Backup\\b.txt"), L"fetched");
}

TEST_F(FileCommandsTest, BareNamesComeFromTheNotificationFolderAndGoToTheCurrentDirectory) {
  EXPECT_TRUE(Copy(run, L"a.txt", L"b.txt"));
  EXPECT_EQ(Content(L"C:\\Work\\b.txt"), L"vault copy");

  // A current directory that does not fit 260 characters is not used.
  disk.currentDirectory = L"C:\\" + std::wstring(257, L'x');
  EXPECT_FALSE(Copy(run, L"a.txt", L"c.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error copying file : C:\\Vault\\Docs\\a.txt\nsystem text 3");
}

TEST_F(FileCommandsTest, CopyIntoAVaultFolderAddsTheFileThroughTheHost) {
  disk.AddFile(L"C:\\Backup\\n.txt", L"new");
  EXPECT_TRUE(Copy(run, L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\Sub\\renamed.txt"));
  // Inside the vault the name after the last backslash goes to the host as it is, empty too.
  EXPECT_TRUE(Copy(run, L"C:\\Backup\\n.txt", L"C:\\Vault\\Docs\\Sub\\"));
  ASSERT_EQ(sub->addedFiles.size(), 2u);
  EXPECT_EQ(sub->addedFiles[0].window, kHostOwner);
  EXPECT_EQ(sub->addedFiles[0].first, L"C:\\Backup\\n.txt");
  EXPECT_EQ(sub->addedFiles[0].second, L"renamed.txt");
  EXPECT_EQ(sub->addedFiles[0].flags, 1);
  EXPECT_EQ(sub->addedFiles[1].second, L"");
  EXPECT_EQ(disk.Find(L"C:\\Vault\\Docs\\Sub\\renamed.txt"), nullptr)
      << "the host, not the command, puts the file on disk";
}

TEST_F(FileCommandsTest, CopyFailuresAreReportedAndStillMarkForRefresh) {
  EXPECT_FALSE(Copy(run, L"C:\\Backup\\none.txt", L"C:\\Backup\\x.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error copying file : C:\\Backup\\none.txt\nsystem text 2");
  EXPECT_TRUE(action.refreshMark);

  fakes.messageBoxes.shown.clear();
  sub->addFileResult = host::kFileIsLocked;
  EXPECT_FALSE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"C:\\Vault\\Docs\\Sub\\a.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error copying file\n" + HostText(host::kFileIsLocked));

  // A success other than S_OK is a failure too.
  fakes.messageBoxes.shown.clear();
  sub->addFileResult = host::kFalse;
  EXPECT_FALSE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"C:\\Vault\\Docs\\Sub\\a.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error copying file\n" + HostText(host::kFalse));
}

TEST_F(FileCommandsTest, AVaultFolderTheHostDoesNotYieldIsReportedAsAMissingObject) {
  EXPECT_FALSE(Copy(run, L"C:\\Vault\\Docs\\a.txt", L"C:\\Vault\\Gone\\a.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error copying file\n" + HostText(host::kPointer));
}

bool Rename(actions::ActionData& run, const std::wstring& source, const std::wstring& name) {
  CmdMoveFile command(run.currentAction);
  command.Assign({source, name});
  return command.Execute(run);
}

TEST_F(FileCommandsTest, MoveFileRenamesALocalFileInsideItsOwnFolder) {
  disk.AddDirectory(L"C:\\a");
  disk.AddFile(L"C:\\a\\x.txt", L"x");
  EXPECT_TRUE(Rename(run, L"C:\\a\\x.txt", L"D:\\b\\y.txt"));
  EXPECT_EQ(Content(L"C:\\a\\y.txt"), L"x");
  EXPECT_EQ(disk.Find(L"C:\\a\\x.txt"), nullptr);

  EXPECT_FALSE(Rename(run, L"C:\\a\\x.txt", L"z.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error renaming file");
}

TEST_F(FileCommandsTest, MoveFileRenamesAVaultFileThroughTheHost) {
  EXPECT_TRUE(Rename(run, L"C:\\Vault\\Docs\\a.txt", L"%backup%\\b.txt"));
  ASSERT_EQ(file->renames.size(), 1u);
  EXPECT_EQ(file->renames[0].window, kHostOwner);
  EXPECT_EQ(file->renames[0].newName, L"b.txt");
  EXPECT_EQ(file->renames[0].flags, 1);
  EXPECT_TRUE(action.refreshMark);
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
}

TEST_F(FileCommandsTest, AFailedVaultRenameShowsTheHostTextAndLeavesTheRefreshMark) {
  file->renameResult = host::kFileNotLockedByYou;
  EXPECT_FALSE(Rename(run, L"C:\\Vault\\Docs\\a.txt", L"b.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error renaming file\n" + HostText(host::kFileNotLockedByYou));
  EXPECT_FALSE(action.refreshMark);

  fakes.messageBoxes.shown.clear();
  EXPECT_FALSE(Rename(run, L"C:\\Vault\\Docs\\none.txt", L"b.txt"));
  EXPECT_EQ(OnlyMessage(), L"Error renaming file\n" + HostText(host::kFileNotFound));
}

bool Delete(actions::ActionData& run, const std::wstring& path, bool fromVault) {
  CmdDeleteFile command(run.currentAction);
  command.Assign({path, fromVault});
  return command.Execute(run);
}

TEST_F(FileCommandsTest, DeleteRemovesAReadOnlyLocalFile) {
  disk.AddFile(L"C:\\Backup\\ro.txt", L"", true);
  EXPECT_TRUE(Delete(run, L"%backup%\\ro.txt", false));
  EXPECT_EQ(disk.Find(L"C:\\Backup\\ro.txt"), nullptr);
  EXPECT_TRUE(action.refreshMark);
}

TEST_F(FileCommandsTest, DeleteOfAMissingFileFailsWithoutAMessage) {
  EXPECT_FALSE(Delete(run, L"C:\\Backup\\none.txt", false));
  EXPECT_FALSE(Delete(run, L"C:\\Vault\\Docs\\none.txt", true));
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
  EXPECT_FALSE(action.refreshMark);
}

TEST_F(FileCommandsTest, DeleteFromTheVaultAsksTheFilesFolder) {
  EXPECT_TRUE(Delete(run, L"C:\\Vault\\Docs\\a.txt", true));
  ASSERT_EQ(docs->deletedFiles.size(), 1u);
  EXPECT_EQ(docs->deletedFiles[0].window, kHostOwner);
  EXPECT_EQ(docs->deletedFiles[0].fileId, 20);
  EXPECT_EQ(docs->deletedFiles[0].flags, 1);
  EXPECT_NE(disk.Find(L"C:\\Vault\\Docs\\a.txt"), nullptr) << "the local file is the host's";
  EXPECT_TRUE(action.refreshMark);

  // Only a negative answer is a failure, and it stays silent.
  action.refreshMark = false;
  docs->files.push_back(file);
  docs->deleteResult = host::kFalse;
  EXPECT_TRUE(Delete(run, L"C:\\Vault\\Docs\\a.txt", true));
  docs->deleteResult = host::kPermissionDenied;
  action.refreshMark = false;
  EXPECT_FALSE(Delete(run, L"C:\\Vault\\Docs\\a.txt", true));
  EXPECT_FALSE(action.refreshMark);
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());
}

bool CreateFolder(actions::ActionData& run, const std::wstring& path) {
  CmdCreateFolder command(run.currentAction);
  command.Assign({path});
  return command.Execute(run);
}

TEST_F(FileCommandsTest, CreateFolderOutsideTheVault) {
  EXPECT_TRUE(CreateFolder(run, L"%backup%\\New"));
  ASSERT_NE(disk.Find(L"C:\\Backup\\New"), nullptr);
  EXPECT_TRUE(disk.Find(L"C:\\Backup\\New")->directory);
  // An existing path, even a file, is left alone and counts as done.
  disk.AddFile(L"C:\\Backup\\f", L"keep");
  EXPECT_TRUE(CreateFolder(run, L"C:\\Backup\\new"));
  EXPECT_TRUE(CreateFolder(run, L"C:\\Backup\\f"));
  EXPECT_EQ(Content(L"C:\\Backup\\f"), L"keep");
  EXPECT_TRUE(fakes.messageBoxes.shown.empty());

  EXPECT_FALSE(CreateFolder(run, L"C:\\Nowhere\\New"));
  EXPECT_EQ(OnlyMessage(), L"Error creating folder");
}

TEST_F(FileCommandsTest, CreateFolderInsideTheVaultAddsOnlyMissingSubFolders) {
  EXPECT_TRUE(CreateFolder(run, L"C:\\Vault\\Docs\\SUB"));
  EXPECT_TRUE(docs->addedFolders.empty());
  EXPECT_FALSE(action.refreshMark);

  EXPECT_TRUE(CreateFolder(run, L"C:\\Vault\\Docs\\New"));
  ASSERT_EQ(docs->addedFolders.size(), 1u);
  EXPECT_EQ(docs->addedFolders[0].window, kHostOwner);
  EXPECT_EQ(docs->addedFolders[0].first, L"New");
  EXPECT_EQ(docs->addedFolders[0].flags, 0);
  EXPECT_TRUE(action.refreshMark);
  EXPECT_EQ(disk.Find(L"C:\\Vault\\Docs\\New"), nullptr) << "the host makes the local folder";

  // A bare name goes into the notification's folder.
  EXPECT_TRUE(CreateFolder(run, L"Other"));
  ASSERT_EQ(docs->addedFolders.size(), 2u);
  EXPECT_EQ(docs->addedFolders[1].first, L"Other");
}

TEST_F(FileCommandsTest, CreateFolderReportsTheHostsFailures) {
  docs->addFolderResult = host::kPermissionDenied;
  EXPECT_FALSE(CreateFolder(run, L"C:\\Vault\\Docs\\New"));
  EXPECT_EQ(OnlyMessage(), L"Error creating folder\n" + HostText(host::kPermissionDenied));
  EXPECT_FALSE(action.refreshMark);

  fakes.messageBoxes.shown.clear();
  EXPECT_FALSE(CreateFolder(run, L"C:\\Vault\\Missing\\New"));
  EXPECT_EQ(OnlyMessage(), L"Error creating folder\n" + HostText(host::kPointer));
}

TEST_F(FileCommandsTest, MoveFolderMovesLocallyAndNeverMarksForRefresh) {
  disk.AddDirectory(L"C:\\Backup\\Old");
  disk.AddFile(L"C:\\Backup\\Old\\in.txt", L"in");
  CmdMoveFolder command(&action);
  command.Assign({L"%backup%\\Old", L"C:\\Work\\Moved"});
  EXPECT_TRUE(command.Execute(run));
  EXPECT_EQ(Content(L"C:\\Work\\Moved\\in.txt"), L"in");
  EXPECT_FALSE(action.refreshMark);

  EXPECT_FALSE(command.Execute(run));
  EXPECT_EQ(OnlyMessage(), L"Error moving/renaming folder");
}

}  // namespace
}  // namespace vendrel::commands
