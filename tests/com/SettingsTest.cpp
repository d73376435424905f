// The host's language and folders as the add-in reads them from wine's registry, and which
// libraries are redirected to the installation folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "tests/com/ServerSupport.h"
#include "uilibs/win32/HostLibraries.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::uilibs {
namespace {

const std::wstring kSettings = std::wstring(kProductKey) + L"\\Vaults\\_-Global\\Settings";

void Write(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  ASSERT_TRUE(com::WriteText(root, key, name, text));
}

void Remove(HKEY root, const std::wstring& key, const wchar_t* name) {
  RegDeleteKeyValueW(root, key.c_str(), name);
}

using com::ReadText;

// Each case starts with no language setting anywhere; the installation folder stays.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Remove(HKEY_CURRENT_USER, kSettings, L"0");
    Remove(HKEY_CURRENT_USER, kProductKey, L"Language");
    Remove(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage");
  }
};

TEST_F(LanguageTest, NothingSetGivesGbAndWritesNothingBack) {
  EXPECT_EQ(HostLanguage(), L"GB");
  EXPECT_FALSE(ReadText(HKEY_CURRENT_USER, kSettings, L"0"));
  EXPECT_FALSE(ReadText(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage"));
}

TEST_F(LanguageTest, TheUsersOwnSettingWins) {
  Write(HKEY_CURRENT_USER, kSettings, L"0", L"FR");
  Write(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage", L"D");
  EXPECT_EQ(HostLanguage(), L"FR");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage"), L"D");
}

TEST_F(LanguageTest, LowerCaseSFallsBackToTheMachineDefaultWhichIsWrittenBack) {
  Write(HKEY_CURRENT_USER, kSettings, L"0", L"s");
  Write(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage", L"D");
  EXPECT_EQ(HostLanguage(), L"D");
  EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, L"0"), L"D");
  EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kProductKey, L"Language"), L"D");
}

TEST_F(LanguageTest, MachineDefaultSCountsAsGb) {
  Write(HKEY_LOCAL_MACHINE, kProductKey, L"DefaultLanguage", L"s");
  EXPECT_EQ(HostLanguage(), L"GB");
}

TEST(HostFolders, LanguageFilesDefaultToTheSharedFolderAndEveryFolderEndsWithABackslash) {
  Write(HKEY_LOCAL_MACHINE, kProductKey, L"SharedLocation", L"C:\\Shared");
  Remove(HKEY_LOCAL_MACHINE, kProductKey, L"LanFileDir");
  EXPECT_EQ(SharedFolder(), L"C:\\Shared\\");
  EXPECT_EQ(LanguageFilesFolder(), L"C:\\Shared\\LanFiles\\");

  Write(HKEY_LOCAL_MACHINE, kProductKey, L"LanFileDir", L"D:\\Lang\\");
  EXPECT_EQ(LanguageFilesFolder(), L"D:\\Lang\\");
  Write(HKEY_LOCAL_MACHINE, kProductKey, L"LanFileDir", L"");
  EXPECT_EQ(LanguageFilesFolder(), L"C:\\Shared\\LanFiles\\");
}

TEST(HostLibraries, OnlyTheThreeLibrariesAreRedirectedWhateverTheirCase) {
  const std::wstring folder = InstallationFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(RedirectedLibraryPath(L"lexicor.DLL"), folder + L"Lexicor.dll");
  EXPECT_EQ(RedirectedLibraryPath(L"Glyphex.dll"), folder + L"Glyphex.dll");
  EXPECT_EQ(RedirectedLibraryPath(L"ALERTIK.dll"), folder + L"Alertik.dll");
  EXPECT_FALSE(RedirectedLibraryPath(L"Iconel2.dll"));
  EXPECT_FALSE(RedirectedLibraryPath(L"Lexicor.dll.bak"));
  EXPECT_FALSE(RedirectedLibraryPath(L"kernel32.dll"));
}

TEST(HostLibraries, AnotherLibraryIsFoundByTheNormalSearchNotInTheInstallationFolder) {
  LazyLibrary other(L"version.dll");
  EXPECT_NE(other.Resolve("GetFileVersionInfoSizeW"), nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(other.Loaded(), path, MAX_PATH);
  EXPECT_EQ(std::wstring(path).find(InstallationFolder()), std::wstring::npos) << path;
}

}  // namespace
}  // namespace vendrel::uilibs
