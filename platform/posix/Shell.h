// The shell on posix: the command processor's "/c LINE" form runs LINE through /bin/sh; any
// other request names a file that must exist and is only reported.
#pragma once

#include <functional>
#include <string>

#include "platform/Shell.h"
#include "platform/posix/DriveMap.h"

namespace vendrel::platform::posix {

class PosixShell final : public Shell {
 public:
  // `note` hears each request that is reported rather than carried out; it may be empty.
  using Note = std::function<void(const std::wstring&)>;
  explicit PosixShell(DriveMap drives, Note note = {})
      : drives_(std::move(drives)), note_(std::move(note)) {}
  void SetNote(Note note) { note_ = std::move(note); }

  ShellResult Execute(const ShellRequest& request) override;
  std::wstring SystemFolder() override { return L"C:\\Windows\\system32"; }
  std::wstring RemoveFileSpec(const std::wstring& path) override;

 private:
  DriveMap drives_;
  Note note_;
};

}  // namespace vendrel::platform::posix
