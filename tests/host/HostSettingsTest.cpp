// The host's language and folder rules over a registry.
#include "host/HostSettings.h"

#include <gtest/gtest.h>

#include "tests/support/FakeServices.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::host {
namespace {

using platform::RegistryData;
using platform::RegistryRoot;

const std::wstring kProduct = uilibs::kProductKey;
const std::wstring kSettings = kProduct + L"\\Vaults\\_-Global\\Settings";

class HostSettingsTest : public ::testing::Test {
 protected:
  void Set(RegistryRoot root, const std::wstring& key, const wchar_t* name, RegistryData data) {
    registry.values[{root, key, name}] = std::move(data);
  }
  std::optional<RegistryData> Get(RegistryRoot root, const std::wstring& key, const wchar_t* name) {
    return registry.Read(root, key, name);
  }

  testing::MapRegistry registry;
};

TEST_F(HostSettingsTest, NothingSetGivesGbAndWritesNothingBack) {
  EXPECT_EQ(HostLanguage(registry), L"GB");
  EXPECT_TRUE(registry.values.empty());
}

TEST_F(HostSettingsTest, TheUsersOwnSettingWins) {
  Set(RegistryRoot::kCurrentUser, kSettings, L"0", L"FR");
  Set(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage", L"D");
  EXPECT_EQ(HostLanguage(registry), L"FR");
  EXPECT_EQ(Get(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage"), RegistryData(L"D"));
  EXPECT_FALSE(Get(RegistryRoot::kCurrentUser, kProduct, L"Language"));
}

TEST_F(HostSettingsTest, SOrNoTextFallsBackToTheMachineDefaultWhichIsWrittenBack) {
  for (const RegistryData& own : {RegistryData(L"s"), RegistryData(L"S"), RegistryData(7u)}) {
    Set(RegistryRoot::kCurrentUser, kSettings, L"0", own);
    Set(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage", L"D");
    EXPECT_EQ(HostLanguage(registry), L"D");
    EXPECT_EQ(Get(RegistryRoot::kCurrentUser, kSettings, L"0"), RegistryData(L"D"));
    EXPECT_EQ(Get(RegistryRoot::kCurrentUser, kProduct, L"Language"), RegistryData(L"D"));
  }
}

TEST_F(HostSettingsTest, MachineDefaultSCountsAsGbAndIsWrittenBackAsGb) {
  Set(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage", L"s");
  EXPECT_EQ(HostLanguage(registry), L"GB");
  EXPECT_EQ(Get(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage"), RegistryData(L"GB"));
  EXPECT_EQ(Get(RegistryRoot::kCurrentUser, kSettings, L"0"), RegistryData(L"GB"));
}

TEST_F(HostSettingsTest, LanguageFilesDefaultToTheSharedFolderAndEveryFolderEndsWithABackslash) {
  EXPECT_EQ(SharedFolder(registry), L"");
  Set(RegistryRoot::kLocalMachine, kProduct, L"SharedLocation", L"C:\\Shared");
  EXPECT_EQ(SharedFolder(registry), L"C:\\Shared\\");
  EXPECT_EQ(LanguageFilesFolder(registry), L"C:\\Shared\\LanFiles\\");

  Set(RegistryRoot::kLocalMachine, kProduct, L"LanFileDir", L"D:\\Lang\\");
  EXPECT_EQ(LanguageFilesFolder(registry), L"D:\\Lang\\");
  Set(RegistryRoot::kLocalMachine, kProduct, L"LanFileDir", L"");
  EXPECT_EQ(LanguageFilesFolder(registry), L"C:\\Shared\\LanFiles\\");
  Set(RegistryRoot::kLocalMachine, kProduct, L"LanFileDir", 3u);
  EXPECT_EQ(LanguageFilesFolder(registry), L"C:\\Shared\\LanFiles\\");
}

}  // namespace
}  // namespace vendrel::host
