// The Windows shell: ShellExecuteExW, the process it started, and the shell's path rules.
#pragma once

#include "platform/Shell.h"

namespace vendrel::platform {

class Win32Shell final : public Shell {
 public:
  ShellResult Execute(const ShellRequest& request) override;
  std::wstring SystemFolder() override;
  std::wstring RemoveFileSpec(const std::wstring& path) override;
};

}  // namespace vendrel::platform
