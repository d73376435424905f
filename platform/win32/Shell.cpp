// ShellExecuteExW with the request as given; the process handle is owned until it is waited for.
#include "platform/win32/Shell.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include "uilibs/win32/Handle.h"

namespace vendrel::platform {
namespace {

class Win32Process final : public Process {
 public:
  explicit Win32Process(HANDLE process) : process_(process) {}
  void Wait() override { WaitForSingleObject(process_.Get(), INFINITE); }

 private:
  uilibs::UniqueKernelObject process_;
};

}  // namespace

ShellResult Win32Shell::Execute(const ShellRequest& request) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = request.mask;
  info.lpVerb = request.verb.c_str();
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.c_str();
  info.lpClass = (request.mask & see::kClassName) != 0 ? request.className.c_str() : nullptr;
  info.nShow = request.show;
  if (!ShellExecuteExW(&info)) return {};
  ShellResult result{true, nullptr};
  if (info.hProcess) result.process = std::make_unique<Win32Process>(info.hProcess);
  return result;
}

std::wstring Win32Shell::SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_SYSTEM, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  return folder;
}

// The shell works in a buffer of MAX_PATH; a longer path keeps its tail, which the shell would
// not find anyway.
std::wstring Win32Shell::RemoveFileSpec(const std::wstring& path) {
  if (path.size() >= MAX_PATH) return path;
  wchar_t buffer[MAX_PATH] = {};
  path.copy(buffer, path.size());
  PathRemoveFileSpecW(buffer);
  return buffer;
}

}  // namespace vendrel::platform
