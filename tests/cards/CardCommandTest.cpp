// Setting card variables: which targets a run writes, the writable rules, the warnings that
// "OK to All" silences for one run, and the messages of a run shown together.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/vault/CardValue.h"
#include "commands/vault/CmdSetCardVar.h"
#include "host/Ref.h"
#include "tests/cards/CardFixture.h"

namespace vendrel::commands::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using Fields = CmdSetCardVar::Fields;
using sim::CardOwner;

constexpr std::int32_t kOkToAll = 101;

// A session whose batches report, after their own records, one that names a file but no folder:
// a record the simulated vault never gives, as every file there lies in a folder.
class FolderlessRecord final : public host::CountedImpl<host::VaultSession> {
  using HResult = host::HResult;
  template <class T>
  using Ref = host::Ref<T>;

  class Batch final : public host::CountedImpl<host::BatchUpdate> {
   public:
    Batch(Ref<host::BatchUpdate> inner, host::BatchError record)
        : inner_(std::move(inner)), record_(record) {}
    HResult AddFileValue(std::int32_t file, std::int32_t variable, const host::Value& value,
                         const std::optional<std::wstring>& configuration,
                         std::int32_t flags) override {
      return inner_->AddFileValue(file, variable, value, configuration, flags);
    }
    HResult AddFolderValue(std::int32_t folder, std::int32_t variable, const host::Value& value,
                           std::int32_t flags) override {
      return inner_->AddFolderValue(folder, variable, value, flags);
    }
    HResult Commit(std::vector<host::BatchError>& errors) override {
      const HResult hr = inner_->Commit(errors);
      errors.push_back(record_);
      return hr;
    }

   private:
    Ref<host::BatchUpdate> inner_;
    host::BatchError record_;
  };

 public:
  FolderlessRecord(Ref<host::VaultSession> inner, host::BatchError record)
      : inner_(std::move(inner)), record_(record) {}

  HResult CreateBatchUpdate(Ref<host::BatchUpdate>& batch) override {
    Ref<host::BatchUpdate> inner;
    const HResult hr = inner_->CreateBatchUpdate(inner);
    if (inner) batch = host::MakeRef<Batch>(inner, record_);
    return hr;
  }
  HResult HostVersion(std::int32_t& major, std::int32_t& minor) override {
    return inner_->HostVersion(major, minor);
  }
  HResult GetObject(host::ObjectKind kind, std::int32_t id, Ref<host::VaultObject>& o) override {
    return inner_->GetObject(kind, id, o);
  }
  HResult GetFileFromPath(const std::wstring& path, Ref<host::VaultFile>& file,
                          Ref<host::VaultFolder>& folder) override {
    return inner_->GetFileFromPath(path, file, folder);
  }
  HResult GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& folder) override {
    return inner_->GetFolderFromPath(path, folder);
  }
  HResult RootFolderPath(std::wstring& path) override { return inner_->RootFolderPath(path); }
  HResult Name(std::wstring& name) override { return inner_->Name(name); }
  HResult GetDictionary(const std::wstring& name, bool create,
                        Ref<host::AddInDictionary>& dictionary) override {
    return inner_->GetDictionary(name, create, dictionary);
  }
  HResult ErrorText(HResult code, std::wstring& name, std::wstring& description) override {
    return inner_->ErrorText(code, name, description);
  }
  HResult UserDirectory(Ref<host::VaultUserDirectory>& d) override {
    return inner_->UserDirectory(d);
  }
  HResult Workflows(Ref<host::WorkflowManager>& m) override { return inner_->Workflows(m); }
  HResult Variables(Ref<host::VariableManager>& m) override { return inner_->Variables(m); }
  HResult CreateStringService(Ref<host::StringService>& s) override {
    return inner_->CreateStringService(s);
  }
  HResult SetWindows(host::HostWindow first, host::HostWindow second) override {
    return inner_->SetWindows(first, second);
  }

 private:
  Ref<host::VaultSession> inner_;
  host::BatchError record_;
};

class CardCommandTest : public CardFixture {
 protected:
  std::unique_ptr<CmdSetCardVar> Make(Fields fields) {
    auto command = vendrel::testing::MakeCommand<CmdSetCardVar>(action, fakes.services);
    command->Assign(std::move(fields));
    command->PrepareRun();
    return command;
  }

  // A document of the run; `selected` false for one found by expanding a selected folder.
  void AddDocument(host::VaultFile* file, const std::wstring& name, bool selected = true) {
    lists.names.push_back(name);
    lists.ids.push_back(file ? IdOf(*file) : 0);
    lists.selected.push_back(selected);
    lists.folderIds.push_back(IdOf(*root));
  }

  std::wstring LastBox() const {
    return answers.Boxes().empty() ? L"" : answers.Boxes().back().text;
  }
};

TEST_F(CardCommandTest, SelectedFoldersAreWrittenEvenWithoutDocuments) {
  auto command = Make({.value = L"Bolts", .variableName = L"Description", .variableType = 1});
  lists.selectedFolders = {partsId};
  auto run = Run();
  EXPECT_TRUE(command->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Description"), host::Value(L"Bolts"));
  EXPECT_TRUE(answers.Boxes().empty());
}

TEST_F(CardCommandTest, EachPassWritesItsDocumentAndEverySelectedFolderAgain) {
  host::Ref<host::VaultFile> nut = Add(*root, L"nut.txt", "n");
  ASSERT_EQ(gear->CheckOut(IdOf(*root), 0, 0), host::kOk);
  ASSERT_EQ(nut->CheckOut(IdOf(*root), 0, 0), host::kOk);
  AddDocument(gear.Get(), L"gear.txt");
  AddDocument(nut.Get(), L"nut.txt");
  lists.selectedFolders = {partsId};
  auto command =
      Make({.value = L"%NameOfSelectedFile%", .variableName = L"Description", .variableType = 1});
  auto run = Run();

  EXPECT_TRUE(command->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Description"), host::Value(L"gear.txt"));
  run->SetCurrentDocument(1);
  EXPECT_TRUE(command->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Description"), host::Value(L"nut.txt"));
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Description", L"Large"), host::Value(L"gear.txt"));
  EXPECT_EQ(Card(CardOwner::kFile, IdOf(*nut), L"Description"), host::Value(L"nut.txt"));
}

TEST_F(CardCommandTest, DocumentsFoundInsideASelectedFolderAreSkipped) {
  host::Ref<host::VaultFile> inner = Add(*parts, L"inner.txt", "i");
  ASSERT_EQ(inner->CheckOut(partsId, 0, 0), host::kOk);
  AddDocument(inner.Get(), L"inner.txt", false);
  lists.selectedFolders = {partsId};
  auto command = Make({.value = L"7", .variableName = L"Teeth", .variableType = 2});
  auto run = Run();
  EXPECT_TRUE(command->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFile, IdOf(*inner), L"Teeth"), host::Value());
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Teeth"), host::Value(std::int32_t{7}));
}

TEST_F(CardCommandTest, FilesNotCheckedOutByTheUserAreSkippedWithAWarningOkToAllSilences) {
  AddDocument(gear.Get(), L"gear.txt");
  auto command = Make({.value = L"Spur", .variableName = L"Description", .variableType = 1});
  auto run = Run();
  answers.QueueNumber(kOkToAll);
  EXPECT_FALSE(command->Execute(*run));
  ASSERT_EQ(answers.ButtonBoxes().size(), 1u);
  const platform::ButtonBoxRequest& box = answers.ButtonBoxes()[0];
  EXPECT_EQ(box.text,
            L"Action: Stamp\r\nCannot set card variables for file gear.txt, you must check out "
            L"the file before this command will run.");
  EXPECT_EQ(box.caption, L"Vendrel");
  EXPECT_EQ(box.icon, 243);
  EXPECT_TRUE(box.help);
  ASSERT_EQ(box.buttons.size(), 2u);
  EXPECT_EQ(box.buttons[1].text, L"OK to All");
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Description"), host::Value());

  EXPECT_TRUE(command->Execute(*run)) << "silenced for the rest of the run";
  EXPECT_EQ(answers.ButtonBoxes().size(), 1u);
  command->PrepareRun();
  command->Execute(*run);
  EXPECT_EQ(answers.ButtonBoxes().size(), 2u) << "the next run warns again";

  // Flag 8 lets a file be written without a check-out, but not one another user holds.
  auto approve = Make({.value = L"True", .variableName = L"Approved", .variableType = 4});
  EXPECT_TRUE(approve->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Approved"), host::Value(std::int32_t{1}));
  ASSERT_EQ(File(*Login(L"bob", L"PC2"), L"C:\\Vault\\gear.txt")->CheckOut(IdOf(*root), 0, 0),
            host::kOk);
  EXPECT_FALSE(approve->Execute(*run));
  EXPECT_EQ(answers.ButtonBoxes().size(), 3u);
}

TEST_F(CardCommandTest, FilesOutsideTheVaultWarnUntilOkToAllForTheRestOfTheRun) {
  AddDocument(nullptr, L"loose.txt");
  AddDocument(nullptr, L"other.txt");
  auto command = Make({.value = L"x", .variableName = L"Description", .variableType = 1});
  auto run = Run();
  answers.QueueNumber(kOkToAll);
  EXPECT_TRUE(command->Execute(*run));
  ASSERT_EQ(answers.ButtonBoxes().size(), 1u);
  EXPECT_THAT(answers.ButtonBoxes()[0].text,
              HasSubstr(L"Cannot set file card variable for file loose.txt. The file must be "
                        L"added to the vault"));
  run->SetCurrentDocument(1);
  command->Execute(*run);
  EXPECT_EQ(answers.ButtonBoxes().size(), 1u);
  command->PrepareRun();
  command->Execute(*run);
  EXPECT_EQ(answers.ButtonBoxes().size(), 2u);
}

TEST_F(CardCommandTest, AValueThatDoesNotConvertAtRunTimeIsATypeMismatch) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(L"Count", actions::Variable::kStaticText, L"ten"));
  AddDocument(gear.Get(), L"gear.txt");
  ASSERT_EQ(gear->CheckOut(IdOf(*root), 0, 0), host::kOk);
  auto command = Make({.value = L"%Count%", .variableName = L"Teeth", .variableType = 2});
  auto run = Run();
  EXPECT_FALSE(command->Execute(*run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nError, could not set variable Teeth, type mismatch.\r\n"
            L"[Type mismatch.]\r\n[0x80020005]");
  EXPECT_EQ(answers.Boxes().back().style, platform::mb::kIconError);

  auto big = Make({.value = L"99999999999", .variableName = L"Teeth", .variableType = 2});
  EXPECT_FALSE(big->Execute(*run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nUnexpected error.\r\n[Out of present range.]\r\n[0x8002000A]")
      << "a code the host does not describe has the system's text";
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Teeth"), host::Value());
}

TEST_F(CardCommandTest, ARenamedOrRetypedVariableStopsTheCommand) {
  lists.selectedFolders = {partsId};
  auto run = Run();
  EXPECT_FALSE(Make({.value = L"1", .variableName = L"Colour", .variableType = 1})->Execute(*run));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nError, variable Colour was not found in vault.");
  EXPECT_FALSE(Make({.value = L"1", .variableName = L"Teeth", .variableType = 1})->Execute(*run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nError, variable Teeth's type has changed since this "
            L"command was configured.");
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Teeth"), host::Value());
}

TEST_F(CardCommandTest, TargetsByPathOutsideOrMissingInTheVault) {
  auto run = Run();
  auto folderCommand = [this](const std::wstring& path) {
    return Make({.itemKind = CmdSetCardVar::kFolderWithPath,
                 .folderPath = path,
                 .value = L"x",
                 .variableName = L"Description",
                 .variableType = 1});
  };
  EXPECT_FALSE(folderCommand(L"D:\\%NameOfCurrentVault%")->Execute(*run));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nError, folder D:\\Vault doesn't exist.");
  // Inside the vault the host's lookup fails with a code of its own.
  EXPECT_TRUE(folderCommand(L"C:\\Vault\\Nowhere")->Execute(*run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nUnexpected error.\r\n[The folder could not be "
            L"found.]\r\n[0x80040214]");
  EXPECT_TRUE(folderCommand(L"C:\\Vault\\Parts")->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Description"), host::Value(L"x"));

  // A missing file is reported with its path as configured; the (empty) batch still runs.
  auto file = Make({.itemKind = CmdSetCardVar::kFileWithPath,
                    .filePath = L"D:\\%NameOfCurrentVault%.txt",
                    .value = L"x",
                    .variableName = L"Description",
                    .variableType = 1});
  EXPECT_TRUE(file->Execute(*run));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nError, file D:\\%NameOfCurrentVault%.txt doesn't exist.");
}

TEST_F(CardCommandTest, ConfigurationsAreWrittenOneByOneAndAnUnknownOneIsABatchError) {
  ASSERT_EQ(gear->CheckOut(IdOf(*root), 0, 0), host::kOk);
  auto command = Make({.itemKind = CmdSetCardVar::kFileWithPath,
                       .filePath = L"C:\\Vault\\gear.txt",
                       .configurations = {L"Large"},
                       .value = L"12",
                       .variableName = L"Teeth",
                       .variableType = 2});
  auto run = Run();
  EXPECT_TRUE(command->Execute(*run));
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Teeth", L"Large"), host::Value(std::int32_t{12}));
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Teeth", L"Default"), host::Value());

  auto tiny = Make({.itemKind = CmdSetCardVar::kFileWithPath,
                    .filePath = L"C:\\Vault\\gear.txt",
                    .configurations = {L"Tiny"},
                    .value = L"3",
                    .variableName = L"Teeth",
                    .variableType = 2});
  EXPECT_FALSE(tiny->Execute(*run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nError setting variable for file gear.txt. The name is invalid.");
}

// A failed add ends the command before the commit; a batch record whose object cannot be got
// names it by its id.
TEST_F(CardCommandTest, FailedAddsAndRecordsOfObjectsThatCannotBeNamed) {
  ASSERT_EQ(gear->CheckOut(IdOf(*root), 0, 0), host::kOk);
  AddDocument(gear.Get(), L"gear.txt");
  lists.selectedFolders = {partsId};
  sim::Faults& faults = vault->GetStore().GetFaults();
  faults.FailOperation("SimBatchUpdate::AddFileValue", host::kFail);
  auto command = Make({.configurations = {L"Default"},
                       .value = L"Spur",
                       .variableName = L"Description",
                       .variableType = 1});
  EXPECT_FALSE(command->Execute(*Run()));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nError setting variable 1 on file " +
                           std::to_wstring(gearId) +
                           L" on configuration Default.\r\n[An unspecified error "
                           L"occurred.]\r\n[0x80004005]");
  EXPECT_EQ(Card(CardOwner::kFolder, partsId, L"Description"), host::Value());

  faults.Reset();
  lists = {};
  lists.selectedFolders = {partsId};
  vault->RefuseCardWrites(CardOwner::kFolder, partsId, host::kPermissionDenied);
  faults.FailOperation("SimSession::GetObject", host::kFail);
  EXPECT_FALSE(command->Execute(*Run()));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nError getting file object for file " +
                           std::to_wstring(partsId) +
                           L". You do not have permission to perform this operation.");

  faults.Reset();
  lists = {};
  lists.selectedFolders = {partsId};
  vault->RefuseCardWrites(CardOwner::kFolder, partsId, host::kOk);
  const auto folderless = host::MakeRef<FolderlessRecord>(
      alice, host::BatchError{gearId, 0, host::kLockedByAnotherUser});
  auto run = Run();
  run->vault = folderless;
  EXPECT_FALSE(command->Execute(*run));
  EXPECT_EQ(LastBox(), L"Action: Stamp\r\nThe file in question is checked out by another user.");
}

TEST_F(CardCommandTest, TwoOrMoreMessagesGoToTheErrorReport) {
  ASSERT_EQ(gear->CheckOut(IdOf(*root), 0, 0), host::kOk);
  AddDocument(gear.Get(), L"gear.txt");
  lists.selectedFolders = {partsId};
  vault->RefuseCardWrites(CardOwner::kFolder, partsId, host::kPermissionDenied);
  auto command = Make({.value = L"Spur", .variableName = L"Description", .variableType = 1});
  auto run = Run();

  EXPECT_FALSE(command->Execute(*run)) << "one message: the report box";
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nError setting variable for folder Parts. You do not have "
            L"permission to perform this operation.");
  EXPECT_EQ(Card(CardOwner::kFile, gearId, L"Description"), host::Value(L"Spur"))
      << "the rest of the batch is written";

  vault->RefuseCardWrites(CardOwner::kFile, gearId, host::kLockedByAnotherUser);
  std::wstring report;
  dialogs.Queue([&report](platform::ScriptedSurface& ui) {
    report = ui.Text(460);
    EXPECT_EQ(ui.Text(462), L"Stamp");
    EXPECT_EQ(ui.Text(463), L"Set Variables");
    EXPECT_EQ(ui.Text(464), L"Description");
    EXPECT_EQ(ui.Owner(), platform::kDefaultOwner);
    ui.Ok();
  });
  const std::size_t boxes = answers.Boxes().size();
  EXPECT_FALSE(command->Execute(*run));
  EXPECT_EQ(answers.Boxes().size(), boxes) << "no box besides the report";
  EXPECT_THAT(report, StartsWith(L"Error setting variable for file gear.txt. The file in "
                                 L"question is checked out by another user.\r\n\r\n"
                                 L"Error setting variable for folder Parts. "));
  EXPECT_THAT(report, ::testing::EndsWith(L"\r\n\r\n"));
}

TEST_F(CardCommandTest, ARunWithoutAVaultIsAnUnexpectedError) {
  auto command = Make({.value = L"x", .variableName = L"Description", .variableType = 1});
  actions::ActionData run(0x10, nullptr, lists, &fakes.services);
  run.currentAction = &action;
  EXPECT_FALSE(command->Execute(run));
  EXPECT_EQ(LastBox(),
            L"Action: Stamp\r\nUnexpected error.\r\n[An invalid argument was given to the "
            L"method.]\r\n[0x80070057]");
}

// A number of type 3 reaches the host as a 4-byte float, as the host stores it.
TEST(CardValueTest, EachTypeReachesTheHostAsItsOwnKindOfValue) {
  const std::tuple<host::CardType, const wchar_t*, host::Value> cases[] = {
      {host::CardType::kText, L"2.5", host::Value{std::wstring(L"2.5")}},
      {host::CardType::kInteger, L"42", host::Value{std::int32_t{42}}},
      {host::CardType::kFloat, L"2.5", host::Value{2.5f}},
  };
  for (const auto& [type, text, expected] : cases) {
    host::Value value;
    ASSERT_EQ(ConvertCardValue(text, static_cast<std::int32_t>(type), value), host::kOk);
    EXPECT_EQ(value, expected) << static_cast<int>(type);
  }
}

}  // namespace
}  // namespace vendrel::commands::testing
