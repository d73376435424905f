// Installation of our UI libraries into a host installation folder for the tests.
#include "tests/uilibs/win32/HostFolder.h"

#include <windows.h>

#include "uilibs/win32/HostSettings.h"

namespace vendrel::uilibs::testing {

std::filesystem::path BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

std::wstring InstallFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return (std::filesystem::path(temp) / L"VendrelHost").wstring();
}

bool InstallHostLibraries() {
  std::error_code error;
  std::filesystem::create_directories(InstallFolder(), error);
  for (const wchar_t* library : {L"Lexicor.dll", L"Glyphex.dll", L"Alertik.dll", L"Iconel.dll"}) {
    std::filesystem::copy_file(BinFolder() / library,
                               std::filesystem::path(InstallFolder()) / library,
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
  }
  const std::wstring folder = InstallFolder();
  return RegSetKeyValueW(
             HKEY_LOCAL_MACHINE, kProductKey, kInstallationFolderValue, REG_SZ, folder.c_str(),
             static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace vendrel::uilibs::testing
