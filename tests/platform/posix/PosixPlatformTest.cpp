// The posix emulation of the machine: drive mapping, Windows file rules, registry, names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Utf8.h"
#include "platform/posix/DriveMap.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/Registry.h"
#include "platform/posix/System.h"

namespace vendrel::platform::posix {
namespace {

namespace fs = std::filesystem;

class DrivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("vendrel-drives-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "c" / "Vault" / "Parts");
    std::ofstream(root / "c" / "Vault" / "Parts" / "Bolt.txt") << "M8";
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(root, ec))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
  }

  fs::path root;
};

TEST_F(DrivesTest, DrivePathsFindExistingFoldersRegardlessOfCase) {
  DriveMap drives(root);
  EXPECT_EQ(drives.ToNative(L"C:\\Vault\\Parts\\Bolt.txt"), root / "c/Vault/Parts/Bolt.txt");
  EXPECT_EQ(drives.ToNative(L"c:\\VAULT\\parts\\BOLT.TXT"), root / "c/Vault/Parts/Bolt.txt");
  EXPECT_EQ(drives.ToNative(L"C:/vault/Parts/New.txt"), root / "c/Vault/Parts/New.txt");
  EXPECT_EQ(drives.ToNative(L"C:\\Vault\\Parts\\..\\x.txt"), root / "c/Vault/x.txt");
  EXPECT_EQ(drives.ToNative(L"D:\\Data"), root / "d/Data");
  EXPECT_EQ(drives.ToNative(L"\\tmp\\x"), fs::path("/tmp/x"));
}

TEST_F(DrivesTest, NativePathsGoBackToTheirWindowsForm) {
  DriveMap drives(root);
  EXPECT_EQ(drives.ToWindows(root / "c/Vault/Parts"), L"C:\\Vault\\Parts");
  EXPECT_EQ(drives.ToWindows(root / "c"), L"C:\\");
  EXPECT_EQ(drives.ToWindows("/usr/share"), L"\\usr\\share");
  EXPECT_EQ(drives.ToNative(drives.ToWindows("/usr/share")), fs::path("/usr/share"));
}

TEST_F(DrivesTest, FileOperationsFollowWindowsRules) {
  PosixFileSystem files{DriveMap(root)};
  const std::wstring bolt = L"C:\\Vault\\Parts\\Bolt.txt";
  const std::wstring copy = L"C:\\Vault\\Parts\\Copy.txt";

  ASSERT_TRUE(files.CopyFile(bolt, copy, true));
  EXPECT_FALSE(files.CopyFile(bolt, copy, true));
  EXPECT_EQ(files.LastError(), 80u);
  EXPECT_FALSE(files.CopyFile(bolt, L"C:\\Nowhere\\x.txt", false));
  EXPECT_EQ(files.LastError(), 3u);
  EXPECT_FALSE(files.ErrorText(3).empty());

  fs::permissions(root / "c/Vault/Parts/Copy.txt",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(files.Attributes(copy), kAttributeReadOnly);
  EXPECT_FALSE(files.CopyFile(bolt, copy, false)) << "a read-only target is not overwritten";
  EXPECT_FALSE(files.DeleteFile(copy));
  EXPECT_EQ(files.LastError(), 5u);
  ASSERT_TRUE(files.MakeWritable(copy));
  EXPECT_TRUE(files.DeleteFile(copy));
  EXPECT_FALSE(files.Attributes(copy));
  EXPECT_FALSE(files.DeleteFile(copy));
  EXPECT_EQ(files.LastError(), 2u);

  ASSERT_TRUE(files.CopyFile(bolt, copy, false));
  EXPECT_FALSE(files.MoveFile(copy, bolt));
  EXPECT_EQ(files.LastError(), 183u);
  ASSERT_TRUE(files.MoveFile(copy, L"C:\\Vault\\Moved.txt"));
  EXPECT_TRUE(files.Attributes(L"c:\\vault\\moved.TXT"));

  ASSERT_TRUE(files.CreateDirectory(L"C:\\Vault\\New"));
  EXPECT_EQ(files.Attributes(L"C:\\Vault\\New").value_or(0) & kAttributeDirectory,
            kAttributeDirectory);
  EXPECT_FALSE(files.CreateDirectory(L"C:\\Vault\\New"));
  EXPECT_EQ(files.LastError(), 183u);
  EXPECT_FALSE(files.CreateDirectory(L"C:\\Vault\\Missing\\New"));
  EXPECT_EQ(files.LastError(), 3u);
}

TEST_F(DrivesTest, RegistryKeepsValuesWithWindowsNameRules) {
  SqliteRegistry registry(root / "registry.db");
  const auto user = RegistryRoot::kCurrentUser;
  ASSERT_TRUE(registry.Write(user, L"Software\\Vendrel\\Settings", L"Language", L"de"));
  ASSERT_TRUE(registry.Write(user, L"Software\\Vendrel\\Settings", L"Count", std::uint32_t{7}));
  ASSERT_TRUE(registry.Write(user, L"Software\\VendrelOther", L"", L"default"));

  EXPECT_TRUE(registry.KeyExists(user, L"software\\VENDREL"));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::kLocalMachine, L"Software\\Vendrel"));
  EXPECT_EQ(registry.Read(user, L"\\Software\\vendrel\\settings\\", L"LANGUAGE"),
            RegistryData(L"de"));
  EXPECT_EQ(registry.Read(user, L"Software\\Vendrel\\Settings", L"Count"),
            RegistryData(std::uint32_t{7}));
  EXPECT_EQ(registry.Read(user, L"Software\\VendrelOther", L""), RegistryData(L"default"));
  EXPECT_FALSE(registry.Read(user, L"Software\\Vendrel\\Settings", L"Missing"));

  // A second process (another connection to the same file) sees the same registry.
  SqliteRegistry other(root / "registry.db");
  EXPECT_EQ(other.Read(user, L"Software\\Vendrel\\Settings", L"Language"), RegistryData(L"de"));

  ASSERT_TRUE(registry.DeleteValue(user, L"Software\\Vendrel\\Settings", L"Count"));
  EXPECT_FALSE(registry.Read(user, L"Software\\Vendrel\\Settings", L"Count"));
  ASSERT_TRUE(registry.DeleteTree(user, L"Software\\Vendrel"));
  EXPECT_FALSE(registry.KeyExists(user, L"Software\\Vendrel\\Settings"));
  EXPECT_FALSE(registry.Read(user, L"Software\\Vendrel\\Settings", L"Language"));
  EXPECT_TRUE(registry.KeyExists(user, L"Software\\VendrelOther")) << "a name prefix is no parent";
  EXPECT_FALSE(registry.DeleteTree(user, L"Software\\Vendrel"));
  ASSERT_TRUE(registry.CreateKey(user, L"A\\B\\C"));
  EXPECT_TRUE(registry.KeyExists(user, L"A\\B"));
}

TEST(Machine, NamesCanBeFixedForTests) {
  PosixMachine fixed(L"BUILD01", L"tester");
  EXPECT_EQ(fixed.ComputerName(), L"BUILD01");
  EXPECT_EQ(fixed.UserName(), L"tester");
  setenv("VENDREL_COMPUTERNAME", "WORKSTATION", 1);
  EXPECT_EQ(PosixMachine().ComputerName(), L"WORKSTATION");
  unsetenv("VENDREL_COMPUTERNAME");
  EXPECT_FALSE(PosixMachine().ComputerName().empty());
  EXPECT_FALSE(PosixMachine().UserName().empty());
}

TEST(Utf8, RoundTripsTextOutsideTheBasicPlane) {
  const std::wstring text = L"Gr\u00FC\u00DFe \u20AC \U0001F600";
  EXPECT_EQ(ToUtf8(text),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            L"a\uFFFDb");
}

}  // namespace
}  // namespace vendrel::platform::posix
