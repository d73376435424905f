// Without the host's installation folder our libraries are not loaded at all, not even from the
// program's own folder where the normal search would find them. The machine key is redirected
// to an empty private key for this process, so the shared registry keeps its "Location".
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "uilibs/glyphex/Blob.h"
#include "uilibs/win32/HostLibraries.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::uilibs {
namespace {

constexpr wchar_t kEmptyMachine[] = L"Software\\Vendrel\\Tests\\EmptyMachine";

class EmptyMachineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kEmptyMachine);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kEmptyMachine, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &machine_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kEmptyMachine);
  }

 private:
  HKEY machine_ = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new EmptyMachineEnvironment);

TEST(UnregisteredHost, OurLibrariesAreRefusedRatherThanSearchedFor) {
  ASSERT_EQ(InstallationFolder(), L"");
  const std::pair<const wchar_t*, const char*> entries[] = {{L"Lexicor.dll", "TSS_internal"},
                                                            {L"Glyphex.dll", "Blob_Create"},
                                                            {L"Alertik.dll", "giMessageBox"}};
  for (const auto& [name, entry] : entries) {
    LazyLibrary library(name);
    EXPECT_EQ(library.Resolve(entry), nullptr) << name;
    EXPECT_EQ(GetModuleHandleW(name), nullptr) << name;
  }
  LazyLibrary icons(L"Iconel.dll", LazyLibrary::Where::kInstallationFolder);
  EXPECT_EQ(icons.Resolve("ghLoadWfIconImpl"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"Iconel.dll"), nullptr);

  EXPECT_THROW(glyphex::Blob(0), MissingEntry) << "a first use fails as a missing library's";
}

TEST(UnregisteredHost, OtherLibrariesStillTakeTheNormalSearch) {
  LazyLibrary other(L"version.dll");
  EXPECT_NE(other.Resolve("GetFileVersionInfoSizeW"), nullptr);
}

}  // namespace
}  // namespace vendrel::uilibs
