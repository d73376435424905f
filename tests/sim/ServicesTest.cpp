// Session services: dictionaries, users and groups with their inboxes, workflows and state
// changes, error texts and host strings.
#include "tests/sim/VaultFixture.h"

namespace vendrel::sim::testing {
namespace {

using host::Ref;
using host::Value;

TEST_F(VaultTest, DictionaryExistsOnlyOnceCreated) {
  Ref<host::AddInDictionary> dictionary;
  EXPECT_EQ(alice->GetDictionary(L"Store", false, dictionary), host::kFalse);
  EXPECT_FALSE(dictionary);
  ASSERT_EQ(alice->GetDictionary(L"Store", true, dictionary), host::kOk);
  ASSERT_EQ(dictionary->Write(0, L"payload"), host::kOk);

  Ref<host::AddInDictionary> seenByBob;
  ASSERT_EQ(Login(L"bob", L"PC2")->GetDictionary(L"Store", false, seenByBob), host::kOk);
  std::wstring text;
  bool exists = false;
  ASSERT_EQ(seenByBob->Read(0, text, exists), host::kOk);
  EXPECT_TRUE(exists);
  EXPECT_EQ(text, L"payload");
  ASSERT_EQ(seenByBob->Read(5, text, exists), host::kOk);
  EXPECT_FALSE(exists);
  EXPECT_EQ(text, L"");
}

TEST_F(VaultTest, DictionaryTextReadInPiecesIsTheTextRead) {
  host::Ref<host::AddInDictionary> dictionary;
  ASSERT_EQ(alice->GetDictionary(L"Store", true, dictionary), host::kOk);
  const std::wstring stored = std::wstring(100000, L'7') + L"\u00FC";
  ASSERT_EQ(dictionary->Write(3, stored), host::kOk);
  std::wstring joined;
  bool exists = false;
  const auto take = [&](std::wstring_view piece, std::size_t) { joined += piece; };
  ASSERT_EQ(dictionary->ReadInPieces(3, take, exists), host::kOk);
  EXPECT_TRUE(exists);
  EXPECT_EQ(joined, stored);
  joined.clear();
  ASSERT_EQ(dictionary->ReadInPieces(4, take, exists), host::kOk);
  EXPECT_FALSE(exists);
  EXPECT_EQ(joined, L"");
}

TEST_F(VaultTest, SetIfAbsentSetsOnlyAMissingKey) {
  Ref<host::AddInDictionary> dictionary;
  ASSERT_EQ(alice->GetDictionary(L"Locks", true, dictionary), host::kOk);
  bool wasSet = false;
  ASSERT_EQ(dictionary->SetIfAbsent(1, L"Busy", wasSet), host::kOk);
  EXPECT_TRUE(wasSet);
  ASSERT_EQ(dictionary->SetIfAbsent(1, L"Other", wasSet), host::kOk);
  EXPECT_FALSE(wasSet);
  std::wstring text;
  bool exists = false;
  dictionary->Read(1, text, exists);
  EXPECT_EQ(text, L"Busy");
  ASSERT_EQ(dictionary->Remove(1), host::kOk);
  ASSERT_EQ(dictionary->SetIfAbsent(1, L"Again", wasSet), host::kOk);
  EXPECT_TRUE(wasSet);
  EXPECT_EQ(dictionary->Remove(99), host::kOk) << "removing a missing key is harmless";
}

TEST_F(VaultTest, MessagesReachUsersAndEveryMemberOfAGroup) {
  vault->AddUser(L"carol");
  vault->AddGroup(L"Design");
  vault->AddMember(L"Design", L"bob");
  vault->AddMember(L"Design", L"carol");
  Ref<host::VaultUserDirectory> directory;
  ASSERT_EQ(alice->UserDirectory(directory), host::kOk);

  Ref<host::VaultGroup> group;
  ASSERT_EQ(directory->GroupByName(Value(L"design"), group), host::kOk);
  ASSERT_EQ(group->SendMessage(L"Review", L"Please look", -1), host::kOk);
  Ref<host::VaultUser> user;
  ASSERT_EQ(directory->UserByName(Value(L"carol"), user), host::kOk);
  ASSERT_EQ(user->SendMessage(L"Hi", L"there"), host::kOk);

  EXPECT_EQ(directory->UserByName(Value(L"nobody"), user), host::kInvalidName);
  EXPECT_EQ(directory->GroupByName(Value(L"Nobody"), group), host::kInvalidGroupName);
  EXPECT_EQ(directory->UserByName(Value(std::int32_t{2}), user), host::kTypeMismatch);

  const std::vector<InboxMessage> bobs = vault->Inbox(L"bob");
  ASSERT_EQ(bobs.size(), 1u);
  EXPECT_EQ(bobs[0].sender, L"alice");
  EXPECT_EQ(bobs[0].group, L"Design");
  EXPECT_EQ(bobs[0].subject, L"Review");
  EXPECT_EQ(bobs[0].text, L"Please look");
  const std::vector<InboxMessage> carols = vault->Inbox(L"carol");
  ASSERT_EQ(carols.size(), 2u);
  EXPECT_EQ(carols[1].subject, L"Hi");
  EXPECT_EQ(carols[1].group, L"");
  EXPECT_TRUE(vault->Inbox(L"alice").empty());

  std::vector<Ref<host::VaultUser>> users;
  ASSERT_EQ(directory->Users(users), host::kOk);
  EXPECT_EQ(users.size(), 3u);
  std::vector<Ref<host::VaultGroup>> groups;
  ASSERT_EQ(directory->Groups(groups), host::kOk);
  EXPECT_EQ(groups.size(), 1u);
}

TEST_F(VaultTest, UsersAndGroupsLeaveTheVaultWithTheirInboxesAndMemberships) {
  vault->AddGroup(L"Design");
  vault->AddGroup(L"Shop");
  vault->AddMember(L"Design", L"bob");
  vault->AddMember(L"Design", L"alice");
  Ref<host::VaultUserDirectory> directory;
  ASSERT_EQ(alice->UserDirectory(directory), host::kOk);
  Ref<host::VaultUser> bob;
  ASSERT_EQ(directory->UserByName(Value(L"bob"), bob), host::kOk);
  ASSERT_EQ(bob->SendMessage(L"Hi", L"there"), host::kOk);

  vault->RemoveUser(L"bob");
  EXPECT_EQ(directory->UserByName(Value(L"bob"), bob), host::kInvalidName);
  EXPECT_EQ(vault->Users(), (std::vector<std::wstring>{L"alice"}));
  EXPECT_THROW(vault->Inbox(L"bob"), SimError);
  vault->RemoveGroup(L"Shop");
  ASSERT_EQ(vault->Groups().size(), 1u);
  EXPECT_EQ(vault->Groups()[0].first, L"Design");
  EXPECT_EQ(vault->Groups()[0].second, (std::vector<std::wstring>{L"alice"}));
  EXPECT_THROW(vault->RemoveGroup(L"Shop"), SimError);

  // A user holding a file checked out stays.
  Ref<host::VaultFolder> root = Folder(*alice, L"C:\\Vault");
  std::int32_t rootId = 0;
  root->Id(rootId);
  ASSERT_EQ(Add(*root, L"a.txt", "a")->CheckOut(rootId, 0, 0), host::kOk);
  EXPECT_THROW(vault->RemoveUser(L"alice"), SimError);
}

class WorkflowTest : public VaultTest {
 protected:
  void SetUp() override {
    VaultTest::SetUp();
    vault->AddWorkflow(L"Empty", {});
    vault->AddWorkflow(L"Release", {L"Work", L"Review", L"Approved"});
    vault->AddTransition(L"Release", L"Work", L"Review", L"Submit");
    vault->AddTransition(L"Release", L"Review", L"Approved", L"Approve");
    vault->SetDefaultWorkflow(L"Release");
    file = Add(*Folder(*alice, L"C:\\Vault"), L"doc.txt", "d");
  }

  std::wstring State() {
    std::wstring name;
    std::int32_t id = 0;
    EXPECT_EQ(file->CurrentState(name, id), host::kOk);
    return name;
  }

  Ref<host::VaultFile> file;
};

TEST_F(WorkflowTest, WorkflowsListTheirStatesInOrder) {
  Ref<host::WorkflowManager> manager;
  ASSERT_EQ(alice->Workflows(manager), host::kOk);
  std::vector<host::WorkflowInfo> workflows;
  ASSERT_EQ(manager->Workflows(workflows), host::kOk);
  ASSERT_EQ(workflows.size(), 2u);
  EXPECT_TRUE(workflows[0].states.empty());
  ASSERT_EQ(workflows[1].states.size(), 3u);
  EXPECT_EQ(workflows[1].states[2].name, L"Approved");
  EXPECT_EQ(workflows[1].states[2].id, vault->StateId(L"Release", L"Approved"));
}

TEST_F(WorkflowTest, NewFilesStartInTheFirstStateAndMoveAlongTransitions) {
  EXPECT_EQ(State(), L"Work");
  const std::int32_t id = IdOf(*file);
  EXPECT_EQ(vault->ChangeState(id, L"Approved", L"alice"), host::kConditionsNotMet);
  EXPECT_EQ(vault->ChangeState(id, L"Archived", L"alice"), host::kStateNotFound);
  ASSERT_EQ(vault->ChangeState(id, L"Review", L"alice"), host::kOk);
  EXPECT_EQ(State(), L"Review");
  ASSERT_EQ(file->CheckOut(0, 0, 0), host::kOk);
  EXPECT_EQ(vault->ChangeState(id, L"Approved", L"alice"), host::kFileIsLocked);
  ASSERT_EQ(file->UndoCheckOut(0, 0), host::kOk);
  ASSERT_EQ(vault->ChangeState(id, L"Approved", L"bob"), host::kOk);
  EXPECT_EQ(State(), L"Approved");
}

TEST_F(VaultTest, ErrorTextsNameAndDescribeTheHostsCodes) {
  std::wstring name, description;
  ASSERT_EQ(alice->ErrorText(host::kLockedByAnotherUser, name, description), host::kOk);
  EXPECT_EQ(name, L"E_ZEM_LOCKED_BY_ANOTHER_USER");
  EXPECT_EQ(description, L"The file in question is checked out by another user.");
  ASSERT_EQ(alice->ErrorText(host::kLockedInOtherFolder, name, description), host::kOk);
  EXPECT_EQ(description, L"The file is checked out in another folder.");
  EXPECT_TRUE(host::Failed(alice->ErrorText(host::MakeCode(0x80041234), name, description)));
}

TEST_F(VaultTest, StringServiceGivesTheHostsTextsOrNothing) {
  vault->SetHostString(L"ZemInterface", L"ErrorCodes", 20, L"Ausgecheckt von jemand anderem.");
  Ref<host::StringService> strings;
  ASSERT_EQ(alice->CreateStringService(strings), host::kOk);
  std::wstring text;
  EXPECT_TRUE(host::Failed(strings->Text(L"ErrorCodes", 20, text))) << "not opened yet";
  ASSERT_EQ(strings->Open(L"Tessadel", L"ZemInterface"), host::kOk);
  ASSERT_EQ(strings->Text(L"ErrorCodes", 20, text), host::kOk);
  EXPECT_EQ(text, L"Ausgecheckt von jemand anderem.");
  strings->Text(L"ErrorCodes", 21, text);
  EXPECT_EQ(text, L"");
}

TEST_F(VaultTest, SessionNamesTheVaultItsRootAndHostVersion) {
  vault->SetHostVersion(12, 3);
  std::int32_t major = 0, minor = 0;
  ASSERT_EQ(alice->HostVersion(major, minor), host::kOk);
  EXPECT_EQ(major, 12);
  EXPECT_EQ(minor, 3);
  std::wstring text;
  ASSERT_EQ(alice->RootFolderPath(text), host::kOk);
  EXPECT_EQ(text, L"C:\\Vault");
  ASSERT_EQ(alice->Name(text), host::kOk);
  EXPECT_EQ(text, L"Vault");
}

}  // namespace
}  // namespace vendrel::sim::testing
