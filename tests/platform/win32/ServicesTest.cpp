// The Windows machine services, held to the same rules as the posix emulation.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/win32/Services.h"
#include "platform/win32/Shell.h"
#include "tests/platform/ServiceRules.h"

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
