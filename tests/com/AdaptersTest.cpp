// The COM adapters both ways: a C++ vault exposed as COM objects and read back as C++ objects
// must behave like the original, values, arrays, status codes and all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/com/FromCom.h"
#include "host/com/ToCom.h"
#include "tests/support/FakeVault.h"

namespace vendrel::com {
namespace {

using host::Ref;
using ::testing::_;
using ::testing::DoAll;
using ::testing::Eq;
using testing::FakeVault;
using ::testing::Return;
using ::testing::SetArgReferee;

class MockDictionary : public host::CountedImpl<host::AddInDictionary> {
 public:
  MOCK_METHOD(host::HResult, Read, (std::int32_t, std::wstring&, bool&), (override));
  MOCK_METHOD(host::HResult, Write, (std::int32_t, const std::wstring&), (override));
  MOCK_METHOD(host::HResult, SetIfAbsent, (std::int32_t, const std::wstring&, bool&), (override));
  MOCK_METHOD(host::HResult, Remove, (std::int32_t), (override));
};

class MockBatch : public host::CountedImpl<host::BatchUpdate> {
 public:
  MOCK_METHOD(host::HResult, AddFileValue,
              (std::int32_t, std::int32_t, const host::Value&, const std::optional<std::wstring>&,
               std::int32_t),
              (override));
  MOCK_METHOD(host::HResult, AddFolderValue,
              (std::int32_t, std::int32_t, const host::Value&, std::int32_t), (override));
  MOCK_METHOD(host::HResult, Commit, (std::vector<host::BatchError>&), (override));
};

// The fake vault plus the parts it leaves out.
class RichVault : public FakeVault {
 public:
  host::HResult GetDictionary(const std::wstring& name, bool create,
                              Ref<host::AddInDictionary>& out) override {
    if (name != L"VornAddInDict") return host::kFalse;
    dictionaryCreate = create;
    out = dictionary;
    return host::kOk;
  }
  host::HResult CreateBatchUpdate(Ref<host::BatchUpdate>& out) override {
    out = batch;
    return host::kOk;
  }
  host::HResult Workflows(Ref<host::WorkflowManager>& out) override {
    out = workflows;
    return host::kOk;
  }

  class WorkflowList final : public host::CountedImpl<host::WorkflowManager> {
   public:
    host::HResult Workflows(std::vector<host::WorkflowInfo>& out) override {
      out = {{7, L"Release", {{71, L"Draft"}, {72, L"Approved"}}}, {8, L"Empty", {}}};
      return host::kOk;
    }
  };

  Ref<MockDictionary> dictionary = host::MakeRef<MockDictionary>();
  Ref<MockBatch> batch = host::MakeRef<MockBatch>();
  Ref<WorkflowList> workflows = host::MakeRef<WorkflowList>();
  bool dictionaryCreate = false;
};

class AdaptersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    fake = host::MakeRef<RichVault>();
    viaCom = VaultFromCom(VaultToCom(fake).Get());
    ASSERT_TRUE(viaCom);
  }
  void TearDown() override {
    viaCom = nullptr;
    fake = nullptr;
    CoUninitialize();
  }

  Ref<RichVault> fake;
  Ref<host::VaultSession> viaCom;
};

TEST_F(AdaptersTest, VaultTextsAndFailureCodesCrossUnchanged) {
  fake->name = L"Entwürfe \u00e9t\u00e9";
  std::wstring name;
  EXPECT_EQ(viaCom->Name(name), host::kOk);
  EXPECT_EQ(name, fake->name);

  fake->nameResult = host::kNotLoggedIn;
  std::wstring untouched = L"before";
  EXPECT_EQ(viaCom->Name(untouched), host::kNotLoggedIn);
  EXPECT_EQ(untouched, L"before");

  std::int32_t major = 0, minor = 0;
  EXPECT_EQ(viaCom->HostVersion(major, minor), host::kOk);
  EXPECT_EQ(major, 1);
}

TEST_F(AdaptersTest, NotAVaultGivesNoSession) {
  EXPECT_FALSE(VaultFromCom(nullptr));
  const ComPtr<IZemObject> folder = ObjectToCom(fake->AddFolder(2, L"\\A"));
  EXPECT_FALSE(VaultFromCom(folder.Get()));
}

TEST_F(AdaptersTest, FolderTreeWithFilesAndSubFolders) {
  fake->AddFolder(2, L"\\Projects");
  auto sub = fake->AddFolder(3, L"\\Projects\\Sub");
  fake->folders[2]->subFolders.push_back(sub);
  fake->AddFile(10, L"a.txt", 2);
  fake->AddFile(11, L"b.txt", 2);

  Ref<host::VaultObject> object;
  ASSERT_EQ(viaCom->GetObject(host::ObjectKind::kFolder, 2, object), host::kOk);
  EXPECT_EQ(object->Kind(), host::ObjectKind::kFolder);
  Ref<host::VaultFile> notFile;
  EXPECT_EQ(object->QueryFile(notFile), host::kNoInterface);
  Ref<host::VaultFolder> folder;
  ASSERT_EQ(object->QueryFolder(folder), host::kOk);

  std::vector<Ref<host::VaultFile>> files;
  ASSERT_EQ(folder->Files(files), host::kOk);
  ASSERT_EQ(files.size(), 2u);
  std::wstring name;
  std::int32_t id = 0;
  files[1]->Name(name);
  files[1]->Id(id);
  EXPECT_EQ(name, L"b.txt");
  EXPECT_EQ(id, 11);

  std::vector<Ref<host::VaultFolder>> folders;
  ASSERT_EQ(folder->SubFolders(folders), host::kOk);
  ASSERT_EQ(folders.size(), 1u);
  std::wstring path;
  folders[0]->LocalPath(path);
  EXPECT_EQ(path, L"C:\\Vault\\Projects\\Sub");

  EXPECT_EQ(viaCom->GetObject(host::ObjectKind::kFile, 99, object), host::kFileNotFound);
}

TEST_F(AdaptersTest, FolderLookupOutsideTheVaultKeepsSFalse) {
  Ref<host::VaultFolder> folder;
  EXPECT_EQ(viaCom->GetFolderFromPath(L"D:\\Elsewhere", folder), host::kFalse);
  EXPECT_FALSE(folder);
}

TEST_F(AdaptersTest, FileByPathComesWithItsParentFolder) {
  fake->AddFolder(2, L"\\P");
  fake->AddFile(10, L"part.sldprt", 2);
  Ref<host::VaultFile> file;
  Ref<host::VaultFolder> parent;
  ASSERT_EQ(viaCom->GetFileFromPath(L"C:\\Vault\\P\\part.sldprt", file, parent), host::kOk);
  std::int32_t id = 0;
  parent->Id(id);
  EXPECT_EQ(id, 2);
  file->Id(id);
  EXPECT_EQ(id, 10);
}

TEST_F(AdaptersTest, EveryValueKindOfACardRoundTrips) {
  fake->AddFolder(2, L"\\P");
  auto file = fake->AddFile(10, L"a.txt", 2);
  const std::vector<std::pair<std::wstring, host::Value>> values = {
      {L"empty", host::Value{}},
      {L"int", host::Value{std::int32_t{-7}}},
      {L"big", host::Value{std::int64_t{1} << 40}},
      {L"real", host::Value{2.5}},
      {L"single", host::Value{0.1f}},
      {L"date", host::Value{host::Date{45000.75}}},
      {L"text", host::Value{std::wstring(L"a\0b \u20ac", 5)}},
      {L"yes", host::Value{true}},
  };
  for (const auto& [variable, value] : values) file->card->Set(variable, L"Default", value);

  Ref<host::VaultObject> object;
  ASSERT_EQ(viaCom->GetObject(host::ObjectKind::kFile, 10, object), host::kOk);
  Ref<host::VaultFile> viaFile;
  ASSERT_EQ(object->QueryFile(viaFile), host::kOk);
  Ref<host::CardVariableSet> card;
  ASSERT_EQ(viaFile->CardVariables(card), host::kOk);
  for (const auto& [variable, value] : values) {
    host::Value read = std::wstring(L"stale");
    EXPECT_EQ(card->GetValue(variable, L"Default", read), host::kOk) << variable.c_str();
    EXPECT_EQ(read, value) << variable.c_str();
  }
}

TEST_F(AdaptersTest, HistoryConfigurationsAndStateOfAFile) {
  fake->AddFolder(2, L"\\P");
  auto file = fake->AddFile(10, L"a.txt", 2);
  file->history = {{1, L"ann", host::Date{45000.5}, L"first"}, {2, L"bob", host::Date{45001}, L""}};
  file->configurations = {L"Default", L"Gro\u00dfe"};
  file->stateName = L"Approved";
  file->stateId = 72;

  Ref<host::VaultObject> object;
  viaCom->GetObject(host::ObjectKind::kFile, 10, object);
  Ref<host::VaultFile> viaFile;
  ASSERT_EQ(object->QueryFile(viaFile), host::kOk);

  std::vector<host::VersionInfo> history;
  ASSERT_EQ(viaFile->VersionHistory(history), host::kOk);
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].user, L"ann");
  EXPECT_EQ(history[0].comment, L"first");
  EXPECT_EQ(history[0].time, host::Date{45000.5});
  EXPECT_EQ(history[1].version, 2);

  std::vector<std::wstring> configurations;
  ASSERT_EQ(viaFile->Configurations(configurations), host::kOk);
  EXPECT_EQ(configurations, file->configurations);

  std::wstring state;
  std::int32_t stateId = 0;
  ASSERT_EQ(viaFile->CurrentState(state, stateId), host::kOk);
  EXPECT_EQ(state, L"Approved");
  EXPECT_EQ(stateId, 72);
}

TEST_F(AdaptersTest, DictionaryReadWriteAndSetIfAbsent) {
  Ref<host::AddInDictionary> dictionary;
  ASSERT_EQ(viaCom->GetDictionary(L"VornAddInDict", true, dictionary), host::kOk);
  EXPECT_TRUE(fake->dictionaryCreate);
  Ref<host::AddInDictionary> missing;
  EXPECT_EQ(viaCom->GetDictionary(L"Other", false, missing), host::kFalse);
  EXPECT_FALSE(missing);

  EXPECT_CALL(*fake->dictionary, Read(1, _, _))
      .WillOnce(DoAll(SetArgReferee<1>(std::wstring(L"0A0B")), SetArgReferee<2>(true),
                      Return(host::kOk)));
  EXPECT_CALL(*fake->dictionary, SetIfAbsent(3, Eq(L"lock"), _))
      .WillOnce(DoAll(SetArgReferee<2>(false), Return(host::kOk)));
  EXPECT_CALL(*fake->dictionary, Write(2, Eq(L""))).WillOnce(Return(host::kPermissionDenied));

  std::wstring text;
  bool exists = false;
  EXPECT_EQ(dictionary->Read(1, text, exists), host::kOk);
  EXPECT_EQ(text, L"0A0B");
  EXPECT_TRUE(exists);
  bool wasSet = true;
  EXPECT_EQ(dictionary->SetIfAbsent(3, L"lock", wasSet), host::kOk);
  EXPECT_FALSE(wasSet);
  EXPECT_EQ(dictionary->Write(2, L""), host::kPermissionDenied);
}

TEST_F(AdaptersTest, BatchKeepsAllConfigurationsApartFromAnEmptyName) {
  Ref<host::BatchUpdate> batch;
  ASSERT_EQ(viaCom->CreateBatchUpdate(batch), host::kOk);
  const std::optional<std::wstring> all, named = L"";
  EXPECT_CALL(*fake->batch, AddFileValue(10, 5, host::Value{std::wstring(L"x")}, all, 0))
      .WillOnce(Return(host::kOk));
  EXPECT_CALL(*fake->batch, AddFileValue(11, 5, host::Value{std::int32_t{3}}, named, 1))
      .WillOnce(Return(host::kOk));
  EXPECT_CALL(*fake->batch, Commit(_))
      .WillOnce(DoAll(SetArgReferee<0>(std::vector<host::BatchError>{
                          {10, 2, host::kFileIsLocked}, {0, 3, host::kPermissionDenied}}),
                      Return(host::kFail)));

  EXPECT_EQ(batch->AddFileValue(10, 5, std::wstring(L"x"), all, 0), host::kOk);
  EXPECT_EQ(batch->AddFileValue(11, 5, std::int32_t{3}, named, 1), host::kOk);
  std::vector<host::BatchError> errors;
  EXPECT_EQ(batch->Commit(errors), host::kFail);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].code, host::kFileIsLocked);
  EXPECT_EQ(errors[1].folderId, 3);
}

TEST_F(AdaptersTest, WorkflowsWithTheirStatesInOrder) {
  Ref<host::WorkflowManager> manager;
  ASSERT_EQ(viaCom->Workflows(manager), host::kOk);
  std::vector<host::WorkflowInfo> workflows;
  ASSERT_EQ(manager->Workflows(workflows), host::kOk);
  ASSERT_EQ(workflows.size(), 2u);
  EXPECT_EQ(workflows[0].name, L"Release");
  ASSERT_EQ(workflows[0].states.size(), 2u);
  EXPECT_EQ(workflows[0].states[1].id, 72);
  EXPECT_EQ(workflows[0].states[1].name, L"Approved");
  EXPECT_TRUE(workflows[1].states.empty());
}

TEST_F(AdaptersTest, LoggedInUserThroughTheDirectory) {
  fake->users->loggedIn = host::MakeRef<testing::FakeUser>(L"Chief");
  Ref<host::VaultUserDirectory> directory;
  ASSERT_EQ(viaCom->UserDirectory(directory), host::kOk);
  Ref<host::VaultUser> user;
  ASSERT_EQ(directory->LoggedInUser(user), host::kOk);
  std::wstring name;
  user->Name(name);
  EXPECT_EQ(name, L"Chief");

  fake->users->loggedIn = nullptr;
  EXPECT_EQ(directory->LoggedInUser(user), host::kNotLoggedIn);
}

}  // namespace
}  // namespace vendrel::com
