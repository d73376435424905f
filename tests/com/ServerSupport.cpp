// The server tests' shared installation, registration and registry helpers.
#include "tests/com/ServerSupport.h"

namespace vendrel::com {

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t data[1024] = {};
  DWORD bytes = sizeof(data);
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

bool KeyExists(HKEY root, const std::wstring& key) {
  UniqueHkey h;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, h.Put()) == ERROR_SUCCESS;
}

DWORD RunRegsvr32(const std::wstring& arguments, const std::wstring& server) {
  std::wstring command = L"regsvr32.exe /s " + arguments + L" \"" + server + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return GetLastError();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace vendrel::com
