// Check out, check in and get, against the simulated vault over a drive of the disk.
#include <gtest/gtest.h>

#include "commands/vault/CmdGetFile.h"
#include "commands/vault/CmdLockFile.h"
#include "commands/vault/CmdUnlockFile.h"
#include "tests/support/DriveVault.h"

namespace vendrel::commands {
namespace {

class VaultFileCommandsTest : public testing::DriveVaultTest {
 protected:
  VaultFileCommandsTest() {
    AddToDocs(L"a.txt", "one");
    action_.variables.push_back(
        std::make_unique<actions::Variable>(L"doc", actions::Variable::kStaticText, L"a.txt"));
  }
  host::CheckOutInfo State(const std::wstring& path) {
    host::CheckOutInfo info;
    EXPECT_EQ(Find(*session_, path)->CheckOutState(info), host::kOk);
    return info;
  }
  std::vector<host::VersionInfo> History(const std::wstring& path) {
    std::vector<host::VersionInfo> versions;
    EXPECT_EQ(Find(*session_, path)->VersionHistory(versions), host::kOk);
    return versions;
  }
};

TEST_F(VaultFileCommandsTest, CheckOutAndCheckInWithTheExpandedComment) {
  CmdLockFile lock(&action_);
  lock.Assign({L"C:\\Vault\\Docs\\%doc%"});
  ASSERT_TRUE(lock.Execute(*run_));
  EXPECT_TRUE(action_.refreshMark);
  EXPECT_EQ(State(L"C:\\Vault\\Docs\\a.txt").userName, L"alice");

  Write(L"C:\\Vault\\Docs\\a.txt", "two");
  CmdUnlockFile unlock(&action_);
  unlock.Assign({L"C:\\Vault\\Docs\\%doc%", L"Reviewed %doc%"});
  ASSERT_TRUE(unlock.Execute(*run_));
  EXPECT_EQ(State(L"C:\\Vault\\Docs\\a.txt").userId, 0);
  const auto versions = History(L"C:\\Vault\\Docs\\a.txt");
  ASSERT_EQ(versions.size(), 2u);
  EXPECT_EQ(versions[1].comment, L"Reviewed a.txt");
  EXPECT_TRUE(Messages().empty());

  unlock.Assign({L"C:\\Vault\\Docs\\a.txt", L""});
  EXPECT_FALSE(unlock.Execute(*run_)) << "nobody holds it now";
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, L"Error checking in file\nThe file is not checked out by you.");
  EXPECT_EQ(Messages()[0].caption, L"Vendrel");
  EXPECT_EQ(Messages()[0].style, platform::mb::kOk | platform::mb::kIconExclamation);
}

TEST_F(VaultFileCommandsTest, FailuresShowTheHostsDescriptionOfTheFailingCode) {
  auto bob = Login(L"bob", L"PC2");
  ASSERT_EQ(Find(*bob, L"C:\\Vault\\Docs\\a.txt")->CheckOut(0, 0, 0), host::kOk);
  CmdLockFile lock(&action_);
  lock.Assign({L"C:\\Vault\\Docs\\a.txt"});
  EXPECT_FALSE(lock.Execute(*run_));
  lock.Assign({L"C:\\Vault\\Docs\\missing.txt"});
  EXPECT_FALSE(lock.Execute(*run_));
  EXPECT_FALSE(action_.refreshMark);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].text,
            L"Error checking out file\nThe file in question is checked out by another user.");
  EXPECT_EQ(Messages()[1].text,
            L"Error checking out file\nThe method was successfully executed but returned "
            L"'false'.")
      << "a path that is no vault file is told with the lookup's own code";
}

TEST_F(VaultFileCommandsTest, GetAsksTheHostOnlyWhenItMustFetch) {
  const std::wstring path = L"C:\\Vault\\Docs\\a.txt";
  Write(path, "edited locally");
  CmdGetFile get(&action_);
  get.Assign({path, false});
  EXPECT_TRUE(get.Execute(*run_));
  EXPECT_EQ(Read(path), "edited locally") << "present on disk: only the lookup";
  EXPECT_FALSE(action_.refreshMark);

  get.Assign({path, true});
  EXPECT_TRUE(get.Execute(*run_));
  EXPECT_EQ(Read(path), "one");
  EXPECT_TRUE(action_.refreshMark);

  std::filesystem::permissions(Native(path), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  std::filesystem::remove(Native(path));
  get.Assign({path, false});
  EXPECT_TRUE(get.Execute(*run_));
  EXPECT_EQ(Read(path), "one") << "missing on disk: fetched";

  get.Assign({L"C:\\Backup\\x.txt", true});
  EXPECT_FALSE(get.Execute(*run_));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].text.starts_with(L"Error getting file\n"));
}

}  // namespace
}  // namespace vendrel::commands
