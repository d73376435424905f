// Card variables: values by configuration and type, and batch updates with their error records.
#include "tests/sim/VaultFixture.h"

namespace vendrel::sim::testing {
namespace {

using host::Ref;
using host::Value;

class CardTest : public VaultTest {
 protected:
  void SetUp() override {
    VaultTest::SetUp();
    root = Folder(*alice, L"C:\\Vault");
    file = Add(*root, L"gear.txt", "g");
    fileId = IdOf(*file);
    vault->SetConfigurations(fileId, {L"Default", L"Large"});
    description = vault->AddVariable(L"Description", 1);
    teeth = vault->AddVariable(L"Teeth", 2);
    weight = vault->AddVariable(L"Weight", 3);
    approved = vault->AddVariable(L"Approved", 4, 8);
    due = vault->AddVariable(L"Due", 5);
  }

  Value Read(const std::wstring& variable, const std::wstring& configuration) {
    Ref<host::CardVariableSet> card;
    EXPECT_EQ(file->CardVariables(card), host::kOk);
    Value value;
    EXPECT_EQ(card->GetValue(variable, configuration, value), host::kOk);
    return value;
  }

  std::vector<host::BatchError> Commit(host::BatchUpdate& batch) {
    std::vector<host::BatchError> errors;
    EXPECT_EQ(batch.Commit(errors), host::kOk);
    return errors;
  }

  Ref<host::BatchUpdate> NewBatch() {
    Ref<host::BatchUpdate> batch;
    EXPECT_EQ(alice->CreateBatchUpdate(batch), host::kOk);
    return batch;
  }

  Ref<host::VaultFolder> root;
  Ref<host::VaultFile> file;
  std::int32_t fileId = 0;
  std::int32_t description = 0, teeth = 0, weight = 0, approved = 0, due = 0;
};

TEST_F(CardTest, AConfigurationsOwnValueWinsOverTheValueForAll) {
  vault->SetCardValue(CardOwner::kFile, fileId, L"Description", L"", Value(L"Gear"));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Description", L"Large", Value(L"Big gear"));
  EXPECT_EQ(Read(L"Description", L"Large"), Value(L"Big gear"));
  EXPECT_EQ(Read(L"Description", L"Default"), Value(L"Gear"));
  EXPECT_EQ(Read(L"description", L""), Value(L"Gear"));
  EXPECT_EQ(Read(L"Teeth", L"Default"), Value()) << "no value reads as empty";

  Ref<host::CardVariableSet> card;
  ASSERT_EQ(file->CardVariables(card), host::kOk);
  Value value;
  EXPECT_EQ(card->GetValue(L"Colour", L"", value), host::kVariableNotFound);
}

TEST_F(CardTest, ValuesComeBackInTheirVariablesType) {
  vault->SetCardValue(CardOwner::kFile, fileId, L"Teeth", L"", Value(L" 42 "));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Weight", L"", Value(L"1.5"));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Approved", L"", Value(L"Yes"));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Due", L"", Value(L"2024-02-29 12:00"));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Description", L"", Value(std::int32_t{7}));
  EXPECT_EQ(Read(L"Teeth", L""), Value(std::int32_t{42}));
  EXPECT_EQ(Read(L"Weight", L""), Value(1.5));
  EXPECT_EQ(Read(L"Approved", L""), Value(std::int32_t{1}));
  EXPECT_EQ(Read(L"Due", L""), Value(host::Date{*platform::FromCivil({2024, 2, 29, 12})}));
  EXPECT_EQ(Read(L"Description", L""), Value(L"7"));
  EXPECT_EQ(FormatDate(std::get<host::Date>(Read(L"Due", L""))), L"2024-02-29 12:00:00");

  EXPECT_THROW(vault->SetCardValue(CardOwner::kFile, fileId, L"Teeth", L"", Value(L"many")),
               SimError);
  EXPECT_THROW(vault->SetCardValue(CardOwner::kFile, fileId, L"Teeth", L"", Value(2.5)), SimError);
  EXPECT_THROW(vault->SetCardValue(CardOwner::kFile, fileId, L"Due", L"", Value(L"2024-02-30")),
               SimError);
  EXPECT_THROW(
      vault->SetCardValue(CardOwner::kFile, fileId, L"Teeth", L"", Value(host::OtherValue{9})),
      SimError);

  // A boolean, as the add-in's conversions make them, counts true as the host does.
  vault->SetCardValue(CardOwner::kFile, fileId, L"Approved", L"", Value(false));
  EXPECT_EQ(Read(L"Approved", L""), Value(std::int32_t{0}));
  vault->SetCardValue(CardOwner::kFile, fileId, L"Teeth", L"", Value(true));
  EXPECT_EQ(Read(L"Teeth", L""), Value(std::int32_t{-1}));
}

TEST_F(CardTest, VariableManagerListsDefinitions) {
  Ref<host::VariableManager> manager;
  ASSERT_EQ(alice->Variables(manager), host::kOk);
  std::vector<host::CardVariableInfo> all;
  ASSERT_EQ(manager->Variables(all), host::kOk);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[3].name, L"Approved");
  EXPECT_EQ(all[3].type, 4);
  EXPECT_EQ(all[3].flags, 8);
  host::CardVariableInfo info;
  ASSERT_EQ(manager->VariableByName(L"WEIGHT", info), host::kOk);
  EXPECT_EQ(info.id, weight);
  EXPECT_EQ(manager->VariableByName(L"Colour", info), host::kFalse);
}

TEST_F(CardTest, BatchWritesCheckedOutFilesPerConfigurationOrForAll) {
  ASSERT_EQ(file->CheckOut(IdOf(*root), 0, 0), host::kOk);
  Ref<host::BatchUpdate> batch = NewBatch();
  ASSERT_EQ(batch->AddFileValue(fileId, teeth, Value(L"12"), std::wstring(L"Large"), 0), host::kOk);
  ASSERT_EQ(batch->AddFileValue(fileId, description, Value(L"Spur"), std::nullopt, 3), host::kOk);
  ASSERT_EQ(batch->AddFolderValue(IdOf(*root), description, Value(L"Top"), 2), host::kOk);
  EXPECT_TRUE(Commit(*batch).empty());

  EXPECT_EQ(Read(L"Teeth", L"Large"), Value(std::int32_t{12}));
  EXPECT_EQ(Read(L"Teeth", L"Default"), Value());
  EXPECT_EQ(Read(L"Description", L"Default"), Value(L"Spur"));
  EXPECT_EQ(Read(L"Description", L"Large"), Value(L"Spur"));
  EXPECT_EQ(vault->CardValue(CardOwner::kFolder, IdOf(*root), L"Description", L""), Value(L"Top"));
}

TEST_F(CardTest, ValueForAllReplacesEachConfigurationsOwnValue) {
  vault->SetCardValue(CardOwner::kFile, fileId, L"Approved", L"Large", Value(std::int32_t{0}));
  Ref<host::BatchUpdate> batch = NewBatch();
  batch->AddFileValue(fileId, approved, Value(std::int32_t{-1}), std::nullopt, 3);
  EXPECT_TRUE(Commit(*batch).empty()) << "flag 8 allows writing without a check-out";
  EXPECT_EQ(Read(L"Approved", L"Large"), Value(std::int32_t{1}));
}

TEST_F(CardTest, RefusedWritesAreBatchErrorsUntilLetThroughAgain) {
  ASSERT_EQ(file->CheckOut(IdOf(*root), 0, 0), host::kOk);
  vault->RefuseCardWrites(CardOwner::kFolder, IdOf(*root), host::kPermissionDenied);
  vault->RefuseCardWrites(CardOwner::kFile, fileId, host::kLockedInOtherFolder);
  Ref<host::BatchUpdate> batch = NewBatch();
  batch->AddFolderValue(IdOf(*root), description, Value(L"Top"), 2);
  batch->AddFileValue(fileId, description, Value(L"x"), std::nullopt, 3);
  const std::vector<host::BatchError> errors = Commit(*batch);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].code, host::kPermissionDenied);
  EXPECT_EQ(errors[0].fileId, 0);
  EXPECT_EQ(errors[0].folderId, IdOf(*root));
  EXPECT_EQ(errors[1].code, host::kLockedInOtherFolder);
  EXPECT_EQ(errors[1].fileId, fileId);

  vault->RefuseCardWrites(CardOwner::kFolder, IdOf(*root), host::kOk);
  batch->AddFolderValue(IdOf(*root), description, Value(L"Top"), 2);
  EXPECT_TRUE(Commit(*batch).empty());
  EXPECT_EQ(vault->CardValue(CardOwner::kFolder, IdOf(*root), L"Description", L""), Value(L"Top"));
}

TEST_F(CardTest, BatchReportsEachValueItCouldNotWriteAndWritesTheRest) {
  Ref<host::VaultFolder> sub;
  ASSERT_EQ(root->AddFolder(0, L"Sub", 0, sub), host::kOk);
  Ref<host::VaultFile> other = Add(*sub, L"other.txt", "o");
  Ref<host::VaultSession> bob = Login(L"bob", L"PC2");
  ASSERT_EQ(File(*bob, L"C:\\Vault\\Sub\\other.txt")->CheckOut(IdOf(*sub), 0, 0), host::kOk);
  ASSERT_EQ(file->CheckOut(IdOf(*root), 0, 0), host::kOk);

  Ref<host::BatchUpdate> batch = NewBatch();
  batch->AddFileValue(fileId, teeth, Value(L"ten"), std::nullopt, 3);            // type
  batch->AddFileValue(IdOf(*other), description, Value(L"x"), std::nullopt, 3);  // bob's
  batch->AddFileValue(4711, description, Value(L"x"), std::nullopt, 3);          // no file
  batch->AddFileValue(fileId, 999, Value(L"x"), std::nullopt, 3);                // no variable
  batch->AddFileValue(fileId, description, Value(L"x"), std::wstring(L"Tiny"), 0);
  batch->AddFolderValue(4712, description, Value(L"x"), 2);                      // no folder
  batch->AddFileValue(fileId, weight, Value(std::int32_t{3}), std::nullopt, 3);  // fine
  const std::vector<host::BatchError> errors = Commit(*batch);

  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[0].code, host::kTypeMismatch);
  EXPECT_EQ(errors[0].fileId, fileId);
  EXPECT_EQ(errors[0].folderId, IdOf(*root));
  EXPECT_EQ(errors[1].code, host::kLockedByAnotherUser);
  EXPECT_EQ(errors[1].folderId, IdOf(*sub));
  EXPECT_EQ(errors[2].code, host::kFileNotFound);
  EXPECT_EQ(errors[2].fileId, 4711);
  EXPECT_EQ(errors[2].folderId, 0);
  EXPECT_EQ(errors[3].code, host::kVariableNotFound);
  EXPECT_EQ(errors[4].code, host::kInvalidName);
  EXPECT_EQ(errors[5].code, host::kFolderNotFound);
  EXPECT_EQ(errors[5].fileId, 0);
  EXPECT_EQ(errors[5].folderId, 4712);
  EXPECT_EQ(Read(L"Weight", L"Default"), Value(3.0));

  const std::vector<StoredBatchError> stored = vault->BatchErrors();
  ASSERT_EQ(stored.size(), 6u);
  EXPECT_EQ(stored[1].error.code, host::kLockedByAnotherUser);
  EXPECT_TRUE(Commit(*batch).empty()) << "a commit empties the batch";
}

TEST_F(CardTest, AFileNotCheckedOutNeedsAVariableThatAllowsIt) {
  Ref<host::BatchUpdate> batch = NewBatch();
  batch->AddFileValue(fileId, description, Value(L"x"), std::nullopt, 3);
  batch->AddFileValue(fileId, approved, Value(L"no"), std::nullopt, 3);
  const std::vector<host::BatchError> errors = Commit(*batch);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].code, host::kFileNotLockedByYou);
  EXPECT_EQ(Read(L"Description", L""), Value());
  EXPECT_EQ(Read(L"Approved", L""), Value(std::int32_t{0}));
}

}  // namespace
}  // namespace vendrel::sim::testing
