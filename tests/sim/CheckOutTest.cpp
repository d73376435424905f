// Check out, check in, undo and local copies, with the conflicts between clients.
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/Sqlite.h"
#include "sim/Store.h"
#include "tests/sim/VaultFixture.h"

namespace vendrel::sim::testing {
namespace {

using host::Ref;

class CheckOutTest : public VaultTest {
 protected:
  void SetUp() override {
    VaultTest::SetUp();
    root = Folder(*alice, L"C:\\Vault");
    ASSERT_EQ(root->AddFolder(0, L"Shared", 0, shared), host::kOk);
    file = Add(*root, L"part.txt", "v1");
    rootId = IdOf(*root);
  }

  Ref<host::VaultFolder> root;
  Ref<host::VaultFolder> shared;
  Ref<host::VaultFile> file;
  std::int32_t rootId = 0;
};

TEST_F(CheckOutTest, CheckOutMakesTheLocalCopyWritableAndRecordsWhoHasIt) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  EXPECT_FALSE(ReadOnly(Local(L"part.txt")));
  host::CheckOutInfo info;
  ASSERT_EQ(file->CheckOutState(info), host::kOk);
  EXPECT_GE(info.userId, 2);
  EXPECT_EQ(info.userName, L"alice");
  EXPECT_EQ(info.folderId, rootId);
  EXPECT_EQ(info.computer, L"PC1");
  EXPECT_EQ(info.path, L"\\\\PC1\\C:\\Vault\\part.txt");
  // Checking out again from the same place changes nothing.
  EXPECT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
}

TEST_F(CheckOutTest, CheckInStoresANewVersionWithUserAndComment) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  WriteNative(Local(L"part.txt"), "v2");
  ASSERT_EQ(file->CheckIn(0, L"thicker", 0, 0), host::kOk);
  EXPECT_TRUE(ReadOnly(Local(L"part.txt")));

  std::int32_t version = 0;
  ASSERT_EQ(file->CurrentVersion(version), host::kOk);
  EXPECT_EQ(version, 2);
  std::vector<host::VersionInfo> history;
  ASSERT_EQ(file->VersionHistory(history), host::kOk);
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[1].version, 2);
  EXPECT_EQ(history[1].comment, L"thicker");
  EXPECT_EQ(history[1].user, L"alice");
  EXPECT_LE(history[0].time.serial, history[1].time.serial);
  host::CheckOutInfo info;
  ASSERT_EQ(file->CheckOutState(info), host::kOk);
  EXPECT_EQ(info.userId, 0);
  EXPECT_EQ(file->CheckIn(0, L"again", 0, 0), host::kFileNotLockedByYou);
}

TEST_F(CheckOutTest, AnAddWithFlagsZeroStaysCheckedOutToTheAdderUntilItsCheckIn) {
  WriteNative(Local(L"Shared\\new.txt"), "draft");
  Ref<host::VaultFile> added;
  ASSERT_EQ(shared->AddFile(0, L"C:\\Vault\\Shared\\new.txt", L"new.txt", 0, added), host::kOk);
  EXPECT_FALSE(ReadOnly(Local(L"Shared\\new.txt")));
  host::CheckOutInfo info;
  ASSERT_EQ(added->CheckOutState(info), host::kOk);
  EXPECT_EQ(info.userName, L"alice");
  EXPECT_EQ(info.folderId, IdOf(*shared));
  EXPECT_EQ(info.path, L"\\\\PC1\\C:\\Vault\\Shared\\new.txt");
  EXPECT_EQ(File(*Login(L"bob", L"PC1"), L"C:\\Vault\\Shared\\new.txt")->CheckOut(0, 0, 0),
            host::kLockedByAnotherUser);

  WriteNative(Local(L"Shared\\new.txt"), "final");
  ASSERT_EQ(added->CheckIn(0, L"done", 0, 0), host::kOk);
  EXPECT_TRUE(ReadOnly(Local(L"Shared\\new.txt")));
  std::vector<host::VersionInfo> history;
  ASSERT_EQ(added->VersionHistory(history), host::kOk);
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[1].comment, L"done");
}

TEST_F(CheckOutTest, UndoCheckOutRestoresTheLatestVersion) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  WriteNative(Local(L"part.txt"), "scrap");
  ASSERT_EQ(file->UndoCheckOut(0, 0), host::kOk);
  EXPECT_EQ(FileText(Local(L"part.txt")), "v1");
  EXPECT_TRUE(ReadOnly(Local(L"part.txt")));
  std::int32_t version = 0;
  file->CurrentVersion(version);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(file->UndoCheckOut(0, 0), host::kFileNotLockedByYou);
}

TEST_F(CheckOutTest, AnotherUserCanNeitherCheckOutNorCheckIn) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  Ref<host::VaultSession> bob = Login(L"bob", L"PC1");
  Ref<host::VaultFile> bobs = File(*bob, L"C:\\Vault\\part.txt");
  EXPECT_EQ(bobs->CheckOut(rootId, 0, 0), host::kLockedByAnotherUser);
  EXPECT_EQ(bobs->CheckIn(0, L"", 0, 0), host::kLockedByAnotherUser);
  EXPECT_EQ(bobs->UndoCheckOut(0, 0), host::kLockedByAnotherUser);
  EXPECT_EQ(bobs->Rename(0, L"mine.txt", 0), host::kLockedByAnotherUser);
  EXPECT_EQ(Folder(*bob, L"C:\\Vault")->DeleteFile(0, IdOf(*bobs), 1), host::kLockedByAnotherUser);
}

TEST_F(CheckOutTest, TheSameUserOnAnotherComputerIsRefused) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  Ref<host::VaultSession> laptop = Login(L"alice", L"LAPTOP");
  Ref<host::VaultFile> there = File(*laptop, L"C:\\Vault\\part.txt");
  EXPECT_EQ(there->CheckOut(rootId, 0, 0), host::kLockedOnOtherComputer);
  EXPECT_EQ(there->CheckIn(0, L"", 0, 0), host::kLockedOnOtherComputer);
  // Computer names compare without regard to case, as Windows names do.
  Ref<host::VaultSession> same = Login(L"alice", L"pc1");
  EXPECT_EQ(File(*same, L"C:\\Vault\\part.txt")->CheckIn(0, L"ok", 0, 0), host::kOk);
}

TEST_F(CheckOutTest, AFileCheckedOutInOneFolderIsRefusedInAnother) {
  vault->ShareFile(IdOf(*file), IdOf(*shared));
  ASSERT_TRUE(std::filesystem::exists(Local(L"Shared\\part.txt")));
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  Ref<host::VaultFile> viaShare = File(*alice, L"C:\\Vault\\Shared\\part.txt");
  EXPECT_EQ(IdOf(*viaShare), IdOf(*file));
  EXPECT_EQ(viaShare->CheckOut(IdOf(*shared), 0, 0), host::kLockedInOtherFolder);
  EXPECT_EQ(viaShare->CheckIn(0, L"", 0, 0), host::kLockedInOtherFolder);
  EXPECT_EQ(file->CheckIn(0, L"", 0, 0), host::kOk);
  // A folder the file is not in cannot hold its check-out.
  Ref<host::VaultFolder> empty;
  ASSERT_EQ(root->AddFolder(0, L"Empty", 0, empty), host::kOk);
  EXPECT_EQ(file->CheckOut(IdOf(*empty), 0, 0), host::kFolderNotFound);
}

TEST_F(CheckOutTest, LocalCopyGetsTheLatestOrAGivenVersion) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  WriteNative(Local(L"part.txt"), "v2");
  ASSERT_EQ(file->CheckIn(0, L"", 0, 0), host::kOk);
  std::filesystem::permissions(Local(L"part.txt"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  std::filesystem::remove(Local(L"part.txt"));

  ASSERT_EQ(file->GetLocalCopy(0, host::Value(), host::Value(rootId), 1, L""), host::kOk);
  EXPECT_EQ(FileText(Local(L"part.txt")), "v2");
  EXPECT_TRUE(ReadOnly(Local(L"part.txt")));
  ASSERT_EQ(file->GetLocalCopy(0, host::Value(std::int32_t{1}),
                               host::Value(std::wstring(L"C:\\Vault\\part.txt")), 1, L""),
            host::kOk);
  EXPECT_EQ(FileText(Local(L"part.txt")), "v1");
  EXPECT_EQ(file->GetLocalCopy(0, host::Value(std::int32_t{7}), host::Value(), 1, L""),
            host::kInvalidArg);
}

// The bytes of a check-in rolled back stay in the contents file unnamed; later versions still
// read their own.
TEST_F(CheckOutTest, AVersionRolledBackLeavesTheOthersReadingTheirOwnBytes) {
  {
    platform::Transaction rolledBack = vault->Batch();
    ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
    WriteNative(Local(L"part.txt"), "lost and longer");
    ASSERT_EQ(file->CheckIn(0, L"", 0, 0), host::kOk);
  }
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  WriteNative(Local(L"part.txt"), "v2");
  ASSERT_EQ(file->CheckIn(0, L"", 0, 0), host::kOk);
  for (const auto& [version, text] : {std::pair{1, "v1"}, std::pair{2, "v2"}}) {
    ASSERT_EQ(
        file->GetLocalCopy(0, host::Value(std::int32_t{version}), host::Value(rootId), 1, L""),
        host::kOk);
    EXPECT_EQ(FileText(Local(L"part.txt")), text);
  }
}

// Versions kept in one write beyond the size synced in the background meanwhile: each reads
// back its own bytes once the write commits.
TEST_F(CheckOutTest, VersionsOfOneLongWriteReadBackTheirOwnBytes) {
  const auto text = [](char fill) { return std::string(5 << 20, fill) + fill; };
  {
    platform::Transaction batch = vault->Batch();
    for (const char fill : {'a', 'b', 'c', 'd'}) {
      ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
      WriteNative(Local(L"part.txt"), text(fill));
      ASSERT_EQ(file->CheckIn(0, L"", 0, 0), host::kOk);
    }
    batch.Commit();
  }
  for (const auto& [version, fill] : {std::pair{2, 'a'}, std::pair{3, 'b'}, std::pair{5, 'd'}}) {
    ASSERT_EQ(
        file->GetLocalCopy(0, host::Value(std::int32_t{version}), host::Value(rootId), 1, L""),
        host::kOk);
    EXPECT_EQ(FileText(Local(L"part.txt")), text(fill));
  }
}

// A vault on disk keeps its versions' bytes beside its database, and none of a failed write:
// reopened, it reads them back; with that file cut short, a read fails and writes nothing.
TEST(VaultOnDisk, ReadsItsVersionsWhenReopenedAndRefusesAContentsFileCutShort) {
  const std::filesystem::path folder = std::filesystem::current_path() / "contents-test";
  const auto clear = [&] {
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder, ec);
  };
  clear();
  std::filesystem::create_directories(folder);
  const std::filesystem::path database = folder / "vault.db";
  const std::filesystem::path local = folder / "local";
  const auto fileIn = [&](SimVault& vault) {
    Ref<host::VaultSession> session;
    EXPECT_EQ(vault.Login(L"alice", L"PC1", session), host::kOk);
    Ref<host::VaultFile> found;
    Ref<host::VaultFolder> parent;
    EXPECT_EQ(session->GetFileFromPath(L"C:\\Vault\\a.txt", found, parent), host::kOk);
    return found;
  };
  {
    auto vault = SimVault::Create(database, {L"Disk", L"C:\\Vault", local});
    vault->AddUser(L"alice");
    WriteNative(folder / "a.txt", "first");
    Ref<host::VaultSession> session;
    ASSERT_EQ(vault->Login(L"alice", L"PC1", session), host::kOk);
    Ref<host::VaultFolder> top;
    ASSERT_EQ(session->GetFolderFromPath(L"C:\\Vault", top), host::kOk);
    Ref<host::VaultFile> added;
    ASSERT_EQ(top->AddFile(0, platform::WindowsPath(folder / "a.txt"), L"a.txt", 0, added),
              host::kOk);
    WriteNative(local / "a.txt", "second, longer");
    ASSERT_EQ(added->CheckIn(0, L"", 0, 0), host::kOk);

    // A write that fails once it kept a file's bytes gives them back.
    const std::uintmax_t kept = std::filesystem::file_size(SimVault::ContentsFile(database));
    sim::testing::SetInTransactionHook([] { throw std::runtime_error("no commit"); });
    Ref<host::VaultFile> failed;
    EXPECT_EQ(top->AddFile(0, platform::WindowsPath(folder / "a.txt"), L"b.txt", 0, failed),
              host::kFail);
    sim::testing::SetInTransactionHook({});
    EXPECT_EQ(std::filesystem::file_size(SimVault::ContentsFile(database)), kept);
  }
  {
    auto vault = SimVault::Open(database, local);
    Ref<host::VaultFile> reopened = fileIn(*vault);
    ASSERT_EQ(reopened->GetLocalCopy(0, host::Value(std::int32_t{1}), host::Value(), 1, L""),
              host::kOk);
    EXPECT_EQ(FileText(local / "a.txt"), "first");
  }
  std::filesystem::resize_file(SimVault::ContentsFile(database), 10);
  {
    auto vault = SimVault::Open(database, local);
    Ref<host::VaultFile> damaged = fileIn(*vault);
    EXPECT_TRUE(host::Failed(damaged->GetLocalCopy(0, host::Value(), host::Value(), 1, L"")));
    EXPECT_EQ(FileText(local / "a.txt"), "first");
  }
  clear();
}

TEST_F(CheckOutTest, LocalCopyNeverOverwritesTheWorkingCopyOfTheHolder) {
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  WriteNative(Local(L"part.txt"), "unsaved work");
  ASSERT_EQ(file->GetLocalCopy(0, host::Value(std::int32_t{0}), host::Value(rootId), 1, L""),
            host::kOk);
  EXPECT_EQ(FileText(Local(L"part.txt")), "unsaved work");
}

TEST_F(CheckOutTest, RevisionAndStateComeFromTheVault) {
  vault->AddWorkflow(L"Release", {L"Work", L"Approved"});
  vault->SetState(IdOf(*file), vault->StateId(L"Release", L"Approved"));
  vault->SetRevision(IdOf(*file), L"B");
  std::wstring revision, state;
  std::int32_t stateId = 0;
  ASSERT_EQ(file->CurrentRevision(revision), host::kOk);
  EXPECT_EQ(revision, L"B");
  ASSERT_EQ(file->CurrentState(state, stateId), host::kOk);
  EXPECT_EQ(state, L"Approved");
  EXPECT_EQ(stateId, vault->StateId(L"Release", L"Approved"));
}

std::optional<FileSummary> SummaryOf(SimVault& vault, std::int32_t id) {
  auto summaries = vault.Summaries({id});
  if (summaries.empty()) return std::nullopt;
  return std::move(summaries.at(id));
}

// The host's report asks for files' summaries in one query: they answer as the files' own calls.
void ExpectSummaryAsTheFileSays(SimVault& vault, host::VaultFile& file) {
  std::int32_t id = 0;
  ASSERT_EQ(file.Id(id), host::kOk);
  const auto summary = SummaryOf(vault, id);
  ASSERT_TRUE(summary);
  std::wstring name;
  std::int32_t version = 0;
  std::wstring state;
  std::int32_t stateId = 0;
  host::CheckOutInfo checkOut;
  ASSERT_EQ(file.Name(name), host::kOk);
  ASSERT_EQ(file.CurrentVersion(version), host::kOk);
  ASSERT_EQ(file.CurrentState(state, stateId), host::kOk);
  ASSERT_EQ(file.CheckOutState(checkOut), host::kOk);
  EXPECT_EQ(summary->name, name);
  EXPECT_EQ(summary->version, version);
  EXPECT_EQ(summary->state, state);
  EXPECT_EQ(summary->checkedOutBy, checkOut.userName);
  EXPECT_EQ(summary->computer, checkOut.computer);
}

TEST_F(CheckOutTest, ASummaryAnswersAsTheFilesOwnCalls) {
  ExpectSummaryAsTheFileSays(*vault, *file);
  vault->AddWorkflow(L"Release", {L"Draft", L"Released"});
  std::int32_t id = 0;
  ASSERT_EQ(file->Id(id), host::kOk);
  vault->SetState(id, vault->StateId(L"Release", L"Released"));
  ASSERT_EQ(file->CheckOut(rootId, 0, 0), host::kOk);
  ExpectSummaryAsTheFileSays(*vault, *file);
  EXPECT_EQ(SummaryOf(*vault, id)->checkedOutBy, L"alice");
  EXPECT_EQ(SummaryOf(*vault, id)->state, L"Released");
  WriteNative(Local(L"part.txt"), "v2");
  ASSERT_EQ(file->CheckIn(0, L"thicker", 0, 0), host::kOk);
  ExpectSummaryAsTheFileSays(*vault, *file);
  EXPECT_EQ(SummaryOf(*vault, id)->version, 2);
  EXPECT_FALSE(SummaryOf(*vault, 4711));
}

TEST_F(CheckOutTest, SummariesOfSeveralFilesLeaveOutWhatIsGone) {
  const Ref<host::VaultFile> other = Add(*root, L"other.txt", "o");
  std::int32_t id = 0;
  std::int32_t otherId = 0;
  ASSERT_EQ(file->Id(id), host::kOk);
  ASSERT_EQ(other->Id(otherId), host::kOk);
  const auto summaries = vault->Summaries({otherId, 4711, id, otherId});
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_EQ(summaries.at(id).name, L"part.txt");
  EXPECT_EQ(summaries.at(otherId).name, L"other.txt");
  EXPECT_TRUE(vault->Summaries({}).empty());
}

}  // namespace
}  // namespace vendrel::sim::testing
