// The host's installation folder read from its registry settings.
#include "uilibs/win32/HostSettings.h"

#include <windows.h>

namespace vendrel::uilibs {
namespace {

std::wstring ReadInstallationFolder() {
  constexpr DWORD kText = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kProductKey, kInstallationFolderValue, kText, nullptr,
                   nullptr, &bytes) != ERROR_SUCCESS)
    return L"";
  std::wstring folder(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kProductKey, kInstallationFolderValue, kText, nullptr,
                   folder.data(), &bytes) != ERROR_SUCCESS)
    return L"";
  folder.resize(folder.find(L'\0') == std::wstring::npos ? folder.size() : folder.find(L'\0'));
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

}  // namespace

std::wstring InstallationFolder() {
  static const std::wstring folder = ReadInstallationFolder();
  return folder;
}

}  // namespace vendrel::uilibs
