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

std::optional<DWORD> RunAndWait(std::wstring command, const STARTUPINFOW& startup,
                                const wchar_t* folder, DWORD& error) {
  STARTUPINFOW info = startup;
  info.cb = sizeof(info);
  const BOOL inherit = (info.dwFlags & STARTF_USESTDHANDLES) != 0;
  PROCESS_INFORMATION process{};
  // Wine on a loaded machine now and then fails a process start that succeeds a moment later.
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, inherit, 0, nullptr, folder,
                             &info, &process);
    if (!started) error = GetLastError();
  }
  if (!started) return std::nullopt;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

DWORD RunRegsvr32(const std::wstring& arguments, const std::wstring& server) {
  DWORD error = 0;
  return RunAndWait(L"regsvr32.exe /s " + arguments + L" \"" + server + L"\"", STARTUPINFOW{},
                    nullptr, error)
      .value_or(error);
}

}  // namespace vendrel::com
