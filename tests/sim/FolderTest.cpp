// Lookups by path, folders and files: what a client finds where.
#include "tests/sim/VaultFixture.h"
#include "tests/support/FakeServices.h"

namespace vendrel::sim::testing {
namespace {

using host::Ref;

TEST_F(VaultTest, FolderLookupTellsOutsideFromMissing) {
  Ref<host::VaultFolder> folder;
  EXPECT_EQ(alice->GetFolderFromPath(L"C:\\Vault", folder), host::kOk);
  EXPECT_EQ(alice->GetFolderFromPath(L"c:\\vault\\", folder), host::kOk);
  EXPECT_EQ(alice->GetFolderFromPath(L"C:\\Vault\\Nowhere", folder), host::kFolderNotFound);
  EXPECT_EQ(alice->GetFolderFromPath(L"C:\\Vaults", folder), host::kFalse);
  EXPECT_EQ(alice->GetFolderFromPath(L"D:\\Vault\\x", folder), host::kFalse);
  EXPECT_EQ(alice->GetFolderFromPath(L"", folder), host::kFalse);
}

TEST_F(VaultTest, FileLookupFindsFilesInSubFoldersRegardlessOfCase) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFolder> parts;
  ASSERT_EQ(root->AddFolder(0, L"Parts", 0, parts), host::kOk);
  Ref<host::VaultFile> added = Add(*parts, L"Bolt.txt", "M8");

  Ref<host::VaultFile> file;
  Ref<host::VaultFolder> folder;
  ASSERT_EQ(alice->GetFileFromPath(L"c:\\VAULT\\parts\\bolt.TXT", file, folder), host::kOk);
  EXPECT_EQ(IdOf(*file), IdOf(*added));
  EXPECT_EQ(IdOf(*folder), IdOf(*parts));
  std::wstring name;
  ASSERT_EQ(file->Name(name), host::kOk);
  EXPECT_EQ(name, L"Bolt.txt");

  EXPECT_EQ(alice->GetFileFromPath(L"C:\\Vault\\Parts\\Nut.txt", file, folder), host::kFalse)
      << "no such file in a vault folder: not a vault file, and no failure";
  EXPECT_EQ(alice->GetFileFromPath(L"C:\\Vault\\Gone\\Bolt.txt", file, folder),
            host::kFileNotFound);
  EXPECT_EQ(alice->GetFileFromPath(L"C:\\Elsewhere\\Bolt.txt", file, folder), host::kFalse);
}

TEST_F(VaultTest, AddedFolderHasPathNameAndLocalDirectory) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFolder> sub;
  ASSERT_EQ(root->AddFolder(0, L"Drawings", 0, sub), host::kOk);
  std::wstring path;
  ASSERT_EQ(sub->LocalPath(path), host::kOk);
  EXPECT_EQ(path, L"C:\\Vault\\Drawings");
  EXPECT_TRUE(std::filesystem::is_directory(Local(L"Drawings")));

  Ref<host::VaultFolder> again;
  EXPECT_EQ(root->AddFolder(0, L"drawings", 0, again), host::kNameAlreadyExists);
  // Refused as Windows refuses them.
  const std::vector<std::wstring> refused{L"a:b",  L"CON",      L"nul.txt",
                                          L"Com1", L"lpt9.log", L"aux .x",
                                          L"end.", L"end ",     std::wstring(251, L'x')};
  for (const std::wstring& name : refused)
    EXPECT_EQ(root->AddFolder(0, name, 0, again), host::kInvalidName) << name;
  EXPECT_EQ(root->AddFolder(0, L"console", 0, again), host::kOk);
  EXPECT_EQ(root->SubFolder(L"DRAWINGS", again), host::kOk);
  EXPECT_EQ(IdOf(*again), IdOf(*sub));
  EXPECT_EQ(root->SubFolder(L"Models", again), host::kFolderNotFound);
}

TEST_F(VaultTest, FolderEnumeratesItsFilesAndSubFoldersByName) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFolder> b, a;
  ASSERT_EQ(root->AddFolder(0, L"B", 0, b), host::kOk);
  ASSERT_EQ(root->AddFolder(0, L"A", 0, a), host::kOk);
  Add(*root, L"z.txt", "z");
  Add(*root, L"m.txt", "m");
  Add(*a, L"inner.txt", "i");

  std::vector<Ref<host::VaultFile>> files;
  ASSERT_EQ(root->Files(files), host::kOk);
  ASSERT_EQ(files.size(), 2u);
  std::wstring name;
  files[0]->Name(name);
  EXPECT_EQ(name, L"m.txt");
  std::vector<Ref<host::VaultFolder>> folders;
  ASSERT_EQ(root->SubFolders(folders), host::kOk);
  ASSERT_EQ(folders.size(), 2u);
  folders[0]->Name(name);
  EXPECT_EQ(name, L"A");

  // A listed file keeps the name it was listed with, as a host's objects do, until renamed
  // through itself.
  Ref<host::VaultFile> other;
  Ref<host::VaultFolder> parent;
  ASSERT_EQ(alice->GetFileFromPath(L"C:\\Vault\\z.txt", other, parent), host::kOk);
  ASSERT_EQ(other->Rename(0, L"y.txt", 0), host::kOk);
  files[1]->Name(name);
  EXPECT_EQ(name, L"z.txt");
  ASSERT_EQ(files[0]->Rename(0, L"n.txt", 0), host::kOk);
  files[0]->Name(name);
  EXPECT_EQ(name, L"n.txt");
  other->Name(name);
  EXPECT_EQ(name, L"y.txt");
}

TEST_F(VaultTest, AddFileStoresVersionOneAndLeavesAReadOnlyLocalCopy) {
  vendrel::testing::FixedClock clock;
  vault->UseClock(clock);
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFile> file = Add(*root, L"sheet.txt", "first");
  EXPECT_EQ(FileText(Local(L"sheet.txt")), "first");
  EXPECT_TRUE(ReadOnly(Local(L"sheet.txt")));

  std::int32_t version = 0;
  ASSERT_EQ(file->CurrentVersion(version), host::kOk);
  EXPECT_EQ(version, 1);
  std::vector<host::VersionInfo> history;
  ASSERT_EQ(file->VersionHistory(history), host::kOk);
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].user, L"alice");
  EXPECT_EQ(history[0].time.serial, platform::FromCivil(clock.now));

  Ref<host::VaultFile> twice;
  EXPECT_EQ(root->AddFile(0, L"C:\\Vault\\sheet.txt", L"SHEET.txt", 1, twice),
            host::kNameAlreadyExists);
  EXPECT_EQ(root->AddFile(0, L"C:\\Temp\\missing.txt", L"other.txt", 1, twice),
            host::kFileNotFound);
  EXPECT_EQ(root->AddFile(0, L"C:\\Vault\\sheet.txt", L"", 1, twice), host::kInvalidName);
}

TEST_F(VaultTest, AFileWrittenInsideTheVaultFolderIsAddedInPlace) {
  WriteNative(Local(L"made.txt"), "generated");
  Ref<host::VaultFile> file;
  ASSERT_EQ(Folder(*alice, L"C:\\Vault")->AddFile(0, L"C:\\Vault\\made.txt", L"made.txt", 1, file),
            host::kOk);
  EXPECT_EQ(FileText(Local(L"made.txt")), "generated");
  EXPECT_TRUE(ReadOnly(Local(L"made.txt")));
}

TEST_F(VaultTest, GetObjectFindsFilesAndFoldersById) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFile> file = Add(*root, L"a.txt", "a");
  // A menu item with an id below 2 names a folder, so files never get one.
  EXPECT_EQ(IdOf(*file), 2);
  Ref<host::VaultObject> object;
  ASSERT_EQ(alice->GetObject(host::ObjectKind::kFile, IdOf(*file), object), host::kOk);
  Ref<host::VaultFolder> asFolder;
  EXPECT_EQ(object->QueryFolder(asFolder), host::kNoInterface);
  ASSERT_EQ(alice->GetObject(host::ObjectKind::kFolder, IdOf(*root), object), host::kOk);
  EXPECT_EQ(object->QueryFolder(asFolder), host::kOk);
  EXPECT_EQ(alice->GetObject(host::ObjectKind::kFile, 999, object), host::kFileNotFound);
  EXPECT_EQ(alice->GetObject(host::ObjectKind::kFolder, 999, object), host::kFolderNotFound);
}

TEST_F(VaultTest, DeleteRemovesTheFileAndItsLocalCopy) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFile> file = Add(*root, L"old.txt", "x");
  const std::int32_t id = IdOf(*file);
  Ref<host::VaultFolder> other;
  ASSERT_EQ(root->AddFolder(0, L"Other", 0, other), host::kOk);
  EXPECT_EQ(other->DeleteFile(0, id, 1), host::kFileNotFound);

  ASSERT_EQ(root->DeleteFile(0, id, 1), host::kOk);
  EXPECT_FALSE(std::filesystem::exists(Local(L"old.txt")));
  Ref<host::VaultObject> object;
  EXPECT_EQ(alice->GetObject(host::ObjectKind::kFile, id, object), host::kFileNotFound);
  std::wstring name;
  EXPECT_EQ(file->Name(name), host::kFileNotFound);
}

TEST_F(VaultTest, RenameChangesTheNameInTheVaultAndOnDisk) {
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  Ref<host::VaultFile> file = Add(*root, L"draft.txt", "d");
  Add(*root, L"taken.txt", "t");
  EXPECT_EQ(file->Rename(0, L"Taken.txt", 1), host::kNameAlreadyExists);
  EXPECT_EQ(file->Rename(0, L"bad|name", 1), host::kInvalidName);
  ASSERT_EQ(file->Rename(0, L"final.txt", 1), host::kOk);
  EXPECT_FALSE(std::filesystem::exists(Local(L"draft.txt")));
  EXPECT_EQ(FileText(Local(L"final.txt")), "d");
  EXPECT_EQ(IdOf(*File(*alice, L"C:\\Vault\\final.txt")), IdOf(*file));
}

TEST_F(VaultTest, LoginNeedsAKnownUserAndAComputer) {
  Ref<host::VaultSession> session;
  EXPECT_EQ(vault->Login(L"mallory", L"PC1", session), host::kNotLoggedIn);
  EXPECT_EQ(vault->Login(L"bob", L"", session), host::kInvalidArg);
  ASSERT_EQ(vault->Login(L"BOB", L"PC2", session), host::kOk);
  Ref<host::VaultUserDirectory> directory;
  ASSERT_EQ(session->UserDirectory(directory), host::kOk);
  Ref<host::VaultUser> user;
  ASSERT_EQ(directory->LoggedInUser(user), host::kOk);
  std::wstring name;
  user->Name(name);
  EXPECT_EQ(name, L"bob");
  std::int32_t id = 0;
  user->Id(id);
  EXPECT_GE(id, 2) << "ids 0 and 1 read as nobody";
}

}  // namespace
}  // namespace vendrel::sim::testing
