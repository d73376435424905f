// Generating a parameter file: the template's lines, the output's name, and the vault steps for
// every check-out state of the output and the template.
#include <gtest/gtest.h>

#include "commands/vault/CmdGenerateFile.h"
#include "platform/Utf8.h"
#include "tests/support/DriveVault.h"

namespace vendrel::commands {
namespace {

class GenerateFileTest : public testing::DriveVaultTest {
 protected:
  GenerateFileTest() {
    action_.variables.push_back(
        std::make_unique<actions::Variable>(L"part", actions::Variable::kStaticText, L"M8"));
    action_.variables.push_back(
        std::make_unique<actions::Variable>(L"written", actions::Variable::kRuntime));
    Write(L"C:\\Templates\\param.tpl", "size=%part%\r\ncount: LEN(%part%x)\nplain %%\n");
  }
  // Generates `output` from C:\Templates\param.tpl.
  bool Generate(const std::wstring& output, bool counter = false, bool append = false,
                actions::ActionData* run = nullptr) {
    CmdGenerateFile generate(&action_);
    generate.Assign({.outputFile = output,
                     .templateFile = L"C:\\Templates\\param.tpl",
                     .assignTo = L"written",
                     .useCounter = counter ? 1 : 0,
                     .append = append ? 1 : 0});
    return generate.Execute(run ? *run : *run_);
  }
  const std::wstring& Written() const { return action_.variables[1]->value; }
  std::int32_t HolderId(const std::wstring& path) {
    host::CheckOutInfo info;
    EXPECT_EQ(Find(*session_, path)->CheckOutState(info), host::kOk);
    return info.userId;
  }
  std::vector<host::VersionInfo> History(const std::wstring& path) {
    std::vector<host::VersionInfo> versions;
    EXPECT_EQ(Find(*session_, path)->VersionHistory(versions), host::kOk);
    return versions;
  }
  std::wstring Message(std::size_t i) {
    return i < Messages().size() ? Messages()[i].text : L"<no message>";
  }
  static constexpr char kExpanded[] = "size=M8\r\ncount: 3\r\nplain %\r\n";
};

TEST_F(GenerateFileTest, EachLineIsExpandedOnItsOwnAndEndsWithCrLf) {
  Write(L"C:\\Templates\\param.tpl",
        "a=%part\n%b\nunknown %nothing here\n\xE9=%part%\nno end=%part%");
  EXPECT_TRUE(Generate(L"C:\\Backup\\out.txt"));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"),
            "a=%part\r\n%b\r\nunknown %nothing here\r\n\xE9=M8\r\nno end=M8\r\n")
      << "a reference split over two lines stays as it is";
  EXPECT_EQ(Written(), L"C:\\Backup\\out.txt");
  EXPECT_TRUE(action_.refreshMark);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(GenerateFileTest, AppendAddsToTheOutputAndOtherwiseReplacesIt) {
  Write(L"C:\\Backup\\out.txt", "kept\r\n");
  EXPECT_TRUE(Generate(L"C:\\Backup\\out.txt", false, true));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"), std::string("kept\r\n") + kExpanded);
  EXPECT_TRUE(Generate(L"C:\\Backup\\out.txt"));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"), kExpanded);
}

TEST_F(GenerateFileTest, TheCounterNumbersOutputsWithinARunAndStartsAgainInTheNext) {
  EXPECT_TRUE(Generate(L"C:\\Backup\\param.txt", true));
  EXPECT_TRUE(Generate(L"C:\\Backup\\param.txt", true));
  EXPECT_EQ(Read(L"C:\\Backup\\param0.txt"), kExpanded);
  EXPECT_EQ(Read(L"C:\\Backup\\param1.txt"), kExpanded);
  EXPECT_EQ(Written(), L"C:\\Backup\\param1.txt");
  auto next = NewRun();
  EXPECT_TRUE(Generate(L"C:\\Backup\\param.txt", true, false, next.get()));
  EXPECT_EQ(Written(), L"C:\\Backup\\param0.txt");

  // The number goes before the last dot of the whole path, a folder's too.
  EXPECT_FALSE(Generate(L"C:\\Backup\\out.d\\param", true, false, next.get()));
  EXPECT_EQ(Written(), L"C:\\Backup\\out1.d\\param");
  EXPECT_EQ(Read(L"C:\\Backup\\out1.d\\param"), "<missing>") << "no such folder";
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Message(0).starts_with(L"Error generating parameter file.\n\nC:\\Backup\\out1.d"))
      << platform::ToUtf8(Message(0));
}

TEST_F(GenerateFileTest, AMissingOrEmptyTemplate) {
  std::filesystem::remove(Native(L"C:\\Templates\\param.tpl"));
  EXPECT_FALSE(Generate(L"C:\\Backup\\out.txt"));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"), "<missing>");
  EXPECT_EQ(Written(), L"C:\\Backup\\out.txt") << "assigned before anything can fail";
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Message(0),
            L"Error generating parameter file.\n\nC:\\Templates\\param.tpl: The system cannot "
            L"find the file specified.");

  Write(L"C:\\Templates\\param.tpl", "");
  EXPECT_TRUE(Generate(L"C:\\Backup\\out.txt"));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"), "");
  Write(L"C:\\Templates\\param.tpl", std::string("\0\x01\xff\r\n", 5));
  EXPECT_TRUE(Generate(L"C:\\Backup\\out.txt"));
  EXPECT_EQ(Read(L"C:\\Backup\\out.txt"), std::string("\0\x01\xff\r\n", 5));
}

TEST_F(GenerateFileTest, ANewOutputInAVaultFolderIsAddedAndCheckedIn) {
  EXPECT_TRUE(Generate(L"C:\\Vault\\Docs\\param.txt"));
  EXPECT_TRUE(Messages().empty()) << platform::ToUtf8(Message(0));
  ASSERT_TRUE(InVault(L"C:\\Vault\\Docs\\param.txt"));
  EXPECT_EQ(HolderId(L"C:\\Vault\\Docs\\param.txt"), 0);
  const auto versions = History(L"C:\\Vault\\Docs\\param.txt");
  ASSERT_FALSE(versions.empty());
  EXPECT_EQ(versions.back().comment, L"Checked in by Kalvano Vendrel.");
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\param.txt"), kExpanded);
}

TEST_F(GenerateFileTest, AnOutputNobodyHoldsIsCheckedOutWrittenAndCheckedIn) {
  AddToDocs(L"param.txt", "old\r\n");
  EXPECT_TRUE(Generate(L"C:\\Vault\\Docs\\param.txt"));
  EXPECT_TRUE(Messages().empty()) << platform::ToUtf8(Message(0));
  EXPECT_EQ(HolderId(L"C:\\Vault\\Docs\\param.txt"), 0);
  const auto versions = History(L"C:\\Vault\\Docs\\param.txt");
  ASSERT_EQ(versions.size(), 2u);
  EXPECT_EQ(versions[1].comment, L"Checked in by Kalvano Vendrel.");
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\param.txt"), kExpanded);
}

TEST_F(GenerateFileTest, AnOutputCheckedOutHereByTheUserIsWrittenWithoutVaultSteps) {
  AddToDocs(L"param.txt", "old\r\n");
  ASSERT_EQ(Find(*session_, L"C:\\Vault\\Docs\\param.txt")->CheckOut(0, 0, 0), host::kOk);
  EXPECT_TRUE(Generate(L"C:\\Vault\\Docs\\param.txt"));
  EXPECT_NE(HolderId(L"C:\\Vault\\Docs\\param.txt"), 0) << "still checked out";
  EXPECT_EQ(History(L"C:\\Vault\\Docs\\param.txt").size(), 1u);
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\param.txt"), kExpanded);
}

// Another user, the same user on another computer, the same user in another folder.
TEST_F(GenerateFileTest, AnOutputCheckedOutAnywhereElseIsLeftAlone) {
  AddToDocs(L"param.txt", "old\r\n");
  const std::wstring path = L"C:\\Vault\\Docs\\param.txt";
  const std::wstring refused =
      L"Error generating parameter file.\n\n The file 'C:\\Vault\\Docs\\param.txt' is checked out "
      L"by someone else or in a different folder.";

  auto bob = Login(L"bob", L"PC1");
  ASSERT_EQ(Find(*bob, path)->CheckOut(0, 0, 0), host::kOk);
  EXPECT_FALSE(Generate(path));
  ASSERT_EQ(Find(*bob, path)->UndoCheckOut(0, 0), host::kOk);

  auto elsewhere = Login(L"alice", L"PC2");
  ASSERT_EQ(Find(*elsewhere, path)->CheckOut(0, 0, 0), host::kOk);
  EXPECT_FALSE(Generate(path));
  ASSERT_EQ(Find(*elsewhere, path)->UndoCheckOut(0, 0), host::kOk);

  host::Ref<host::VaultFolder> root, shared;
  ASSERT_EQ(session_->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
  ASSERT_EQ(root->AddFolder(0, L"Shared", 0, shared), host::kOk);
  std::int32_t fileId = 0, sharedId = 0;
  Find(*session_, path)->Id(fileId);
  shared->Id(sharedId);
  vault_->ShareFile(fileId, sharedId);
  ASSERT_EQ(Find(*session_, L"C:\\Vault\\Shared\\param.txt")->CheckOut(sharedId, 0, 0), host::kOk);
  EXPECT_FALSE(Generate(path));

  ASSERT_EQ(Messages().size(), 3u);
  for (const auto& message : Messages()) EXPECT_EQ(message.text, refused);
  EXPECT_EQ(Read(path), "old\r\n");
}

TEST_F(GenerateFileTest, ATemplateInTheVaultIsFetchedUnlessCheckedOutHere) {
  Write(L"C:\\In\\t.tpl", "v=%part%\n");
  host::Ref<host::VaultFile> added;
  ASSERT_EQ(docs_->AddFile(0, L"C:\\In\\t.tpl", L"t.tpl", 1, added), host::kOk);
  const std::wstring path = L"C:\\Vault\\Docs\\t.tpl";
  Write(path, "local=%part%\n");
  CmdGenerateFile generate(&action_);
  generate.Assign({.outputFile = L"C:\\Backup\\o.txt",
                   .templateFile = path,
                   .assignTo = L"",
                   .useCounter = 0,
                   .append = 0});
  EXPECT_TRUE(generate.Execute(*run_));
  EXPECT_EQ(Read(L"C:\\Backup\\o.txt"), "v=M8\r\n") << "the latest version, not the local edit";

  ASSERT_EQ(Find(*session_, path)->CheckOut(0, 0, 0), host::kOk);
  Write(path, "mine=%part%\n");
  EXPECT_TRUE(generate.Execute(*run_));
  EXPECT_EQ(Read(L"C:\\Backup\\o.txt"), "mine=M8\r\n");
  EXPECT_TRUE(Messages().empty()) << platform::ToUtf8(Message(0));
}

// Without the host's own description of the code: the standard text and what the failed call
// left in the thread's error object.
TEST_F(GenerateFileTest, AnOutputBelowTheVaultInAFolderItLacksIsWrittenAfterAMessage) {
  class LeavingErrorObjects : public platform::posix::PosixMachine {
    std::wstring ErrorObjectDescription() override { return L"No such folder in the vault."; }
  } machine;
  std::filesystem::create_directories(Native(L"C:\\Vault\\Loose"));
  EXPECT_TRUE(Generate(L"C:\\Vault\\Loose\\p.txt"));
  fakes_.services.machine = &machine;
  vault_->GetStore().GetFaults().FailOperation("SimSession::ErrorText", host::kFail);
  EXPECT_TRUE(Generate(L"C:\\Vault\\Loose\\p.txt"));
  EXPECT_EQ(Read(L"C:\\Vault\\Loose\\p.txt"), kExpanded);
  EXPECT_FALSE(InVault(L"C:\\Vault\\Loose\\p.txt"));
  ASSERT_EQ(Messages().size(), 2u);
  const std::wstring failed =
      L"Error generating parameter file.\n\n Failed to access the file "
      L"'C:\\Vault\\Loose\\p.txt'.\n\n";
  EXPECT_EQ(Message(0), failed + L"E_ZEM_FILE_NOT_FOUND\nThe file could not be found.");
  EXPECT_EQ(Message(1), failed + L"IDispatch error #19\nNo such folder in the vault.");
}

// Nothing is undone after a failed step, and only an add that succeeded is checked in.
TEST_F(GenerateFileTest, AFailedStepLeavesTheVaultAsItWas) {
  AddToDocs(L"param.txt", "old\r\n");
  std::filesystem::rename(Native(L"C:\\Templates\\param.tpl"), Native(L"C:\\In\\keep.tpl"));
  EXPECT_FALSE(Generate(L"C:\\Vault\\Docs\\param.txt"));
  EXPECT_NE(HolderId(L"C:\\Vault\\Docs\\param.txt"), 0) << "checked out before the write failed";
  EXPECT_EQ(History(L"C:\\Vault\\Docs\\param.txt").size(), 1u);

  std::filesystem::rename(Native(L"C:\\In\\keep.tpl"), Native(L"C:\\Templates\\param.tpl"));
  vault_->GetStore().GetFaults().FailOperation("SimFolder::AddFile", host::kFail);
  EXPECT_TRUE(Generate(L"C:\\Vault\\Docs\\new.txt"));
  EXPECT_EQ(Read(L"C:\\Vault\\Docs\\new.txt"), kExpanded);
  ASSERT_EQ(Messages().size(), 2u) << platform::ToUtf8(Message(2));
  EXPECT_EQ(Message(1),
            L"Error generating parameter file.\n\n Failed to add the file "
            L"'C:\\Vault\\Docs\\new.txt' to vault.\n\nE_FAIL\nAn unspecified error occurred.");
}

}  // namespace
}  // namespace vendrel::commands
