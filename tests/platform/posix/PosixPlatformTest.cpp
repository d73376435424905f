// The posix emulation of the machine: drive mapping, Windows file rules, registry, names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Ansi.h"
#include "platform/Utf8.h"
#include "platform/posix/Clipboard.h"
#include "platform/posix/DriveMap.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/Registry.h"
#include "platform/posix/Shell.h"
#include "platform/posix/System.h"
#include "tests/platform/ServiceRules.h"

namespace vendrel::platform::posix {
namespace {

namespace fs = std::filesystem;

fs::path Native(const DriveMap& drives, const std::wstring& windowsPath) {
  return drives.Map(windowsPath).text;
}

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
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\Bolt.txt"), root / "c/Vault/Parts/Bolt.txt");
  EXPECT_EQ(Native(drives, L"c:\\VAULT\\parts\\BOLT.TXT"), root / "c/Vault/Parts/Bolt.txt");
  EXPECT_EQ(Native(drives, L"C:/vault/Parts/New.txt"), root / "c/Vault/Parts/New.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\..\\x.txt"), root / "c/Vault/x.txt");
  EXPECT_EQ(Native(drives, L"D:\\Data"), root / "d/Data");
  EXPECT_EQ(Native(drives, L"\\tmp\\x"), fs::path("/tmp/x"));
  // Relative paths may climb; roots may not.
  EXPECT_EQ(Native(drives, L"..\\..\\x.acn"), fs::path("../../x.acn"));
  EXPECT_EQ(Native(drives, L"a\\..\\..\\x.acn"), fs::path("../x.acn"));
  EXPECT_EQ(Native(drives, L"C:\\..\\Vault"), root / "c/Vault");
  EXPECT_EQ(Native(drives, L"\\..\\tmp"), fs::path("/tmp"));
}

// Folders searched for another case are read once and then kept current: a change between two
// lookups, however quick, shows in the second.
TEST_F(DrivesTest, LookupsSeeEveryChangeToAFolderSearchedBefore) {
  DriveMap drives(root);
  const fs::path parts = root / "c/Vault/Parts";
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\BOLT.TXT"), parts / "Bolt.txt");
  fs::rename(parts / "Bolt.txt", parts / "Nut.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\BOLT.TXT"), parts / "BOLT.TXT");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\nut.txt"), parts / "Nut.txt");
  std::ofstream(parts / "Washer.txt") << "M8";
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\WASHER.txt"), parts / "Washer.txt");
  fs::remove(parts / "Washer.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\WASHER.txt"), parts / "WASHER.txt");

  // A rename further up leaves another folder under the same path.
  fs::rename(root / "c/Vault", root / "c/Old");
  fs::create_directories(parts);
  std::ofstream(parts / "Screw.txt") << "M4";
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\NUT.TXT"), parts / "NUT.TXT");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\screw.TXT"), parts / "Screw.txt");
}

// A path whose folder exists as spelt is settled by looking at it whole; the last name is still
// found in another case, and what the process itself creates, renames or removes shows at once.
TEST_F(DrivesTest, PathsInFoldersSpeltExactlySeeTheProcessesOwnChanges) {
  DriveMap drives(root);
  PosixFileSystem files{drives};
  const fs::path parts = root / "c/Vault/Parts";
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\bolt.TXT"), parts / "Bolt.txt");
  ASSERT_TRUE(files.CopyFile(L"C:\\Vault\\Parts\\BOLT.txt", L"C:\\Vault\\Parts\\Nut.txt", true));
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\NUT.txt"), parts / "Nut.txt");
  ASSERT_TRUE(files.MoveFile(L"C:\\Vault\\Parts\\Nut.txt", L"C:\\Vault\\Parts\\Washer.txt"));
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\NUT.txt"), parts / "NUT.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\washer.txt"), parts / "Washer.txt");
  // A copy onto a name of the listed folder in another case overwrites that file.
  ASSERT_TRUE(
      files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt", L"C:\\Vault\\Parts\\WASHER.TXT", false));
  EXPECT_FALSE(fs::exists(parts / "WASHER.TXT"));
  EXPECT_EQ(fs::file_size(parts / "Washer.txt"), fs::file_size(parts / "Bolt.txt"));
  ASSERT_TRUE(files.DeleteFile(L"C:\\Vault\\Parts\\WASHER.TXT"));
  EXPECT_FALSE(fs::exists(parts / "Washer.txt"));
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Parts\\washer.txt"), parts / "washer.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\\\Parts\\"), parts);
  EXPECT_EQ(Native(drives, L"C:"), root / "c");
}

// A relative name is looked for in the current folder, in another case too.
TEST_F(DrivesTest, RelativeNamesAreFoundInTheCurrentFolderRegardlessOfCase) {
  const fs::path current = fs::current_path();
  fs::current_path(root / "c/Vault/Parts");
  DriveMap drives(root);
  const fs::path bolt = Native(drives, L"BOLT.txt");
  const fs::path missing = Native(drives, L"Screw.txt");
  const fs::path below = Native(drives, L"..\\PARTS\\bolt.txt");
  fs::current_path(current);
  EXPECT_EQ(bolt, fs::path("Bolt.txt"));
  EXPECT_EQ(missing, fs::path("Screw.txt"));
  EXPECT_EQ(below, fs::path("../Parts/Bolt.txt"));
}

// Beyond ASCII only the ASCII letters of a name match in another case, as the C locale folds;
// the rest of it must be spelt as on disk, through listings read and kept current alike.
TEST_F(DrivesTest, NamesBeyondAsciiMatchInAnotherCaseOnlyInTheirAsciiLetters) {
  const fs::path pieces = root / "c/Vault" / u8"Pi\u00e8ces";
  const fs::path nut = pieces / u8"\u00c9crou.txt";
  fs::create_directories(pieces);
  std::ofstream(nut) << "M8";
  DriveMap drives(root);
  PosixFileSystem files{drives};
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Pi\u00e8ces\\\u00c9crou.txt"), nut);
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Pi\u00e8ces\\\u00c9CROU.TXT"), nut);
  EXPECT_EQ(Native(drives, L"c:\\VAULT\\pI\u00e8CES\\\u00c9crou.Txt"), nut);
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Pi\u00e8ces\\\u00e9crou.txt"), pieces / u8"\u00e9crou.txt");
  EXPECT_EQ(Native(drives, L"C:\\Vault\\PI\u00c8CES\\\u00c9crou.txt"),
            root / "c/Vault" / u8"PI\u00c8CES" / u8"\u00c9crou.txt");
  std::ofstream(pieces / u8"\u00c9tau.txt") << "vice";
  EXPECT_EQ(Native(drives, L"C:\\Vault\\Pi\u00e8ces\\\u00c9TAU.TXT"), pieces / u8"\u00c9tau.txt");
  ASSERT_TRUE(files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt",
                             L"C:\\Vault\\Pi\u00e8ces\\\u00c9CROU.txt", false));
  EXPECT_EQ(fs::file_size(nut), fs::file_size(root / "c/Vault/Parts/Bolt.txt"));
  ASSERT_TRUE(files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt",
                             L"C:\\Vault\\Pi\u00e8ces\\\u00e9tau.txt", false));
  EXPECT_TRUE(fs::exists(pieces / u8"\u00e9tau.txt"));
  EXPECT_TRUE(files.AnyMatch(L"C:\\Vault\\Pi\u00e8ces\\\u00e9t*"));
}

TEST_F(DrivesTest, NativePathsGoBackToTheirWindowsForm) {
  DriveMap drives(root);
  EXPECT_EQ(drives.ToWindows(root / "c/Vault/Parts"), L"C:\\Vault\\Parts");
  EXPECT_EQ(drives.ToWindows(root / "c"), L"C:\\");
  // Paths to normalize first come out as their plain forms do.
  EXPECT_EQ(drives.ToWindows(root / "c/Vault/./Old/../Parts/"), L"C:\\Vault\\Parts");
  EXPECT_EQ(drives.ToWindows(root / "c//Vault"), L"C:\\Vault");
  EXPECT_EQ(drives.ToWindows("/usr/share"), L"\\usr\\share");
  EXPECT_EQ(Native(drives, drives.ToWindows("/usr/share")), fs::path("/usr/share"));
}

TEST_F(DrivesTest, FileOperationsFollowWindowsRules) {
  std::ofstream(root / "c/Vault/Parts/ReadOnly.txt") << "locked";
  fs::permissions(root / "c/Vault/Parts/ReadOnly.txt",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  PosixFileSystem files{DriveMap(root)};
  // Windows documents that a read-only target is not overwritten (wine overwrites it).
  EXPECT_FALSE(
      files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt", L"C:\\Vault\\Parts\\ReadOnly.txt", false));
  EXPECT_EQ(files.LastError(), 5u);
  EXPECT_FALSE(files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt", L"C:\\Vault\\parts\\BOLT.TXT", false))
      << "a file copied onto itself";
  testing::CheckOpenRules(files, L"c:\\vault\\PARTS");
  // Windows opens no read-only file for writing (wine does).
  EXPECT_FALSE(files.OpenForWriting(L"C:\\Vault\\Parts\\ReadOnly.txt", true));
  EXPECT_EQ(files.LastError(), 5u);
  testing::CheckFileRules(files, L"c:\\vault\\PARTS");
}

// New copies are made with their source's permissions: one the file mode mask would take some
// from gets them all the same.
TEST_F(DrivesTest, ACopyTakesItsSourcesPermissionsWhateverTheMask) {
  const fs::path bolt = root / "c/Vault/Parts/Bolt.txt";
  fs::permissions(bolt, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
  const mode_t mask = ::umask(077);
  PosixFileSystem files{DriveMap(root)};
  const bool copied =
      files.CopyFile(L"C:\\Vault\\Parts\\Bolt.txt", L"C:\\Vault\\Parts\\Masked.txt", true);
  ::umask(mask);
  ASSERT_TRUE(copied);
  EXPECT_EQ(fs::status(root / "c/Vault/Parts/Masked.txt").permissions(),
            fs::status(bolt).permissions());
}

TEST_F(DrivesTest, ShellPathsFollowWindowsRules) {
  PosixShell shell{DriveMap(root)};
  testing::CheckShellPathRules(shell);
}

TEST_F(DrivesTest, RegistryKeepsValuesWithWindowsNameRules) {
  SqliteRegistry registry(root / "registry.db");
  testing::CheckRegistryRules(registry, L"Software\\VendrelTest");
}

TEST_F(DrivesTest, RegistryIsSharedByEveryConnectionToItsDatabase) {
  SqliteRegistry registry(root / "registry.db");
  SqliteRegistry other(root / "registry.db");
  ASSERT_TRUE(
      registry.Write(RegistryRoot::kLocalMachine, L"\\Software\\Vendrel\\", L"Path", L"C:\\Tools"));
  EXPECT_EQ(other.Read(RegistryRoot::kLocalMachine, L"Software\\Vendrel", L"path"),
            RegistryData(L"C:\\Tools"));
  EXPECT_FALSE(other.Read(RegistryRoot::kCurrentUser, L"Software\\Vendrel", L"Path"));
}

TEST_F(DrivesTest, TheClipboardIsSharedByTheProcessesBesideTheRegistry) {
  SqliteClipboard clipboard(root / "registry.db");
  testing::CheckClipboardRules(clipboard);
  SqliteClipboard other(root / "registry.db");
  ASSERT_TRUE(clipboard.Put(0, L"KalvanoVornActionFormat", L"00000000"));
  EXPECT_EQ(other.Get(0, L"KalvanoVornActionFormat").text, L"00000000");
}

TEST(Machine, NamesCanBeFixedForTests) {
  PosixMachine fixed(L"BUILD01", L"tester");
  EXPECT_EQ(fixed.ComputerName(), L"BUILD01");
  EXPECT_EQ(fixed.UserName(), L"tester");
  setenv("VENDREL_COMPUTERNAME", "WORKSTATION", 1);
  PosixMachine machine;
  EXPECT_EQ(machine.ComputerName(), L"WORKSTATION");
  setenv("VENDREL_COMPUTERNAME", "RENAMED", 1);
  EXPECT_EQ(machine.ComputerName(), L"WORKSTATION") << "read once and kept";
  unsetenv("VENDREL_COMPUTERNAME");
  EXPECT_FALSE(PosixMachine().ComputerName().empty());
  EXPECT_FALSE(PosixMachine().UserName().empty());
}

TEST(Machine, SystemMessagesSpeakLikeWindows) {
  PosixMachine machine;
  testing::CheckSystemMessageRules(machine);
  EXPECT_EQ(machine.SystemMessage(0x80004002), L"No such interface supported");
}

TEST(Ansi, TextsCrossWindows1252BothWays) {
  EXPECT_EQ(AnsiToWide("\x80\xE9"
                       "A\x81"),
            L"\u20AC\u00E9"
            L"A\u0081");
  std::string out = "x";
  AppendAnsi(L"\u20AC\u00E9\u4E2D\U0001F600", out);
  EXPECT_EQ(out, "x\x80\xE9??") << "what the code page lacks becomes '?'";
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  AppendAnsi(AnsiToWide(all), back);
  EXPECT_EQ(back, all);
}

TEST(Environment, TheBlockListsEveryVariableAsNameEqualsValue) {
  setenv("VENDREL_PROBE", "42", 1);
  const auto block = PosixEnvironment().Block();
  EXPECT_NE(std::find(block.begin(), block.end(), L"VENDREL_PROBE=42"), block.end());
  unsetenv("VENDREL_PROBE");
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

// Plain ASCII is copied as it is; the first character beyond it takes the full conversion.
TEST(Utf8, EncodesPlainAsciiAndTheFirstCharactersBeyondIt) {
  EXPECT_EQ(ToUtf8(L"C:\\Out\\a.txt\x7F"), "C:\\Out\\a.txt\x7F");
  EXPECT_EQ(ToUtf8(L"a\x80"), "a\xC2\x80");
  EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xED\xA0\x80");
  EXPECT_EQ(ToUtf8(L""), "");
}

// Runs of plain ASCII go eight bytes at a time; whatever breaks a run must still decode wherever
// it falls.
TEST(Utf8, DecodesSequencesAtEveryPlaceInALongText) {
  for (std::size_t before = 0; before < 17; ++before) {
    const std::string text = std::string(before, 'a') + "\xC3\xBC" + std::string(9, 'b') + "\xFF" +
                             std::string(8, 'c') + "\xF0\x9F\x98\x80";
    const std::wstring expected = std::wstring(before, L'a') + L"\u00FC" + std::wstring(9, L'b') +
                                  L"\uFFFD" + std::wstring(8, L'c') + L"\U0001F600";
    EXPECT_EQ(FromUtf8(text), expected) << before;
  }
}

}  // namespace
}  // namespace vendrel::platform::posix
