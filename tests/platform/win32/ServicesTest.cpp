// The Windows machine services, held to the same rules as the posix emulation.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/win32/Services.h"
#include "platform/win32/Shell.h"
#include "tests/platform/ServiceRules.h"
#include "uilibs/win32/Handle.h"

namespace vendrel::platform {
namespace {

namespace fs = std::filesystem;

TEST(Win32Services, FileOperations) {
  const fs::path dir =
      fs::temp_directory_path() / ("vendrel-services-" + std::to_string(GetCurrentProcessId()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "Bolt.txt") << "M8";
  std::ofstream(dir / "ReadOnly.txt") << "locked";
  SetFileAttributesW((dir / "ReadOnly.txt").c_str(), FILE_ATTRIBUTE_READONLY);

  Win32FileSystem files;
  testing::CheckOpenRules(files, dir.wstring());
  testing::CheckFileRules(files, dir.wstring());
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(dir);
}

TEST(Win32Services, Registry) {
  Win32Registry registry;
  testing::CheckRegistryRules(registry,
                              L"Software\\VendrelTest-" + std::to_wstring(GetCurrentProcessId()));
}

// Sets the key's access list from its SDDL form; false when the registry refuses.
bool SetAccess(const std::wstring& subkey, const wchar_t* sddl) {
  uilibs::UniqueHkey key;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, WRITE_DAC, key.Put()) != ERROR_SUCCESS ||
      !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &raw, nullptr)) {
    return false;
  }
  const std::unique_ptr<void, HLOCAL (*)(HLOCAL)> descriptor(raw, LocalFree);
  return RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.get()) == ERROR_SUCCESS;
}

// The registry command opens its key for writing only, so a key it may write but not read
// takes the value.
TEST(Win32Services, AKeyThatMayBeWrittenButNotReadTakesAValue) {
  const std::wstring subkey =
      L"Software\\VendrelWriteOnly-" + std::to_wstring(GetCurrentProcessId());
  Win32Registry registry;
  ASSERT_TRUE(registry.Write(RegistryRoot::kCurrentUser, subkey, L"Count", std::uint32_t{1}));
  ASSERT_TRUE(SetAccess(subkey, L"D:P(A;;KW;;;WD)"));
  bool readable = false;
  {
    uilibs::UniqueHkey reading;
    readable = RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, reading.Put()) ==
               ERROR_SUCCESS;
  }
  if (!readable) {
    EXPECT_TRUE(registry.Write(RegistryRoot::kCurrentUser, subkey, L"Count", std::uint32_t{42}));
  }
  ASSERT_TRUE(SetAccess(subkey, L"D:P(A;;KA;;;WD)"));
  if (readable) {
    registry.DeleteTree(RegistryRoot::kCurrentUser, subkey);
    GTEST_SKIP() << "this registry lets a key be read that its access list keeps from reading "
                    "(wine does not check a key's access list), so no key can be write-only";
  }
  EXPECT_EQ(registry.Read(RegistryRoot::kCurrentUser, subkey, L"Count"),
            std::optional<RegistryData>(std::uint32_t{42}));
  registry.DeleteTree(RegistryRoot::kCurrentUser, subkey);
}

TEST(Win32Services, ShellPaths) {
  Win32Shell shell;
  testing::CheckShellPathRules(shell);
}

TEST(Win32Services, EnvironmentAndNames) {
  Win32Environment environment;
  SetEnvironmentVariableW(L"VENDREL_PROBE", L"42");
  EXPECT_EQ(environment.Get(L"vendrel_probe"), std::optional<std::wstring>(L"42"));
  EXPECT_FALSE(environment.Get(L"VENDREL_NEVER_SET"));
  const auto block = environment.Block();
  EXPECT_NE(std::find(block.begin(), block.end(), L"VENDREL_PROBE=42"), block.end());
  Win32Machine machine;
  EXPECT_FALSE(machine.ComputerName().empty());
  EXPECT_FALSE(machine.UserName().empty());
  testing::CheckSystemMessageRules(machine);
  // What a failed call leaves in the thread's error object is read once.
  ICreateErrorInfo* created = nullptr;
  ASSERT_EQ(CreateErrorInfo(&created), S_OK);
  created->SetDescription(const_cast<wchar_t*>(L"The vault went away."));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  SetErrorInfo(0, info);
  info->Release();
  created->Release();
  EXPECT_EQ(machine.ErrorObjectDescription(), L"The vault went away.");
  EXPECT_EQ(machine.ErrorObjectDescription(), L"");
  const LocalTime now = Win32Clock().Now();
  EXPECT_GE(now.year, 2024);
}

}  // namespace
}  // namespace vendrel::platform
