// The installation folder as the add-in reads it from wine's registry, and which libraries are
// redirected to it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "uilibs/win32/HostLibraries.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::uilibs {
namespace {

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
